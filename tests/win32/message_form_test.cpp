// The Windows message dialog: laid out by msglayout, answered by the keys as on Linux, modal
// over the program's other windows.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "dialogs/MessageLayout.h"
#include "dialogs/win32/TMessageForm.h"
#include "resources/Texts.h"
#include "sjis/WinText.h"
#include "support/ModalInput.h"
#include "support/TestWindow.h"

namespace {

const TMessageButtons kYesNo = ButtonSet({mbYes, mbNo});
const TMessageButtons kOk = ButtonSet({mbOK});

std::wstring Wide(std::string_view utf8) { return WideFromCp932(texts::Cp932(utf8)); }

TEST(MessageForm, TheQuestionIsLaidOutByTheLayoutArithmetic) {
    TMessageForm form(texts::Cp932(texts::kConfirmReplaceMemo), mkConfirmation, kYesNo, 0);
    EXPECT_EQ(TextOf(form.Handle()), Wide(texts::kCaptionConfirmation));
    EXPECT_EQ(form.Icon(), LoadIconW(nullptr, IDI_QUESTION));
    const msglayout::Layout& layout = form.Layout();
    RECT client{};
    GetClientRect(form.Handle(), &client);
    EXPECT_EQ(client.right, layout.client.width);
    EXPECT_EQ(client.bottom, layout.client.height);
    ASSERT_EQ(layout.buttons.size(), 2u);
    for (const auto& placed : layout.buttons) {
        RECT r{};
        GetWindowRect(form.Button(placed.kind), &r);
        MapWindowPoints(nullptr, form.Handle(), reinterpret_cast<POINT*>(&r), 2);
        EXPECT_EQ(r.left, placed.rect.left);
        EXPECT_EQ(r.top, placed.rect.top);
        EXPECT_EQ(r.right - r.left, placed.rect.width);
    }
    EXPECT_EQ(TextOf(form.Button(mbYes)), Wide(texts::kButtonYes));
    EXPECT_EQ(TextOf(form.Button(mbNo)), Wide(texts::kButtonNo));
    EXPECT_TRUE(GetWindowLongW(form.Button(mbYes), GWL_STYLE) & BS_DEFPUSHBUTTON);
    const LONG style = GetWindowLongW(form.Handle(), GWL_STYLE);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
    // Centred on the screen.
    RECT outer{};
    GetWindowRect(form.Handle(), &outer);
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    EXPECT_EQ(outer.left, (screenWidth - (outer.right - outer.left)) / 2);
}

TEST(MessageForm, KeysAnswerTheQuestionAsOnLinux) {
    const auto ask = [](const std::function<void(TMessageForm&)>& input) {
        TMessageForm form(texts::Cp932(texts::kConfirmReplaceMemo), mkConfirmation, kYesNo, 0);
        return Answer(form, input);
    };
    EXPECT_EQ(ask([](TMessageForm& f) { Key(f.Button(mbYes), VK_RETURN); }), mrYes) << "Enter: Yes has the focus";
    EXPECT_EQ(ask([](TMessageForm& f) { Key(f.Button(mbYes), VK_ESCAPE); }), mrNo) << "Esc: No is the cancel button";
    EXPECT_EQ(ask([](TMessageForm& f) { PostMessageW(f.Button(mbYes), WM_CHAR, L'n', 1); }), mrNo);
    EXPECT_EQ(ask([](TMessageForm& f) { PostMessageW(f.Button(mbYes), WM_SYSCHAR, L'Y', 1 << 29); }), mrYes);
    EXPECT_EQ(ask([](TMessageForm& f) {
                  PostMessageW(f.Button(mbYes), WM_CHAR, L'q', 1);  // no such accelerator: nothing
                  Key(f.Button(mbYes), VK_TAB);
                  Key(f.Handle(), VK_RETURN);
              }),
              mrNo)
        << "Tab moves to No, and Enter presses the button with the focus";
    EXPECT_EQ(ask([](TMessageForm& f) { Key(f.Button(mbYes), VK_RIGHT), Key(f.Handle(), VK_RETURN); }), mrNo);
    EXPECT_EQ(ask([](TMessageForm& f) { PostMessageW(f.Handle(), WM_CLOSE, 0, 0); }), mrCancel);
    EXPECT_EQ(ask([](TMessageForm& f) { PostMessageW(f.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0); }), mrCancel);
}

TEST(MessageForm, OkAloneAnswersEnterAndEscWithOneTheCloseBoxWithTwo) {
    const auto tell = [](const std::function<void(TMessageForm&)>& input) {
        TMessageForm form(texts::Cp932(texts::kDriveNotReady), mkInformation, kOk, 0);
        EXPECT_EQ(TextOf(form.Handle()), Wide(texts::kCaptionInformation));
        EXPECT_EQ(form.Icon(), LoadIconW(nullptr, IDI_ASTERISK));
        return Answer(form, input);
    };
    EXPECT_EQ(tell([](TMessageForm& f) { Key(f.Button(mbOK), VK_RETURN); }), mrOk);
    EXPECT_EQ(tell([](TMessageForm& f) { Key(f.Button(mbOK), VK_ESCAPE); }), mrOk);
    EXPECT_EQ(tell([](TMessageForm& f) { PostMessageW(f.Handle(), WM_CLOSE, 0, 0); }), mrCancel);
}

TEST(MessageForm, OtherWindowsAreDisabledMeanwhileAndTheActiveOneComesBack) {
    TestWindow main;
    ShowWindow(main.Handle(), SW_SHOW);
    SetActiveWindow(main.Handle());
    ASSERT_EQ(GetActiveWindow(), main.Handle());
    bool enabledMeanwhile = true;
    HWND activeMeanwhile = nullptr;
    TMessageForm form(texts::Cp932(texts::kNoMemo), mkConfirmation, kOk, 0);
    EXPECT_EQ(Answer(form,
                     [&](TMessageForm& f) {
                         enabledMeanwhile = IsWindowEnabled(main.Handle());
                         activeMeanwhile = GetActiveWindow();
                         Key(f.Button(mbOK), VK_RETURN);
                     }),
              mrOk);
    EXPECT_FALSE(enabledMeanwhile);
    EXPECT_EQ(activeMeanwhile, form.Handle());
    EXPECT_TRUE(IsWindowEnabled(main.Handle()));
    EXPECT_EQ(GetActiveWindow(), main.Handle());
    EXPECT_FALSE(IsWindowVisible(form.Handle()));
}

TEST(MessageForm, ButtonCaptionsAreMeasuredOnceAndLongTextWraps) {
    const int before = msglayout::ProcessButtonWidths().Measurements();
    { TMessageForm first("a", mkCustom, ButtonSet({mbAbort, mbRetry}), 0); }
    const int measured = msglayout::ProcessButtonWidths().Measurements();
    EXPECT_LE(measured - before, 2);
    TMessageForm second(std::string(3000, 'w') + " end", mkCustom, ButtonSet({mbAbort, mbRetry}), 0);
    EXPECT_EQ(msglayout::ProcessButtonWidths().Measurements(), measured);
    EXPECT_EQ(second.Icon(), nullptr);
    EXPECT_FALSE(second.Layout().icon);
    EXPECT_LE(second.Layout().label.width, GetSystemMetrics(SM_CXSCREEN) / 2);
    EXPECT_GT(second.Layout().label.height, second.Layout().units.verticalMargin);
}

}  // namespace
