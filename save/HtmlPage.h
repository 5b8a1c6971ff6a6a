#pragma once
#include <functional>
#include <string>

#include "save/SavePath.h"
#include "text/TextEncoding.h"

namespace save {

// Editor line `index` as code page 932 bytes, without its line break.
using LineSource = std::function<std::string(int index)>;

// The page's fixed first eight lines and last two, CR LF after each (code page 932). In
// UTF-8 the title and the face name are UTF-8 and a ninth line, right after the title's,
// says so.
const std::string& HtmlHead(TextEncoding encoding = TextEncoding::kCp932);
const std::string& HtmlTail();

// Writes the page: the head, each of the `lineCount` lines followed by "<BR>", the tail.
// Each line is fetched just before it is written and nothing in it is escaped; the lines
// are in `encoding` already. Throws SaveError; the old file then stays.
void WriteHtmlPage(const SavePath& target, int lineCount, const LineSource& lineAt,
                   TextEncoding encoding = TextEncoding::kCp932);

}  // namespace save
