// The Windows input dialog: laid out by inputlayout, answered by the keys as on Linux, and
// handing back what was typed in code page 932.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "dialogs/win32/ScreenInputDialog.h"
#include "dialogs/win32/TInputForm.h"
#include "resources/Texts.h"
#include "sjis/WinText.h"
#include "support/ModalInput.h"

namespace {

void Type(HWND target, std::wstring_view text) {
    for (const wchar_t c : text) PostMessageW(target, WM_CHAR, c, 1);
}

// Ctrl+Enter as the keyboard gives it, so that the key state says Ctrl is down.
void CtrlEnter() {
    INPUT keys[4] = {};
    for (INPUT& input : keys) input.type = INPUT_KEYBOARD;
    keys[0].ki.wVk = keys[3].ki.wVk = VK_CONTROL;
    keys[1].ki.wVk = keys[2].ki.wVk = VK_RETURN;
    keys[2].ki.dwFlags = keys[3].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(4, keys, sizeof(INPUT));
}

RECT InDialog(const TInputForm& form, HWND control) {
    RECT r{};
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, form.Handle(), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

TEST(InputForm, LaidOutByTheLayoutArithmeticWithABoxOfOneLineOrSeveral) {
    InputDialog depth(texts::kDepthDialogTitle, texts::kDepthPrompt, InputDialog::kOneLine);
    InputDialog names(texts::kExcludeDialogTitle, texts::kExcludePrompt, InputDialog::kManyLines);
    for (const InputDialog* dialog : {&depth, &names}) {
        TInputForm form(*dialog);
        EXPECT_EQ(TextOf(form.Handle()), WideFromCp932(dialog->Caption()));
        const inputlayout::Layout& layout = form.Layout();
        RECT client{};
        GetClientRect(form.Handle(), &client);
        EXPECT_EQ(client.right, layout.client.width);
        EXPECT_EQ(client.bottom, layout.client.height);
        const RECT box = InDialog(form, form.Box()), ok = InDialog(form, form.Button(IDOK));
        EXPECT_EQ(box.left, layout.box.left);
        EXPECT_EQ(box.top, layout.box.top);
        EXPECT_EQ(box.bottom - box.top, layout.box.height);
        EXPECT_EQ(ok.left, layout.ok.left);
        EXPECT_EQ(InDialog(form, form.Button(IDCANCEL)).left, layout.cancel.left);
        EXPECT_TRUE(GetWindowLongW(form.Button(IDOK), GWL_STYLE) & BS_DEFPUSHBUTTON);
        EXPECT_EQ(TextOf(form.Button(IDCANCEL)), WideFromCp932(texts::Cp932(texts::kButtonCancel)));
        const bool many = GetWindowLongW(form.Box(), GWL_STYLE) & ES_MULTILINE;
        EXPECT_EQ(many, dialog == &names);
        const LONG style = GetWindowLongW(form.Handle(), GWL_STYLE);
        EXPECT_TRUE(style & WS_SYSMENU);
        EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
    }
}

TEST(InputForm, OneLineIsTypedOverEnterConfirmsEscTheCloseBoxAndCancelDoNot) {
    InputDialog depth(texts::kDepthDialogTitle, texts::kDepthPrompt, InputDialog::kOneLine);
    depth.SetText("5");
    const auto ask = [&](const std::function<void(TInputForm&)>& input) {
        TInputForm form(depth);
        const bool confirmed = Answer(form, input);
        return confirmed ? TextOf(form.Box()) : L"<cancelled>";
    };
    EXPECT_EQ(ask([](TInputForm& f) { Type(f.Box(), L"12"), Key(f.Box(), VK_RETURN); }), L"12");
    EXPECT_EQ(ask([](TInputForm& f) { Type(f.Box(), L"9"), Key(f.Box(), VK_ESCAPE); }), L"<cancelled>");
    EXPECT_EQ(ask([](TInputForm& f) { PostMessageW(f.Handle(), WM_CLOSE, 0, 0); }), L"<cancelled>");
    EXPECT_EQ(ask([](TInputForm& f) { Key(f.Box(), VK_TAB), Key(f.Handle(), VK_TAB), Key(f.Handle(), VK_RETURN); }),
              L"<cancelled>")
        << "Tab to OK, to キャンセル, and Enter presses the button with the focus";
    EXPECT_EQ(ask([](TInputForm& f) { Key(f.Box(), VK_TAB), Key(f.Handle(), VK_RETURN); }), L"5");
}

TEST(InputForm, SeveralLinesTakeEnterAsANewLineAndCtrlEnterOrOkConfirms) {
    InputDialog names(texts::kExcludeDialogTitle, texts::kExcludePrompt, InputDialog::kManyLines);
    names.SetText("node_modules");
    ScreenInputDialog screen;
    const auto ask = [&](const std::function<void(TInputForm&)>& input) {
        static const std::function<void(TInputForm&)>* pending = nullptr;
        pending = &input;
        // Through the presenter: the form it makes is the active window once it is up.
        SetTimer(nullptr, 0, 1, [](HWND, UINT, UINT_PTR id, DWORD) {
            KillTimer(nullptr, id);
            HWND dialog = GetActiveWindow();
            TInputForm* form = reinterpret_cast<TInputForm*>(GetWindowLongPtrW(dialog, DWLP_USER));
            ASSERT_NE(form, nullptr);
            (*pending)(*form);
        });
        return screen.Present(names);
    };
    // A key's character comes after the characters posted before it is read: typed, then Enter.
    EXPECT_TRUE(ask([](TInputForm& f) {
        SetForegroundWindow(f.Handle());
        Type(f.Box(), L"写真*");  // the caret starts at the end
        Key(f.Box(), VK_RETURN);
        CtrlEnter();
    }));
    EXPECT_EQ(names.Text(), "node_modules\x8E\xCA\x90\x5E*\r\n");
    EXPECT_TRUE(ask([](TInputForm& f) {
        Type(f.Box(), L".git");
        Key(f.Box(), VK_TAB);  // to OK: a tab is no character of a name
        Key(f.Handle(), VK_RETURN);
    }));
    EXPECT_EQ(names.Text(), "node_modules\x8E\xCA\x90\x5E*\r\n.git");
    EXPECT_FALSE(ask([](TInputForm& f) {
        Type(f.Box(), L"x");
        Key(f.Box(), VK_ESCAPE);
    }));
    EXPECT_EQ(names.Text(), "node_modules\x8E\xCA\x90\x5E*\r\n.git");
}

}  // namespace
