#include "save/HtmlPage.h"

#include "resources/Texts.h"
#include "save/AtomicFile.h"

namespace save {

namespace {
constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kLineBreakTag = "<BR>\r\n";

std::string Head(std::string_view title, std::string_view declaration, std::string_view face) {
    return "<HTML>\r\n<HEAD>\r\n<TITLE>" + std::string(title) + "</TITLE>\r\n" + std::string(declaration) +
           "<META NAME=GENERATOR CONTENT=\"Orvale\">\r\n</HEAD>\r\n<BODY>\r\n<BASEFONT FACE=\"" + std::string(face) +
           "\">\r\n<P>" + std::string(kLineEnd);
}

}  // namespace

const std::string& HtmlHead(TextEncoding encoding) {
    static const std::string cp932 = Head(texts::Cp932(texts::kHtmlTitle), "", texts::Cp932(texts::kMemoFontFace));
    static const std::string utf8 =
        Head(texts::kHtmlTitle, "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=UTF-8\">\r\n",
             texts::kMemoFontFace);
    return encoding == TextEncoding::kUtf8 ? utf8 : cp932;
}

const std::string& HtmlTail() {
    static const std::string tail = "</P></BODY>\r\n</HTML>\r\n";
    return tail;
}

void WriteHtmlPage(const SavePath& target, int lineCount, const LineSource& lineAt, TextEncoding encoding) {
    AtomicFile file(target);
    file.Write(HtmlHead(encoding));
    for (int i = 0; i < lineCount; ++i) {
        file.Write(lineAt(i));
        file.Write(kLineBreakTag);
    }
    file.Write(HtmlTail());
    file.Commit();
}

}  // namespace save
