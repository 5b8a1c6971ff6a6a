#pragma once
#include <QPlainTextEdit>
#include <string>
#include <string_view>

// The editor pane.
class TMemo : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit TMemo(QWidget* parent = nullptr);

    // Line list (code page 932 bytes, CR LF breaks).
    void ClearLines();
    int AppendLine(std::string_view line);
    int LineCount() const;
    std::string LineAt(int index) const;
    std::string FullText() const;
};
