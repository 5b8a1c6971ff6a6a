#include "app/StatusLine.h"

#include <QLabel>
#include <QStatusBar>

#include "sjis/QtText.h"

StatusLine::StatusLine(QStatusBar& bar) : bar_(bar), label_(new QLabel(&bar)) {
    label_->setObjectName("StatusText");
    label_->setTextFormat(Qt::PlainText);
    bar_.addWidget(label_, 1);
}

void StatusLine::SetText(std::string_view cp932) {
    if (cp932 == text_) return;
    text_ = cp932;
    label_->setText(ToQString(text_));
}

void StatusLine::RepaintNow() { bar_.repaint(); }
