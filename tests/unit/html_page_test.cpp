#include "save/HtmlPage.h"

#include <gtest/gtest.h>

#include "doubles/FaultySaves.h"

#include <initializer_list>
#include <set>
#include <string>
#include <vector>

#include "save/AtomicFile.h"
#include "save/SaveError.h"
#include "unit/support/Bytes.h"
#include "unit/support/TempFolder.h"

namespace {

using save::SavePath;

void WritePage(const std::string& native, const std::vector<std::string>& lines) {
    save::WriteHtmlPage(SavePath::FromNative(native), int(lines.size()),
                        [&](int i) { return lines.at(std::size_t(i)); });
}

// c:\ and the tree piece, a space and A&B.
const std::vector<std::string> kExampleLines = {Bytes({0x63, 0x3A, 0x5C}), Bytes({0x84, 0xAF, 0x20, 0x41, 0x26, 0x42})};

TEST(HtmlPage, WorkedExampleByteForByte) {
    const std::string expected = Bytes({
        0x3C, 0x48, 0x54, 0x4D, 0x4C, 0x3E, 0x0D, 0x0A,                                // <HTML>
        0x3C, 0x48, 0x45, 0x41, 0x44, 0x3E, 0x0D, 0x0A,                                // <HEAD>
        0x3C, 0x54, 0x49, 0x54, 0x4C, 0x45, 0x3E,                                      // <TITLE>
        0x83, 0x74, 0x83, 0x48, 0x83, 0x8B, 0x83, 0x5F, 0x8D, 0x5C, 0x90, 0xAC,        // title
        0x3C, 0x2F, 0x54, 0x49, 0x54, 0x4C, 0x45, 0x3E, 0x0D, 0x0A,                    // </TITLE>
        0x3C, 0x4D, 0x45, 0x54, 0x41, 0x20, 0x4E, 0x41, 0x4D, 0x45, 0x3D,              // <META NAME=
        0x47, 0x45, 0x4E, 0x45, 0x52, 0x41, 0x54, 0x4F, 0x52, 0x20,                    // GENERATOR
        0x43, 0x4F, 0x4E, 0x54, 0x45, 0x4E, 0x54, 0x3D, 0x22,                          // CONTENT="
        0x4F, 0x72, 0x76, 0x61, 0x6C, 0x65, 0x22, 0x3E, 0x0D, 0x0A,                    // Orvale">
        0x3C, 0x2F, 0x48, 0x45, 0x41, 0x44, 0x3E, 0x0D, 0x0A,                          // </HEAD>
        0x3C, 0x42, 0x4F, 0x44, 0x59, 0x3E, 0x0D, 0x0A,                                // <BODY>
        0x3C, 0x42, 0x41, 0x53, 0x45, 0x46, 0x4F, 0x4E, 0x54, 0x20,                    // <BASEFONT
        0x46, 0x41, 0x43, 0x45, 0x3D, 0x22,                                            // FACE="
        0x82, 0x6C, 0x82, 0x72, 0x20, 0x96, 0xBE, 0x92, 0xA9, 0x22, 0x3E, 0x0D, 0x0A,  // face">
        0x3C, 0x50, 0x3E, 0x0D, 0x0A,                                                  // <P>
        0x63, 0x3A, 0x5C, 0x3C, 0x42, 0x52, 0x3E, 0x0D, 0x0A,                          // c:\<BR>
        0x84, 0xAF, 0x20, 0x41, 0x26, 0x42, 0x3C, 0x42, 0x52, 0x3E, 0x0D, 0x0A,        // piece A&B<BR>
        0x3C, 0x2F, 0x50, 0x3E, 0x3C, 0x2F, 0x42, 0x4F, 0x44, 0x59, 0x3E, 0x0D, 0x0A,  // </P></BODY>
        0x3C, 0x2F, 0x48, 0x54, 0x4D, 0x4C, 0x3E, 0x0D, 0x0A,                          // </HTML>
    });
    ASSERT_EQ(expected.size(), 179u);
    TempFolder folder;
    WritePage(folder / "page.htm", kExampleLines);
    EXPECT_EQ(TempFolder::Read(folder / "page.htm"), expected);
}

TEST(HtmlPage, FixedPartIs158BytesAndEachLineAddsItsLengthAndSix) {
    EXPECT_EQ(save::HtmlHead().size() + save::HtmlTail().size(), 158u);
    TempFolder folder;
    WritePage(folder / "empty.htm", {});
    EXPECT_EQ(TempFolder::Read(folder / "empty.htm"), save::HtmlHead() + save::HtmlTail());

    // Markup and quotes pass unescaped; an empty line is "<BR>" alone.
    const std::vector<std::string> lines = {"<B>\"x\" & y</B>", "", std::string(4096, 'w')};
    WritePage(folder / "lines.htm", lines);
    EXPECT_EQ(TempFolder::Read(folder / "lines.htm"),
              save::HtmlHead() + "<B>\"x\" & y</B><BR>\r\n<BR>\r\n" + lines[2] + "<BR>\r\n" + save::HtmlTail());
    EXPECT_EQ(TempFolder::Read(folder / "lines.htm").size(), 158 + (14 + 6) + 6 + (4096 + 6));
}

TEST(HtmlPage, FetchesEachLineOnceInOrder) {
    TempFolder folder;
    std::vector<int> asked;
    save::WriteHtmlPage(SavePath::FromNative(folder / "p.htm"), 3, [&](int i) {
        asked.push_back(i);
        return std::string(1, char('a' + i));
    });
    EXPECT_EQ(asked, (std::vector<int>{0, 1, 2}));
}

TEST(HtmlPage, FailureAnywhereKeepsTheOldPageAndLeavesNothingElse) {
    TempFolder folder;
    const std::string target = folder / "page.htm";
    const std::string old = "<HTML>old</HTML>\r\n";
    for (std::int64_t writable = 0; writable <= 179; ++writable) {
        TempFolder::Write(target, old);
        platform::ScopedSaveFaults faults({writable, writable == 179, false});
        EXPECT_THROW(WritePage(target, kExampleLines), save::SaveError) << writable;
        EXPECT_EQ(TempFolder::Read(target), old) << writable;
        EXPECT_EQ(folder.Names(), std::set<std::string>{"page.htm"}) << writable;
    }
    // A failure while a line is fetched is no different.
    EXPECT_THROW(save::WriteHtmlPage(SavePath::FromNative(target), 2,
                                     [](int i) -> std::string { return i == 0 ? "x" : throw std::bad_alloc(); }),
                 std::bad_alloc);
    EXPECT_EQ(TempFolder::Read(target), old);
    EXPECT_EQ(folder.Names(), std::set<std::string>{"page.htm"});
}

}  // namespace
