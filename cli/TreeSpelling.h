#pragma once
#include <string>

#include "platform/FileSystem.h"
#include "text/TextEncoding.h"
#include "tree/ScanRoot.h"

class TTreeNode;

namespace cli {

// How the lines of a scanned tree read in one encoding. Code page 932: the window's lines,
// byte for byte. UTF-8: the same pieces and the names as the file system spells them, the
// root as the root text before it became code page 932.
class TreeSpelling {
public:
    TreeSpelling(platform::FileSystem& files, const ScanRoot& root, TextEncoding encoding);

    TextEncoding Encoding() const { return encoding_; }
    // A node's line, without its break.
    std::string LineOf(const TTreeNode& node) const;

private:
    platform::FileSystem& files_;
    TextEncoding encoding_;
    std::string utf8Root_;
};

}  // namespace cli
