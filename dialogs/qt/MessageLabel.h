#pragma once
#include <QString>
#include <QWidget>

// The dialog's text, drawn with the same flags it was measured with, so it wraps
// exactly where its rectangle was computed ("&" underlines the next character).
class MessageLabel : public QWidget {
    Q_OBJECT
public:
    static constexpr int kTextFlags = Qt::TextWordWrap | Qt::TextExpandTabs | Qt::TextShowMnemonic;

    MessageLabel(const QString& text, QWidget* parent);
    const QString& Text() const { return text_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString text_;
};
