// A Linux listing comes in the order of an NTFS folder index, and the scan keeps it.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "doubles/FakeDesktop.h"
#include "platform/Attributes.h"
#include "platform/posix/PosixFileSystem.h"
#include "tree/FolderScan.h"
#include "tree/TTreeNodes.h"
#include "unit/support/TempFolder.h"

namespace {

TEST(NameOrderTest, ARealFolderListsDotsFirstThenNameOrderAndTheScanKeepsIt) {
    TempFolder folder;
    // Made in an order of their own: the file system's listing order is not the answer.
    for (const char* name : {"\xFF", "B", "日本", "A", "Ａ", "a"}) mkdir((folder / name).c_str(), 0755);
    close(open((folder / "b.txt").c_str(), O_CREAT | O_WRONLY, 0644));
    // Walking alone: the polls counted below are those between listings, which a slow moment
    // of the machine cannot add to as it can to a read-ahead's wait.
    platform::PosixFileSystem files(0);
    std::vector<std::string> listed;
    // Files too: a listing that is not the scan's keeps them, in their place.
    auto listing = files.List(folder.Path() + "/", platform::faReadOnly | platform::faDirectory);
    ASSERT_TRUE(listing);
    platform::ListingEntry entry;
    while (listing->Next(entry)) listed.emplace_back(entry.nativeName);
    EXPECT_EQ(listed, (std::vector<std::string>{".", "..", "A", "a", "B", "b.txt", "日本", "Ａ", "\xFF"}));

    platform::FakeDesktop desktop;
    TTreeNodes nodes;
    bool interrupted = true;
    FolderScan(nodes, files, desktop, interrupted).Run("c:\\", folder.Path() + "/");
    std::vector<std::string> children;
    for (const TTreeNode* child = nodes.FirstNode()->FirstChild(); child; child = child->NextSibling())
        children.push_back(child->NativeName());
    EXPECT_EQ(children, (std::vector<std::string>{"A", "a", "B", "日本", "Ａ", "\xFF"}));
    // ".", ".." and the six folders after the first entry: one poll each (the scan's
    // listing passes the file over), and one outer pass per folder.
    EXPECT_EQ(desktop.polls, 7 + 6 + 6 * 1);
}

}  // namespace
