#include "app/StatusLine.h"

#include <QLabel>
#include <QStatusBar>

#include "resources/Texts.h"
#include "sjis/qt/QtText.h"

namespace {

// Digits in groups of three from the right, joined by commas: 12345 gives 12,345.
std::string GroupedDigits(int value) {
    std::string digits = std::to_string(value);
    const std::size_t sign = digits.front() == '-' ? 1 : 0;
    for (std::size_t at = digits.size(); at > sign + 3; at -= 3) digits.insert(at - 3, 1, ',');
    return digits;
}

}  // namespace

StatusLine::StatusLine(QStatusBar& bar) : bar_(bar), label_(new QLabel(&bar)), count_(new QLabel(&bar)) {
    label_->setObjectName("StatusText");
    label_->setTextFormat(Qt::PlainText);
    bar_.addWidget(label_, 1);
    count_->setObjectName("StatusCount");
    count_->setTextFormat(Qt::PlainText);
    bar_.addPermanentWidget(count_);
    count_->hide();
}

void StatusLine::SetText(std::string_view cp932) {
    if (cp932 == text_) return;
    text_ = cp932;
    label_->setText(ToQString(text_));
}

void StatusLine::RepaintNow() { bar_.repaint(); }

void StatusLine::ShowFolderCount(int folders) {
    if (folders != shownCount_) {
        shownCount_ = folders;
        count_->setText(ToQString(texts::Format(texts::kFolderCount, GroupedDigits(folders))));
    }
    count_->show();
}

void StatusLine::HideFolderCount() {
    count_->hide();
    count_->clear();
    shownCount_ = -1;
}
