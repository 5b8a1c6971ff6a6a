#include "cli/Terminal.h"

#include <clocale>
#include <string>

#include "sjis/Cp932.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#else
#include <langinfo.h>
#include <unistd.h>
#endif

namespace cli {

namespace {

// Upper-case letters and digits only: "Shift_JIS", "SHIFT-JIS" and "shiftjis" are one name.
std::string Folded(std::string_view name) {
    std::string folded;
    for (const char c : name) {
        const char lower = sjis::AsciiLower(c);
        if ((lower >= 'a' && lower <= 'z') || (lower >= '0' && lower <= '9')) folded += lower;
    }
    return folded;
}

}  // namespace

TextEncoding EncodingOfCodeset(std::string_view codeset) {
    const std::string name = Folded(codeset);
    if (name == "sjis" || name == "shiftjis" || name == "cp932" || name == "windows31j" || name == "mskanji" ||
        name == "csshiftjis" || name == "ibm943")
        return TextEncoding::kCp932;
    return TextEncoding::kUtf8;
}

#ifdef _WIN32

bool IsTerminal(std::FILE* stream) { return _isatty(_fileno(stream)) != 0; }

TextEncoding TerminalEncoding() { return GetConsoleOutputCP() == CP_UTF8 ? TextEncoding::kUtf8 : TextEncoding::kCp932; }

void PrepareTerminal() {
    std::setlocale(LC_ALL, "");
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
}

#else

bool IsTerminal(std::FILE* stream) { return isatty(fileno(stream)) != 0; }

TextEncoding TerminalEncoding() { return EncodingOfCodeset(nl_langinfo(CODESET)); }

void PrepareTerminal() { std::setlocale(LC_ALL, ""); }

#endif

}  // namespace cli
