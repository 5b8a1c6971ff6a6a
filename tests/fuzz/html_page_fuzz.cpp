// The HTML page of an editor text built from the input, written through the real writer
// into memory: the fixed head and tail byte for byte, one "<BR>" line per editor line cut
// to 4096 bytes (never half a character), 158 + the sum of (line length + 6) bytes in all.
#include <cstdint>
#include <string>
#include <vector>

#include "doubles/FakeDesktop.h"
#include "doubles/FakeDriveSystem.h"
#include "doubles/FakeFileSystem.h"
#include "doubles/MemoryTempFiles.h"
#include "doubles/ScopedPlatform.h"
#include "fuzz/support/CharScan.h"
#include "fuzz/support/FuzzInput.h"
#include "fuzz/support/Require.h"
#include "save/HtmlPage.h"
#include "save/TextLines.h"

namespace {

using fuzz::Require;

constexpr std::size_t kLineBytes = 4096;

// The page's first eight lines and last two, as the page format gives them.
const std::string kHead =
    "<HTML>\r\n<HEAD>\r\n<TITLE>\x83\x74\x83\x48\x83\x8B\x83\x5F\x8D\x5C\x90\xAC</TITLE>\r\n"
    "<META NAME=GENERATOR CONTENT=\"Orvale\">\r\n</HEAD>\r\n<BODY>\r\n"
    "<BASEFONT FACE=\"\x82\x6C\x82\x72\x20\x96\xBE\x92\xA9\">\r\n<P>\r\n";
const std::string kTail = "</P></BODY>\r\n</HTML>\r\n";

// An editor text: lines of any bytes, some past 4096 bytes, CR LF between them.
std::string EditorText(fuzz::FuzzInput& input) {
    std::string text;
    while (!input.Empty()) {
        if (input.Below(8) == 0) {
            const std::string piece = input.Text(4);
            const std::size_t times = 1 + input.Below(5000);
            for (std::size_t i = 0; i < times && !piece.empty(); ++i) text += piece;
        } else {
            text += input.Text(40);
        }
        if (input.Flag()) text += "\r\n";
    }
    return text;
}

class MemoryPlatform {
public:
    MemoryPlatform() : platform_{drives_, files_, desktop_, saves_}, scoped_(platform_) {}
    platform::MemoryTempFiles& Saves() { return saves_; }

private:
    platform::FakeDriveSystem drives_;
    platform::FakeFileSystem files_;
    platform::FakeDesktop desktop_;
    platform::MemoryTempFiles saves_;
    platform::Platform platform_;
    platform::ScopedPlatform scoped_;
};

MemoryPlatform& Memory() {
    static MemoryPlatform memory;
    return memory;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::FuzzInput input(data, size);
    const std::string text = EditorText(input);

    std::vector<std::string> expected;
    for (const std::string& line : fuzz::SplitLines(text)) expected.emplace_back(fuzz::LongestFit(line, kLineBytes));
    const save::TextLines lines(text);
    Require(lines.Count() == int(expected.size()), "LineCount leaves out only an empty last piece");
    Require(lines.At(-1).empty() && lines.At(lines.Count()).empty(), "a line outside the text is empty");

    platform::MemoryTempFiles& saves = Memory().Saves();
    saves.files.clear();
    const save::SavePath target{"page.htm", "/memory/page.htm"};
    save::WriteHtmlPage(target, lines.Count(), [&lines](int i) { return lines.At(i); });
    Require(saves.files.size() == 1, "the page takes the target's place");
    const std::string& page = saves.files.begin()->second;

    std::string body;
    std::size_t pageSize = 158;
    for (const std::string& line : expected) {
        body += line + "<BR>\r\n";
        pageSize += line.size() + 6;
    }
    Require(page.size() == pageSize, "158 bytes and each line's length plus 6");
    Require(page.compare(0, kHead.size(), kHead) == 0, "the head, byte for byte");
    Require(page.size() >= kTail.size() && page.compare(page.size() - kTail.size(), kTail.size(), kTail) == 0,
            "the tail, byte for byte");
    Require(page == kHead + body + kTail, "each line cut to 4096 bytes between characters, then <BR>");
    return 0;
}
