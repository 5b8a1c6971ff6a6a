// The "\\?\" form every Windows path takes on its way to the file system, worked out from
// Windows' documented path rules (less the trimming of trailing dots and blanks).
#include <gtest/gtest.h>

#include <string>

#include "platform/LongPathForm.h"

namespace {

using platform::CurrentFolders;
using platform::DriveForm;
using platform::LongPathForm;

// The process works in C:\work\here; drive D was last used in D:\games.
CurrentFolders OnDriveC() {
    return {[] { return std::u16string(u"C:\\work\\here"); },
            [](char16_t letter) { return std::u16string(letter == u'D' || letter == u'd' ? u"D:\\games" : u""); }};
}

// Fully qualified paths never need the current folders.
CurrentFolders NoneAsked() {
    return {[] {
                ADD_FAILURE() << "the current folder was asked for";
                return std::u16string(u"Q:\\wrong");
            },
            [](char16_t) {
                ADD_FAILURE() << "a drive's folder was asked for";
                return std::u16string(u"Q:\\wrong");
            }};
}

TEST(LongPathForm, DrivePathsAndSharesTakeTheirTwoForms) {
    const CurrentFolders none = NoneAsked();
    EXPECT_EQ(LongPathForm(u"C:\\Users\\me", none), u"\\\\?\\C:\\Users\\me");
    EXPECT_EQ(LongPathForm(u"c:\\", none), u"\\\\?\\C:\\");
    EXPECT_EQ(LongPathForm(u"c:\\Users\\me\\", none), u"\\\\?\\C:\\Users\\me\\");
    EXPECT_EQ(LongPathForm(u"\\\\server\\share\\Folder", none), u"\\\\?\\UNC\\server\\share\\Folder");
    EXPECT_EQ(LongPathForm(u"\\\\server\\share\\", none), u"\\\\?\\UNC\\server\\share\\");
    EXPECT_EQ(LongPathForm(u"\\\\server\\share", none), u"\\\\?\\UNC\\server\\share\\");
    // Names the code page cannot spell pass as they are.
    EXPECT_EQ(LongPathForm(u"d:\\한글\\😀\\mixed表한\\", none), u"\\\\?\\D:\\한글\\😀\\mixed表한\\");
    // A device path is parsed like the drive path it stands for.
    EXPECT_EQ(LongPathForm(u"\\\\.\\C:\\a\\..\\b", none), u"\\\\?\\C:\\b");
}

TEST(LongPathForm, SlashesRunsOfSeparatorsAndDotsAreParsedFirst) {
    const CurrentFolders none = NoneAsked();
    EXPECT_EQ(LongPathForm(u"c:/a//b/./c/", none), u"\\\\?\\C:\\a\\b\\c\\");
    EXPECT_EQ(LongPathForm(u"//server/share/x/../y", none), u"\\\\?\\UNC\\server\\share\\y");
    EXPECT_EQ(LongPathForm(u"C:\\a\\b\\..\\..\\..\\..\\c", none), u"\\\\?\\C:\\c");  // never above the drive
    EXPECT_EQ(LongPathForm(u"\\\\server\\share\\a\\..\\..\\..\\b", none),
              u"\\\\?\\UNC\\server\\share\\b");  // never above the share
    EXPECT_EQ(LongPathForm(u"c:\\a\\..", none), u"\\\\?\\C:\\");
    // Three dots are a name; trailing dots and blanks belong to their names.
    EXPECT_EQ(LongPathForm(u"c:\\...\\dot.\\blank \\", none), u"\\\\?\\C:\\...\\dot.\\blank \\");
}

TEST(LongPathForm, RelativePathsAreTakenFromTheCurrentFolders) {
    const CurrentFolders current = OnDriveC();
    EXPECT_EQ(LongPathForm(u"x\\y", current), u"\\\\?\\C:\\work\\here\\x\\y");
    EXPECT_EQ(LongPathForm(u".", current), u"\\\\?\\C:\\work\\here");
    EXPECT_EQ(LongPathForm(u"./x/", current), u"\\\\?\\C:\\work\\here\\x\\");
    EXPECT_EQ(LongPathForm(u"..\\x", current), u"\\\\?\\C:\\work\\x");
    EXPECT_EQ(LongPathForm(u"..\\..\\..\\..", current), u"\\\\?\\C:\\");
    EXPECT_EQ(LongPathForm(u"\\top\\x", current), u"\\\\?\\C:\\top\\x");  // from the current root
    // Drive-relative: the process's own drive, a drive with a folder of its own, one without.
    EXPECT_EQ(LongPathForm(u"c:x", current), u"\\\\?\\C:\\work\\here\\x");
    EXPECT_EQ(LongPathForm(u"C:..\\x", current), u"\\\\?\\C:\\work\\x");
    EXPECT_EQ(LongPathForm(u"d:x\\", current), u"\\\\?\\D:\\games\\x\\");
    EXPECT_EQ(LongPathForm(u"D:", current), u"\\\\?\\D:\\games");
    EXPECT_EQ(LongPathForm(u"e:x", current), u"\\\\?\\E:\\x");
}

TEST(LongPathForm, AShareOrALongFormAsCurrentFolder) {
    const CurrentFolders share{[] { return std::u16string(u"\\\\server\\share\\work"); },
                               [](char16_t) { return std::u16string(u"d:relative"); }};
    EXPECT_EQ(LongPathForm(u"x", share), u"\\\\?\\UNC\\server\\share\\work\\x");
    EXPECT_EQ(LongPathForm(u"\\x", share), u"\\\\?\\UNC\\server\\share\\x");
    EXPECT_EQ(LongPathForm(u"..\\..\\x", share), u"\\\\?\\UNC\\server\\share\\x");
    EXPECT_EQ(LongPathForm(u"d:x", share), u"\\\\?\\D:\\x");  // a folder that is no folder: the root

    const CurrentFolders longForm{[] { return std::u16string(u"\\\\?\\C:\\deep\\er"); }, nullptr};
    EXPECT_EQ(LongPathForm(u"..\\x", longForm), u"\\\\?\\C:\\deep\\x");
    EXPECT_EQ(LongPathForm(u"c:x", longForm), u"\\\\?\\C:\\deep\\er\\x");

    // With no current folder a relative path names nothing.
    EXPECT_EQ(LongPathForm(u"x", CurrentFolders{}), u"");
}

TEST(LongPathForm, LongFormsPassAsTheyAreAndReadBackInDriveForm) {
    const CurrentFolders none = NoneAsked();
    EXPECT_EQ(LongPathForm(u"", none), u"");
    EXPECT_EQ(LongPathForm(u"\\\\?\\C:\\a\\..\\b.", none), u"\\\\?\\C:\\a\\..\\b.");
    EXPECT_EQ(LongPathForm(u"\\\\?\\UNC\\server\\share\\x", none), u"\\\\?\\UNC\\server\\share\\x");

    EXPECT_EQ(DriveForm(u"\\\\?\\C:\\a\\b\\"), u"C:\\a\\b\\");
    EXPECT_EQ(DriveForm(u"\\\\?\\C:"), u"C:");
    EXPECT_EQ(DriveForm(u"\\\\?\\UNC\\server\\share\\x"), u"\\\\server\\share\\x");
    EXPECT_EQ(DriveForm(u"\\\\?\\Volume{1234}\\x"), u"\\\\?\\Volume{1234}\\x");
    EXPECT_EQ(DriveForm(u"c:\\plain"), u"c:\\plain");
    EXPECT_EQ(DriveForm(LongPathForm(u"c:\\x\\y\\", none)), u"C:\\x\\y\\");
    EXPECT_EQ(DriveForm(LongPathForm(u"\\\\srv\\share\\한글", none)), u"\\\\srv\\share\\한글");
}

}  // namespace
