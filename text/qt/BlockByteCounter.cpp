#include "text/qt/BlockByteCounter.h"

#include <QTextBlock>
#include <QTextDocument>

#include "sjis/Cp932.h"

namespace {

constexpr std::size_t kBreakBytes = 2;

std::u16string_view Units(QStringView text) {
    return {reinterpret_cast<const char16_t*>(text.utf16()), std::size_t(text.size())};
}

// A block's own bytes; when the document drops the block, its bytes leave the sum.
class BlockBytes : public QTextBlockUserData {
public:
    BlockBytes(std::shared_ptr<std::size_t> sum, std::size_t bytes) : sum_(std::move(sum)), bytes_(bytes) {
        *sum_ += bytes_;
    }
    ~BlockBytes() override { *sum_ -= bytes_; }
    void Set(std::size_t bytes) {
        *sum_ = *sum_ - bytes_ + bytes;
        bytes_ = bytes;
    }

private:
    std::shared_ptr<std::size_t> sum_;
    std::size_t bytes_;
};

}  // namespace

BlockByteCounter::BlockByteCounter(QTextDocument& document) : QObject(&document), document_(document) {
    for (QTextBlock block = document_.begin(); block.isValid(); block = block.next()) Update(block);
    connect(&document_, &QTextDocument::contentsChange, this,
            [this](int position, int, int added) { Recount(position, added); });
}

std::size_t BlockByteCounter::Length() const {
    return *blockBytes_ + kBreakBytes * std::size_t(document_.blockCount() - 1);
}

std::size_t BlockByteCounter::BytesOf(const QString& text) {
    std::size_t bytes = 0;
    for (const QStringView piece : QStringView(text).split(QChar::ParagraphSeparator))
        bytes += sjis::EncodedLength(Units(piece));
    return bytes + kBreakBytes * std::size_t(text.count(QChar::ParagraphSeparator));
}

void BlockByteCounter::Recount(int position, int added) {
    // Blocks the change removed have already taken their bytes with them.
    // The last touched block is found once: asking each block for its position would cost
    // a search per line when a whole text comes in at once.
    const QTextBlock last = document_.findBlock(position + added);
    for (QTextBlock block = document_.findBlock(position); block.isValid(); block = block.next()) {
        Update(block);
        if (block == last) break;
    }
}

void BlockByteCounter::Update(QTextBlock& block) {
    const std::size_t bytes = sjis::EncodedLength(Units(block.text()));
    if (auto* record = static_cast<BlockBytes*>(block.userData())) {
        record->Set(bytes);
    } else {
        block.setUserData(new BlockBytes(blockBytes_, bytes));  // the block owns its record
    }
}
