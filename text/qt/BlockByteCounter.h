#pragma once
// The code page 932 length of a document, kept up to date from its changes alone:
// each block remembers its own byte count, so an edit costs only the blocks it touches.
#include <QObject>
#include <cstddef>
#include <memory>

class QTextBlock;
class QTextDocument;

class BlockByteCounter : public QObject {
    Q_OBJECT
public:
    explicit BlockByteCounter(QTextDocument& document);

    // Bytes of the whole text, every line break counting two.
    std::size_t Length() const;

    // Byte count of a piece of the document's text (paragraph separators count two).
    static std::size_t BytesOf(const QString& text);

private:
    void Recount(int position, int added);
    void Update(QTextBlock& block);

    QTextDocument& document_;
    // Shared with every block's record, which may outlive this counter while the document is torn down.
    std::shared_ptr<std::size_t> blockBytes_ = std::make_shared<std::size_t>(0);
};
