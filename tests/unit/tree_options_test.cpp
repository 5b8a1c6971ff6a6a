#include "cli/TreeOptions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/Terminal.h"
#include "platform/Platform.h"
#include "resources/Texts.h"

namespace {

using cli::ParsedOptions;
using cli::ParseTreeOptions;

ParsedOptions Parse(std::vector<std::string> arguments) { return ParseTreeOptions(arguments); }

TEST(TreeOptions, EveryOptionInItsShortLongAndAttachedForms) {
    for (const auto& arguments : std::vector<std::vector<std::string>>{
             {"-o", "out.txt", "-L", "3", "--encoding", "utf-8", "--memo-limit", "dir"},
             {"--output", "out.txt", "--depth", "3", "--encoding", "UTF8", "--memo-limit", "dir"},
             {"-oout.txt", "-L3", "--encoding=Utf-8", "dir", "--memo-limit"},
             {"--output=out.txt", "--depth=3", "--memo-limit", "--encoding=utf-8", "--", "dir"}}) {
        const ParsedOptions parsed = Parse(arguments);
        ASSERT_FALSE(parsed.error) << arguments[0];
        EXPECT_EQ(parsed.options.folder, "dir");
        EXPECT_EQ(parsed.options.output, "out.txt");
        EXPECT_EQ(parsed.options.outputFormat, save::SaveFormat::kText);
        EXPECT_EQ(parsed.options.depth, 3);
        EXPECT_EQ(parsed.options.encoding, TextEncoding::kUtf8);
        EXPECT_TRUE(parsed.options.memoLimit);
    }
    const ParsedOptions none = Parse({});
    ASSERT_FALSE(none.error);
    EXPECT_FALSE(none.options.folder);
    EXPECT_FALSE(none.options.output);
    EXPECT_FALSE(none.options.encoding);
    EXPECT_EQ(none.options.depth, -1);
    EXPECT_FALSE(none.options.memoLimit);
    EXPECT_EQ(Parse({"--encoding", "CP932"}).options.encoding, TextEncoding::kCp932);
    EXPECT_TRUE(Parse({"-h"}).options.help);
    EXPECT_TRUE(Parse({"--help"}).options.help);
    EXPECT_TRUE(Parse({"--version"}).options.version);
}

TEST(TreeOptions, OutputFormatFollowsTheSaveCommandsExtensionRule) {
    EXPECT_EQ(Parse({"-o", "a.TXT"}).options.outputFormat, save::SaveFormat::kText);
    EXPECT_EQ(Parse({"-o", "dir.v2/a.Htm"}).options.outputFormat, save::SaveFormat::kHtml);
    EXPECT_EQ(Parse({"-o", "a.HTML"}).options.outputFormat, save::SaveFormat::kHtml);
    // A value is the next argument whatever it starts with.
    EXPECT_EQ(Parse({"-o", "-x.txt"}).options.output, "-x.txt");
    for (const std::string name : {"a", "a.csv", "a.txt.bak", "dir.txt/a", "", "a.htmlx"}) {
        const ParsedOptions parsed = Parse({"-o", name});
        ASSERT_TRUE(parsed.error) << name;
        EXPECT_EQ(parsed.error->text, texts::kTreeBadOutputName);
        EXPECT_EQ(parsed.error->argument, name);
    }
}

TEST(TreeOptions, MistakesNameTheArgumentAtFault) {
    struct Case {
        std::vector<std::string> arguments;
        std::string_view text;
        std::string argument;
    };
    for (const Case& c : std::vector<Case>{
             {{"--bogus"}, texts::kTreeUnknownOption, "--bogus"},
             {{"-x"}, texts::kTreeUnknownOption, "-x"},
             {{"--help=yes"}, texts::kTreeUnknownOption, "--help=yes"},
             {{"-o"}, texts::kTreeMissingValue, "-o"},
             {{"dir", "--depth"}, texts::kTreeMissingValue, "--depth"},
             {{"-L", "0"}, texts::kTreeBadDepth, "0"},
             {{"-L", "-2"}, texts::kTreeBadDepth, "-2"},
             {{"--depth=2x"}, texts::kTreeBadDepth, "2x"},
             {{"-L", ""}, texts::kTreeBadDepth, ""},
             {{"-L", "99999999999"}, texts::kTreeBadDepth, "99999999999"},
             {{"--encoding", "euc-jp"}, texts::kTreeBadEncoding, "euc-jp"},
             {{"one", "two"}, texts::kTreeOneFolder, "two"},
             {{"-I", ""}, texts::kTreeEmptyPattern, "-I"},
             {{"--exclude="}, texts::kTreeEmptyPattern, "--exclude"},
             {{"-I"}, texts::kTreeMissingValue, "-I"},
             {{"--files=yes"}, texts::kTreeUnknownOption, "--files=yes"},
             {{"-fL2"}, texts::kTreeUnknownOption, "-fL2"},
         }) {
        const ParsedOptions parsed = Parse(c.arguments);
        ASSERT_TRUE(parsed.error) << c.arguments[0];
        EXPECT_EQ(parsed.error->text, c.text) << c.arguments[0];
        EXPECT_EQ(parsed.error->argument, c.argument) << c.arguments[0];
    }
    // After "--" a leading dash is a folder's; "-" alone is one too.
    EXPECT_EQ(Parse({"--", "--bogus"}).options.folder, "--bogus");
    EXPECT_EQ(Parse({"-"}).options.folder, "-");
}

TEST(TreeOptions, FilesAndRepeatedExcludesReachTheScanAsTheFileSystemSpellsThem) {
    const ParsedOptions parsed =
        Parse({"-f", "-I", "*.o", "--exclude", ".git", "-Inode_modules", "--exclude=写真?", "-L", "2", "dir"});
    ASSERT_FALSE(parsed.error);
    EXPECT_TRUE(parsed.options.files);
    EXPECT_EQ(parsed.options.excluded, (std::vector<std::string>{"*.o", ".git", "node_modules", "写真?"}));
    EXPECT_TRUE(Parse({"--files"}).options.files);
    EXPECT_FALSE(Parse({"dir"}).options.files);
    // A value is the next argument whatever it starts with.
    EXPECT_EQ(Parse({"-I", "-x", "dir"}).options.excluded, std::vector<std::string>{"-x"});

    // The file system's own spelling of names: UTF-8, on Linux and Windows alike.
    platform::FileSystem& files = platform::NativePlatform().files;
    const ScanOptions scan = cli::ScanOptionsOf(parsed.options, files);
    EXPECT_TRUE(scan.files);
    EXPECT_EQ(scan.depth, 2);
    EXPECT_TRUE(scan.excluded.Match(u"MAIN.O"));
    EXPECT_TRUE(scan.excluded.Match(u".Git"));
    EXPECT_TRUE(scan.excluded.Match(u"写真1"));
    EXPECT_FALSE(scan.excluded.Match(u"写真12"));
    EXPECT_FALSE(scan.excluded.Match(u"main.c"));
    // No depth asked for: every level.
    EXPECT_EQ(cli::ScanOptionsOf(Parse({}).options, files), ScanOptions{});
}

TEST(TreeOptions, ALetterAndAColonAloneNameADrive) {
    EXPECT_EQ(Parse({"e:"}).options.drive, 'e');
    EXPECT_EQ(Parse({"E:"}).options.drive, 'e');
    for (const std::string folder : {"e:\\", "e", "ee:", "1:", ":", "e:/x", "./e:"})
        EXPECT_EQ(cli::DriveLetter(folder), 0) << folder;
    EXPECT_EQ(Parse({"./e:"}).options.folder, "./e:");
}

TEST(TreeOptions, LocaleCharacterSetsChooseTheTerminalsEncoding) {
    for (const char* codeset : {"UTF-8", "utf8"}) EXPECT_EQ(cli::EncodingOfCodeset(codeset), TextEncoding::kUtf8);
    for (const char* codeset : {"SHIFT_JIS", "Shift_JIS", "SJIS", "CP932", "WINDOWS-31J"})
        EXPECT_EQ(cli::EncodingOfCodeset(codeset), TextEncoding::kCp932) << codeset;
    // Anything else reads Japanese names at all only in UTF-8.
    for (const char* codeset : {"ANSI_X3.4-1968", "EUC-JP", "ISO-8859-1", ""})
        EXPECT_EQ(cli::EncodingOfCodeset(codeset), TextEncoding::kUtf8) << codeset;
}

}  // namespace
