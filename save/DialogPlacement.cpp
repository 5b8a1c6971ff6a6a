#include "save/DialogPlacement.h"

namespace save {

Placement SaveDialogPlacement(int monitorLeft, int monitorTop, int monitorWidth, int monitorHeight, int dialogWidth,
                              int dialogHeight) {
    return {monitorLeft + (monitorWidth - dialogWidth) / 2, monitorTop + (monitorHeight - dialogHeight) / 3};
}

}  // namespace save
