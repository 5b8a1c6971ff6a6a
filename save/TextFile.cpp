#include "save/TextFile.h"

#include "save/AtomicFile.h"

namespace save {

void WriteTextFile(const SavePath& target, std::string_view text) {
    WriteTextFile(target, [text](const auto& write) { write(text); });
}

void WriteTextFile(const SavePath& target, const TextPieces& produce) {
    AtomicFile file(target);
    produce([&file](std::string_view piece) { file.Write(piece); });
    file.Commit();
}

}  // namespace save
