#pragma once
// What the editor should hold, as the memo fuzz targets keep it beside a real TMemo.
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "fuzz/support/CharScan.h"

namespace fuzz {

// The bytes the editor should hold, with their lines and character starts worked out once
// per change.
class MemoModel {
public:
    const std::string& Bytes() const { return bytes_; }
    void Set(std::string bytes) {
        bytes_ = std::move(bytes);
        lines_.reset();
        starts_.reset();
    }
    const std::vector<std::string>& Lines() {
        if (!lines_) lines_ = fuzz::SplitLines(bytes_);
        return *lines_;
    }
    // Where each character starts, the end included: a document position gives a byte offset.
    const std::vector<std::size_t>& Starts() {
        if (!starts_) {
            starts_ = fuzz::UnitStarts(bytes_);
            starts_->push_back(bytes_.size());
        }
        return *starts_;
    }

private:
    std::string bytes_;
    std::optional<std::vector<std::string>> lines_;
    std::optional<std::vector<std::size_t>> starts_;
};

}  // namespace fuzz
