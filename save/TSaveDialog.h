#pragma once
#include <QString>
#include <deque>
#include <string>
#include <vector>

#include "save/SavePath.h"

class QWidget;

// The save dialog: remembers the last accepted name and file type for the run.
class TSaveDialog {
public:
    std::string FileName;        // code page 932, as the dialog returned it
    std::string NativeFileName;  // the same name as the file system spells it
    int FilterIndex = 1;         // 1: text files, 2: HTML files

    // Modal; true when the user accepted a name. Opens with FileName and FilterIndex.
    bool Execute(QWidget* owner);
    save::SavePath Path() const { return {FileName, NativeFileName}; }

private:
    void Accept(const QString& path, int filterIndex);
    friend class ScriptedSaveDialogs;
};

// Test seam: while one is alive, Execute shows nothing; it records what the dialog would
// have opened with and gives the next scripted answer (a cancel when none is left).
class ScriptedSaveDialogs {
public:
    struct Opening {
        std::string fileName;  // code page 932
        int filterIndex;
    };
    struct Answer {
        bool accepted;
        QString path;
        int filterIndex;
    };
    ScriptedSaveDialogs();
    ~ScriptedSaveDialogs();
    ScriptedSaveDialogs(const ScriptedSaveDialogs&) = delete;
    ScriptedSaveDialogs& operator=(const ScriptedSaveDialogs&) = delete;

    void AcceptNext(const QString& path, int filterIndex) { answers.push_back({true, path, filterIndex}); }
    void CancelNext() { answers.push_back({false, {}, 0}); }
    std::deque<Answer> answers;
    std::vector<Opening> openings;

    static ScriptedSaveDialogs* Active();
    bool Run(TSaveDialog& dialog);
};
