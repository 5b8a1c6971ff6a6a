#include "app/qt/TStatusBar.h"

#include <QLabel>

#include "sjis/qt/QtText.h"

TStatusBar::TStatusBar(QWidget* parent) : QStatusBar(parent), label_(new QLabel(this)), count_(new QLabel(this)) {
    label_->setObjectName("StatusText");
    label_->setTextFormat(Qt::PlainText);
    addWidget(label_, 1);
    count_->setObjectName("StatusCount");
    count_->setTextFormat(Qt::PlainText);
    addPermanentWidget(count_);
    count_->hide();
}

void TStatusBar::ShowText(std::string_view cp932) { label_->setText(ToQString(cp932)); }

void TStatusBar::ShowCount(std::string_view cp932) {
    count_->setText(ToQString(cp932));
    count_->show();
}

void TStatusBar::HideCount() {
    count_->hide();
    count_->clear();
}
