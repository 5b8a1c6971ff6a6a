#include "cli/TreeOutput.h"

#include <string>

#include "save/HtmlPage.h"
#include "save/TextFile.h"
#include "save/TextLines.h"
#include "text/TreeText.h"
#include "tree/TTreeNodes.h"

namespace cli {

namespace {

bool WriteLines(const TreeWriting& writing, const std::function<void(std::string_view)>& write) {
    const treetext::Writing spelled{[&writing](const TTreeNode& node) {
                                        if (writing.stopping && writing.stopping()) throw WriteStopped{};
                                        return writing.spelling.LineOf(node);
                                    },
                                    writing.spelling.Encoding(), write};
    return treetext::WriteTreeText(writing.nodes, writing.room, spelled);
}

void SavePage(const save::SavePath& target, const TreeWriting& writing) {
    const TextEncoding encoding = writing.spelling.Encoding();
    if (writing.room != SIZE_MAX) {
        // Cut short as the editor cuts it, and read back by line as the editor's lines are:
        // at most the room, so keeping it whole costs little.
        std::string text;
        WriteLines(writing, [&text](std::string_view bytes) { text += bytes; });
        const save::TextLines lines(text, encoding);
        save::WriteHtmlPage(
            target, lines.Count(), [&lines](int i) { return lines.At(i); }, encoding);
        return;
    }
    // Every node's line is one line of the text: made as the page needs it, never kept.
    TTreeNodes& nodes = writing.nodes;
    save::WriteHtmlPage(
        target, nodes.NodeCount(),
        [&](int i) {
            if (writing.stopping && writing.stopping()) throw WriteStopped{};
            return save::TextLines::LineAt(writing.spelling.LineOf(*nodes.NodeAt(i)), encoding);
        },
        encoding);
}

}  // namespace

bool WriteTreeText(std::FILE* stream, const TreeWriting& writing) {
    bool failed = false;
    WriteLines(writing, [&](std::string_view bytes) {
        if (!failed && std::fwrite(bytes.data(), 1, bytes.size(), stream) != bytes.size()) failed = true;
    });
    return std::fflush(stream) == 0 && !failed && !std::ferror(stream);
}

void SaveTree(const save::SavePath& target, save::SaveFormat format, const TreeWriting& writing) {
    if (format == save::SaveFormat::kHtml) return SavePage(target, writing);
    save::WriteTextFile(target, [&writing](const auto& write) { WriteLines(writing, write); });
}

}  // namespace cli
