#pragma once
// The program's modal message dialog, sized to its text and buttons.
#include <cstdint>
#include <string_view>

enum TMessageKind : std::uint8_t { mkWarning, mkError, mkInformation, mkConfirmation, mkCustom };

enum TMessageButton : std::uint8_t {
    mbYes,
    mbNo,
    mbOK,
    mbCancel,
    mbAbort,
    mbRetry,
    mbIgnore,
    mbAll,
    mbNoToAll,
    mbYesToAll,
    mbHelp,
};

// Bit i stands for button kind i.
using TMessageButtons = std::uint16_t;

constexpr TMessageButtons ButtonSet(std::initializer_list<TMessageButton> buttons) {
    TMessageButtons set = 0;
    for (TMessageButton button : buttons) set = TMessageButtons(set | (1u << button));
    return set;
}

// Modal results.
enum : int {
    mrNone = 0,
    mrOk = 1,
    mrCancel = 2,
    mrAbort = 3,
    mrRetry = 4,
    mrIgnore = 5,
    mrYes = 6,
    mrNo = 7,
    mrAll = 8,
    mrNoToAll = 9,
    mrYesToAll = 10
};

// Shows the dialog and returns the pressed button's result, 2 when closed otherwise.
// `text` is code page 932.
int MessageDialog(std::string_view text, TMessageKind kind, TMessageButtons buttons, int helpContext);

// The program's calls. `path` is code page 932.
void ShowDriveNotReady();
void ShowCannotOpenFolder(std::string_view path);
int AskReplaceMemo();
void ShowNoDriveSelected();
void ShowNoMemo();
void ShowBadDepth();
