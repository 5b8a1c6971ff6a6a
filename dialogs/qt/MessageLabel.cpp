#include "dialogs/qt/MessageLabel.h"

#include <QPainter>

MessageLabel::MessageLabel(const QString& text, QWidget* parent) : QWidget(parent), text_(text) {
    setObjectName(QStringLiteral("Message"));
}

void MessageLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(rect(), kTextFlags, text_);
}
