#include "dialogs/ErrorText.h"

#include "sjis/Cp932.h"

std::string ErrorBoxText(std::string_view message) {
    std::string text(message);
    if (text.empty()) return text;
    // The last character starts one byte earlier when its last byte is a second byte.
    std::size_t last = text.size() - 1;
    if (sjis::IsSecondByte(text, last)) --last;
    if (static_cast<unsigned char>(text[last]) > static_cast<unsigned char>('.')) text += '.';
    return text;
}
