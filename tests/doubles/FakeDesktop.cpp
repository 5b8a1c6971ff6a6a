#include "doubles/FakeDesktop.h"

namespace platform {

bool FakeDesktop::EscapeDown() {
    const int poll = polls++;
    return escapeScript ? escapeScript(poll) : false;
}

}  // namespace platform
