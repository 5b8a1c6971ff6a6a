#include "save/TextFile.h"

#include "save/AtomicFile.h"

namespace save {

void WriteTextFile(const SavePath& target, std::string_view text) {
    AtomicFile file(target);
    file.Write(text);
    file.Commit();
}

}  // namespace save
