#pragma once
// A small modal dialog that asks for one text: a caption, a prompt above a box of one line
// or of several, OK and キャンセル. The view options' depth and names left out are asked
// with it; each window shows it in its own toolkit.
#include <string>
#include <string_view>

class InputDialog {
public:
    enum Lines { kOneLine, kManyLines };

    // Caption and prompt from the program's texts (UTF-8).
    InputDialog(std::string_view caption, std::string_view prompt, Lines lines);

    // Modal, through the presenter in use; true when confirmed, Text() then being what was
    // typed.
    bool Execute();

    const std::string& Caption() const { return caption_; }  // code page 932
    const std::string& Prompt() const { return prompt_; }    // code page 932
    Lines LineKind() const { return lines_; }
    // The box's text, code page 932; several lines are joined by CR LF.
    const std::string& Text() const { return text_; }
    // What the box shows at the next opening; also what a presenter hands back on OK.
    void SetText(std::string cp932) { text_ = std::move(cp932); }

private:
    std::string caption_;
    std::string prompt_;
    Lines lines_;
    std::string text_;
};

// Who shows the dialog: the window's own, unless another presenter has been put in place.
// Without either, every opening is cancelled.
class InputDialogPresenter {
public:
    virtual ~InputDialogPresenter() = default;
    // Modal; true on OK, with the text typed handed to dialog.SetText.
    virtual bool Present(InputDialog& dialog) = 0;

    static InputDialogPresenter& Current();
    // Puts a presenter in place; returns the one it replaces (nullptr for the screen).
    static InputDialogPresenter* Install(InputDialogPresenter* presenter);
    // The window's own dialog; each window sets it at start-up.
    static void UseScreen(InputDialogPresenter& screen);
};
