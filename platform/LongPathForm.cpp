#include "platform/LongPathForm.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace platform {

namespace {

constexpr std::u16string_view kVerbatim = u"\\\\?\\";
constexpr std::u16string_view kDevice = u"\\\\.\\";
constexpr std::u16string_view kUnc = u"\\\\";

constexpr char16_t Upper(char16_t c) { return c >= u'a' && c <= u'z' ? char16_t(c - u'a' + u'A') : c; }
constexpr bool IsLetter(char16_t c) { return Upper(c) >= u'A' && Upper(c) <= u'Z'; }

bool HasDrive(std::u16string_view path) { return path.size() >= 2 && IsLetter(path[0]) && path[1] == u':'; }
bool StartsWithUnc(std::u16string_view rest) {
    return rest.size() >= 4 && Upper(rest[0]) == u'U' && Upper(rest[1]) == u'N' && Upper(rest[2]) == u'C' &&
           rest[3] == u'\\';
}

// A fully qualified path taken apart: its root in "\\?\" form, ending with "\", and the
// names below it.
struct Parts {
    std::u16string root;
    std::vector<std::u16string> names;
};

// The next name of `rest` and `rest` after it; empty when no name is left.
std::u16string_view TakeName(std::u16string_view& rest) {
    const std::size_t start = rest.find_first_not_of(u'\\');
    if (start == std::u16string_view::npos) {
        rest = {};
        return {};
    }
    rest.remove_prefix(start);
    const std::size_t end = std::min(rest.find(u'\\'), rest.size());
    const std::u16string_view name = rest.substr(0, end);
    rest.remove_prefix(end);
    return name;
}

void AddNames(Parts& parts, std::u16string_view rest, bool evaluateDots) {
    for (std::u16string_view name = TakeName(rest); !name.empty(); name = TakeName(rest)) {
        if (evaluateDots && name == u".") continue;
        if (evaluateDots && name == u"..") {
            if (!parts.names.empty()) parts.names.pop_back();
            continue;
        }
        parts.names.emplace_back(name);
    }
}

// Takes the first `count` names of `rest` into the root.
void TakeRootNames(Parts& parts, std::u16string_view& rest, int count) {
    for (int i = 0; i < count; ++i) {
        const std::u16string_view name = TakeName(rest);
        if (name.empty()) return;
        parts.root += name;
        parts.root += u'\\';
    }
}

// `path` ("\" separators only) when it names its folder on its own: a drive path, a UNC
// path or a device path.
std::optional<Parts> Qualified(std::u16string_view path) {
    Parts parts;
    const bool verbatim = path.substr(0, kVerbatim.size()) == kVerbatim;
    if (verbatim || path.substr(0, kDevice.size()) == kDevice) {
        std::u16string_view rest = path.substr(kVerbatim.size());
        parts.root = kVerbatim;
        if (StartsWithUnc(rest)) {
            parts.root += u"UNC\\";
            rest.remove_prefix(4);
            TakeRootNames(parts, rest, 2);
        } else {
            TakeRootNames(parts, rest, 1);
        }
        // A "\\?\" path's names are taken as they are; a "\\.\" path's are parsed.
        AddNames(parts, rest, !verbatim);
        return parts;
    }
    if (path.substr(0, kUnc.size()) == kUnc) {
        std::u16string_view rest = path.substr(kUnc.size());
        parts.root = std::u16string(kVerbatim) + u"UNC\\";
        TakeRootNames(parts, rest, 2);  // server and share
        AddNames(parts, rest, true);
        return parts;
    }
    if (HasDrive(path) && path.size() > 2 && path[2] == u'\\') {
        parts.root = std::u16string(kVerbatim) + Upper(path[0]) + u":\\";
        AddNames(parts, path.substr(3), true);
        return parts;
    }
    return std::nullopt;
}

std::u16string WithBackslashes(std::u16string_view path) {
    std::u16string out(path);
    std::replace(out.begin(), out.end(), u'/', u'\\');
    return out;
}

// The folder "d:x" is taken from: the process's current folder when it lies on that drive,
// else the drive's own last folder, else its root.
std::u16string DriveFolder(char16_t letter, const CurrentFolders& current) {
    const auto onDrive = [letter](std::u16string_view folder) {
        return HasDrive(folder) && Upper(folder[0]) == Upper(letter) && Qualified(WithBackslashes(folder));
    };
    const std::u16string process = current.process ? current.process() : std::u16string();
    if (onDrive(DriveForm(process))) return process;
    const std::u16string own = current.ofDrive ? current.ofDrive(letter) : std::u16string();
    if (onDrive(own)) return own;
    return {Upper(letter), u':', u'\\'};
}

std::u16string Joined(const Parts& parts, bool trailingSeparator) {
    std::u16string out = parts.root;
    for (std::size_t i = 0; i < parts.names.size(); ++i) {
        if (i > 0) out += u'\\';
        out += parts.names[i];
    }
    if (trailingSeparator && !parts.names.empty()) out += u'\\';
    return out;
}

}  // namespace

std::u16string LongPathForm(std::u16string_view path, const CurrentFolders& current) {
    if (path.empty()) return {};
    if (path.substr(0, kVerbatim.size()) == kVerbatim) return std::u16string(path);
    const std::u16string separated = WithBackslashes(path);
    std::optional<Parts> parts = Qualified(separated);
    if (!parts) {
        std::u16string_view rest = separated;
        std::u16string base;
        if (HasDrive(rest)) {
            base = DriveFolder(rest[0], current);
            rest.remove_prefix(2);
        } else if (current.process) {
            base = current.process();
        }
        parts = Qualified(WithBackslashes(base));
        if (!parts) return {};  // nothing to take it from: it names nothing
        if (!rest.empty() && rest[0] == u'\\') parts->names.clear();
        AddNames(*parts, rest, true);
    }
    return Joined(*parts, separated.back() == u'\\');
}

std::u16string DriveForm(std::u16string_view longPath) {
    if (longPath.substr(0, kVerbatim.size()) != kVerbatim) return std::u16string(longPath);
    const std::u16string_view rest = longPath.substr(kVerbatim.size());
    if (StartsWithUnc(rest)) return std::u16string(kUnc) + std::u16string(rest.substr(4));
    if (HasDrive(rest) && (rest.size() == 2 || rest[2] == u'\\')) return std::u16string(rest);
    return std::u16string(longPath);
}

}  // namespace platform
