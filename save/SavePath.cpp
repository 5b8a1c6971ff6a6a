#include "save/SavePath.h"

namespace save {

SavePath SavePath::WithSuffix(std::string_view ascii) const {
    return {name + std::string(ascii), native + std::string(ascii)};
}

}  // namespace save
