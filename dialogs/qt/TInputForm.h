#pragma once
#include <QDialog>

#include "dialogs/InputDialog.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// The input dialog's window: fixed frame with a close box only, the prompt, the box and OK
// and キャンセル, sized and placed by inputlayout in the message dialog's font. Return
// presses OK (in a box of several lines it starts a new line, and Ctrl+Return presses OK);
// ESC and the close box cancel.
class TInputForm : public QDialog {
    Q_OBJECT
public:
    explicit TInputForm(const InputDialog& dialog);

    // The box's text; several lines are joined by CR LF.
    QString Text() const;

    QLabel* Prompt() const { return prompt_; }
    QLineEdit* LineBox() const { return line_; }         // a box of one line; else nullptr
    QPlainTextEdit* LinesBox() const { return lines_; }  // a box of several lines; else nullptr
    QPushButton* OkButton() const { return ok_; }
    QPushButton* CancelButton() const { return cancel_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* prompt_ = nullptr;
    QLineEdit* line_ = nullptr;
    QPlainTextEdit* lines_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
};
