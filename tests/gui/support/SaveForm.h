#pragma once
// A shown main window on a scripted platform, for the save tests: message dialogs are
// scripted, error boxes recorded, and every status text painted is kept.
#include <gtest/gtest.h>
#include <QEvent>
#include <QLabel>
#include <QObject>
#include <QStatusBar>
#include <QTest>
#include <string>
#include <vector>

#include "app/qt/Unit1.h"
#include "dialogs/ErrorBox.h"
#include "dialogs/MessageDialog.h"
#include "doubles/FakeMachine.h"
#include "doubles/ScriptedMessageDialogs.h"
#include "resources/Texts.h"
#include "sjis/qt/QtText.h"
#include "text/qt/TMemo.h"

// Records the status text each time the status line is painted.
class PaintedTexts : public QObject {
public:
    explicit PaintedTexts(QLabel* label) : label_(label) {
        if (label_) label_->installEventFilter(this);
    }
    std::vector<std::string> texts;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == label_ && event->type() == QEvent::Paint) texts.push_back(FromQString(label_->text()));
        return false;
    }

private:
    QLabel* label_;
};

class SaveForm : public FakeMachine {
public:
    SaveForm() {
        drives.Add('c', platform::DriveType::Fixed, "WinSys");
        form.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&form));
    }
    SaveForm(const SaveForm&) = delete;
    SaveForm& operator=(const SaveForm&) = delete;

    // The two lines of the worked examples: c:\ and the tree piece, a space and A&B.
    void PutExampleLines() {
        form.Memo1->AppendLine("c:\\");
        form.Memo1->AppendLine("\x84\xAF\x20\x41\x26\x42");
    }
    std::string StatusText() { return form.Status().Text(); }
    QLabel* StatusLabel() { return form.StatusBar1->findChild<QLabel*>("StatusText"); }

    ScriptedMessageDialogs dialogs;
    const std::vector<std::string>& errorBoxes = dialogs.errorBoxes;
    TForm1 form;
};
