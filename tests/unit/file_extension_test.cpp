#include "save/FileExtension.h"

#include <gtest/gtest.h>

#include <string>

#include "resources/Texts.h"
#include "save/SaveFilter.h"

namespace {

using save::ChooseFormat;
using save::FileExtension;
using save::SaveFormat;

// "表" is 95 5C: its second byte is the "\" byte.
const std::string kHyou = "\x95\x5C";

// The two descriptions as shown, in code page 932.
const std::string kTextFiles =
    "\x83\x65\x83\x4C\x83\x58\x83\x67\x83\x74\x83\x40\x83\x43\x83\x8B"
    "(*.txt)";
const std::string kHtmlFiles =
    "HTML\x83\x74\x83\x40\x83\x43\x83\x8B"
    "(*.htm)";

TEST(FileExtension, FromTheLastDotUnlessAFolderSeparatorFollows) {
    EXPECT_EQ(FileExtension("memo.txt"), ".txt");
    EXPECT_EQ(FileExtension("C:\\data\\Page.HTML"), ".HTML");
    EXPECT_EQ(FileExtension("memo."), ".");
    EXPECT_EQ(FileExtension("archive.tar.gz"), ".gz");
    EXPECT_EQ(FileExtension("memo"), "");
    EXPECT_EQ(FileExtension(""), "");
    EXPECT_EQ(FileExtension("C:\\data.old\\memo"), "");
    EXPECT_EQ(FileExtension("/tmp/x/data.old/memo"), "");
    EXPECT_EQ(FileExtension("C:memo"), "");
    EXPECT_EQ(FileExtension(std::string("a.b\0c", 5)), std::string(".b\0c", 4));  // a zero byte is no delimiter
}

TEST(FileExtension, BackslashByteInsideADoubleByteCharacterIsNoSeparator) {
    EXPECT_EQ(FileExtension("C:\\memo." + kHyou), "." + kHyou);
    EXPECT_EQ(FileExtension("/tmp/x." + kHyou + kHyou), "." + kHyou + kHyou);
    // A folder whose name ends in 表 still separates at the real "\" after it.
    EXPECT_EQ(FileExtension("C:\\a.b" + kHyou + "\\memo"), "");
    // After an even run of lead bytes the 0x5C is a real "\".
    EXPECT_EQ(FileExtension("x.\x95\x95\\memo"), "");
}

TEST(FileExtension, ChoiceFollowsTheTypedExtensionThenTheFileType) {
    struct Case {
        std::string name;
        int filterIndex;
        std::string appended;
        SaveFormat format;
    };
    const Case cases[] = {
        {"memo", 1, ".txt", SaveFormat::kText},
        {"memo", 2, ".htm", SaveFormat::kHtml},
        {"memo", 3, "", SaveFormat::kNone},
        {"memo.txt", 2, "", SaveFormat::kText},
        {"memo.htm", 1, "", SaveFormat::kHtml},
        {"MEMO.TXT", 2, "", SaveFormat::kText},
        {"Page.HTML", 1, "", SaveFormat::kHtml},
        {"memo.doc", 1, "", SaveFormat::kNone},
        {"memo.", 1, "", SaveFormat::kNone},
        {"memo.txt2", 1, "", SaveFormat::kNone},
        {"/tmp/x/data.old/memo", 2, ".htm", SaveFormat::kHtml},
        {"C:\\data.old\\memo", 1, ".txt", SaveFormat::kText},
        {"memo." + kHyou, 1, "", SaveFormat::kNone},
    };
    for (const Case& c : cases) {
        const save::SaveChoice choice = ChooseFormat(c.name, c.filterIndex);
        EXPECT_EQ(choice.appended, c.appended) << c.name << " " << c.filterIndex;
        EXPECT_EQ(choice.format, c.format) << c.name << " " << c.filterIndex;
    }
}

TEST(SaveFilter, TwoEntriesAndNoSplitInsideADoubleByteCharacter) {
    const auto entries = save::SplitFilter(texts::Cp932(texts::kSaveFilter));
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].description, kTextFiles);
    EXPECT_EQ(entries[0].patterns, std::vector<std::string>{"*.txt"});
    EXPECT_EQ(entries[1].description, kHtmlFiles);
    EXPECT_EQ(entries[1].patterns, (std::vector<std::string>{"*.htm", "*.html"}));

    // "ポ" is 83 7C: its second byte is the "|" byte.
    const auto tricky = save::SplitFilter("\x83\x7C|*.a;*.b");
    ASSERT_EQ(tricky.size(), 1u);
    EXPECT_EQ(tricky[0].description, "\x83\x7C");
    EXPECT_EQ(tricky[0].patterns, (std::vector<std::string>{"*.a", "*.b"}));
}

}  // namespace
