#include "cli/Messages.h"

#include "sjis/Cp932.h"
#include "tree/NodeText.h"

namespace cli {

std::string Messages::Text(std::string_view utf8) const {
    return encoding_ == TextEncoding::kUtf8 ? std::string(utf8) : sjis::FromUtf8(utf8);
}

std::string Messages::Name(std::string_view native) const {
    return encoding_ == TextEncoding::kUtf8 ? Utf8NodeText(files_, native) : NodeText(files_, native);
}

std::string Messages::FromCp932(std::string_view cp932) const {
    return WithoutControls(encoding_ == TextEncoding::kUtf8 ? sjis::ToUtf8(cp932) : std::string(cp932));
}

std::string Messages::Fill(std::string_view utf8, std::initializer_list<std::string_view> arguments) const {
    std::string text = Text(utf8);
    std::size_t from = 0;
    for (const std::string_view argument : arguments) {
        const std::size_t at = text.find("%s", from);
        if (at == std::string::npos) break;
        text.replace(at, 2, argument);
        from = at + argument.size();
    }
    return text;
}

void Messages::Error(std::string_view line) const {
    Put(stderr, "orvale-tree: ");
    Put(stderr, line);
    Put(stderr, "\n");
    std::fflush(stderr);
}

void Messages::Put(std::FILE* stream, std::string_view text) { std::fwrite(text.data(), 1, text.size(), stream); }

}  // namespace cli
