#include "save/HtmlPage.h"

#include "resources/Texts.h"
#include "save/AtomicFile.h"

namespace save {

namespace {
constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kLineBreakTag = "<BR>\r\n";
}  // namespace

const std::string& HtmlHead() {
    static const std::string head = "<HTML>\r\n<HEAD>\r\n<TITLE>" + texts::Cp932(texts::kHtmlTitle) +
                                    "</TITLE>\r\n<META NAME=GENERATOR CONTENT=\"Orvale\">\r\n</HEAD>\r\n"
                                    "<BODY>\r\n<BASEFONT FACE=\"" +
                                    texts::Cp932(texts::kMemoFontFace) + "\">\r\n<P>" + std::string(kLineEnd);
    return head;
}

const std::string& HtmlTail() {
    static const std::string tail = "</P></BODY>\r\n</HTML>\r\n";
    return tail;
}

void WriteHtmlPage(const SavePath& target, int lineCount, const LineSource& lineAt) {
    AtomicFile file(target);
    file.Write(HtmlHead());
    for (int i = 0; i < lineCount; ++i) {
        file.Write(lineAt(i));
        file.Write(kLineBreakTag);
    }
    file.Write(HtmlTail());
    file.Commit();
}

}  // namespace save
