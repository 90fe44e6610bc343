#include "core/keyeditor/mouse_functions.h"

namespace kw {

int MousePositionOfCode(KeyCode code) {
    for (int i = 0; i < kMouseFunctionCount; ++i) {
        if (kMouseFunctionCodes[static_cast<std::size_t>(i)] == code) {
            return i;
        }
    }
    return -1;
}

KeyCode MouseCodeOfPosition(int position) {
    if (position < 0 || position >= kMouseFunctionCount) {
        return kNoKey;
    }
    return kMouseFunctionCodes[static_cast<std::size_t>(position)];
}

} // namespace kw
