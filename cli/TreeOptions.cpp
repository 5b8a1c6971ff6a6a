#include "cli/TreeOptions.h"

#include <charconv>

#include "resources/Texts.h"
#include "save/SavePath.h"
#include "sjis/Cp932.h"

namespace cli {

namespace {

std::optional<int> Depth(std::string_view text) {
    int depth = 0;
    const char* end = text.data() + text.size();
    const auto [at, failure] = std::from_chars(text.data(), end, depth);
    if (text.empty() || failure != std::errc() || at != end || depth < 1) return std::nullopt;
    return depth;
}

std::optional<TextEncoding> Encoding(std::string_view text) {
    const std::string name = sjis::AsciiLower(text);
    if (name == "cp932") return TextEncoding::kCp932;
    if (name == "utf-8" || name == "utf8") return TextEncoding::kUtf8;
    return std::nullopt;
}

// Walks the arguments, one option (with its value) at a time.
class Parser {
public:
    explicit Parser(const std::vector<std::string>& arguments) : arguments_(arguments) {}

    ParsedOptions Parse() {
        bool options = true;
        for (next_ = 0; next_ < arguments_.size() && !parsed_.error;) {
            const std::string& argument = arguments_[next_++];
            if (options && argument == "--")
                options = false;
            else if (options && argument.size() > 1 && argument[0] == '-')
                Option(argument);
            else
                Folder(argument);
        }
        return parsed_;
    }

private:
    void Fail(std::string_view text, std::string argument) { parsed_.error = UsageError{text, std::move(argument)}; }

    // The value of an option: what follows its name in the same argument, else the next one.
    std::optional<std::string> Value(const std::string& name, std::optional<std::string> attached) {
        if (attached) return attached;
        if (next_ < arguments_.size()) return arguments_[next_++];
        Fail(texts::kTreeMissingValue, name);
        return std::nullopt;
    }

    void Option(const std::string& argument) {
        std::string name = argument;
        std::optional<std::string> attached;
        if (argument.rfind("--", 0) == 0) {
            if (const auto equals = argument.find('='); equals != std::string::npos) {
                name = argument.substr(0, equals);
                attached = argument.substr(equals + 1);
            }
        } else if (argument.size() > 2) {
            name = argument.substr(0, 2);
            attached = argument.substr(2);
        }
        TreeOptions& options = parsed_.options;
        const bool flag = !attached.has_value();
        if (flag && (name == "-h" || name == "--help")) {
            options.help = true;
        } else if (flag && name == "--version") {
            options.version = true;
        } else if (flag && name == "--memo-limit") {
            options.memoLimit = true;
        } else if (flag && (name == "-f" || name == "--files")) {
            options.files = true;
        } else if (name == "-I" || name == "--exclude") {
            if (const auto value = Value(name, attached)) {
                // An empty pattern would leave nothing out: a variable left unset, most likely.
                if (value->empty())
                    Fail(texts::kTreeEmptyPattern, name);
                else
                    options.excluded.push_back(*value);
            }
        } else if (name == "-o" || name == "--output") {
            if (const auto value = Value(name, attached)) Output(*value);
        } else if (name == "-L" || name == "--depth") {
            if (const auto value = Value(name, attached)) {
                const std::optional<int> depth = Depth(*value);
                if (depth)
                    options.depth = *depth;
                else
                    Fail(texts::kTreeBadDepth, *value);
            }
        } else if (name == "--encoding") {
            if (const auto value = Value(name, attached)) {
                options.encoding = Encoding(*value);
                if (!options.encoding) Fail(texts::kTreeBadEncoding, *value);
            }
        } else {
            Fail(texts::kTreeUnknownOption, argument);
        }
    }

    // The save command's extension rule, without a file type entry to fall back on.
    void Output(const std::string& name) {
        const save::SaveChoice choice = save::ChooseFormat(save::SavePath::FromNative(name).name, 0);
        if (choice.format == save::SaveFormat::kNone) return Fail(texts::kTreeBadOutputName, name);
        parsed_.options.output = name;
        parsed_.options.outputFormat = choice.format;
    }

    void Folder(const std::string& argument) {
        if (parsed_.options.folder) return Fail(texts::kTreeOneFolder, argument);
        parsed_.options.folder = argument;
        parsed_.options.drive = DriveLetter(argument);
    }

    const std::vector<std::string>& arguments_;
    std::size_t next_ = 0;
    ParsedOptions parsed_;
};

}  // namespace

ParsedOptions ParseTreeOptions(const std::vector<std::string>& arguments) { return Parser(arguments).Parse(); }

ScanOptions ScanOptionsOf(const TreeOptions& options, platform::FileSystem& files) {
    ScanOptions scan;
    scan.files = options.files;
    scan.depth = options.depth > 0 ? options.depth : 0;
    for (const std::string& pattern : options.excluded) scan.excluded.Add(files.Utf16Name(pattern));
    return scan;
}

char DriveLetter(std::string_view folder) {
    if (folder.size() != 2 || folder[1] != ':') return 0;
    const char letter = sjis::AsciiLower(folder[0]);
    return letter >= 'a' && letter <= 'z' ? letter : 0;
}

}  // namespace cli
