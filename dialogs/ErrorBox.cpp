#include "dialogs/ErrorBox.h"

#include <exception>

#include "dialogs/DialogPresenter.h"
#include "dialogs/ErrorText.h"

namespace errorbox {

void Show(std::string_view cp932Message) { DialogPresenter::Current().Error(ErrorBoxText(cp932Message)); }

void Guard(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const std::exception& failure) {
        Show(failure.what());
    }
}

}  // namespace errorbox
