#include "dialogs/MessageKinds.h"

#include <array>

#include "resources/Texts.h"

namespace {

constexpr std::array<MessageButtonKind, mbHelp + 1> kButtonKinds{{
    {"Yes", texts::kButtonYes, mrYes},
    {"No", texts::kButtonNo, mrNo},
    {"OK", texts::kButtonOK, mrOk},
    {"Cancel", texts::kButtonCancel, mrCancel},
    {"Abort", texts::kButtonAbort, mrAbort},
    {"Retry", texts::kButtonRetry, mrRetry},
    {"Ignore", texts::kButtonIgnore, mrIgnore},
    {"All", texts::kButtonAll, mrAll},
    {"NoToAll", texts::kButtonNoToAll, mrNoToAll},
    {"YesToAll", texts::kButtonYesToAll, mrYesToAll},
    {"Help", texts::kButtonHelp, mrNone},
}};

}  // namespace

const MessageButtonKind& ButtonKindOf(TMessageButton kind) { return kButtonKinds.at(kind); }

std::string_view KindCaption(TMessageKind kind) {
    switch (kind) {
        case mkWarning: return texts::kCaptionWarning;
        case mkError: return texts::kCaptionError;
        case mkInformation: return texts::kCaptionInformation;
        case mkConfirmation: return texts::kCaptionConfirmation;
        case mkCustom: break;
    }
    return texts::kAppTitle;
}

bool KindHasIcon(TMessageKind kind) { return kind != mkCustom; }
