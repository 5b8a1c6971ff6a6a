#include "drives/qt/DriveRowDelegate.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

#include "drives/qt/FileCtrl.h"

namespace {
constexpr int kPictureLeft = 2;
constexpr int kTextGap = 6;
constexpr int kNoPictureWidth = 16;
}  // namespace

void DrawDriveRow(QPainter& painter, const QRect& rect, const DriveRow& row, const QWidget& widget) {
    const QPalette& palette = widget.palette();
    const QColor background = palette.color(row.selected ? QPalette::Highlight : QPalette::Base);
    const QColor foreground = palette.color(row.selected ? QPalette::HighlightedText : QPalette::Text);
    painter.save();
    painter.setClipRect(rect);
    painter.fillRect(rect, background);
    int pictureWidth = kNoPictureWidth;
    if (row.picture) {
        pictureWidth = row.picture->width();
        // Top and exclusive bottom, halved toward zero, as the row's own arithmetic has it.
        const int top = (rect.top() + rect.top() + rect.height() - row.picture->height()) / 2;
        painter.drawPixmap(rect.left() + kPictureLeft, top, *row.picture);
    }
    QRect textRect = rect;
    textRect.setLeft(rect.left() + pictureWidth + kTextGap);
    painter.setPen(foreground);
    // No Qt::TextShowMnemonic: an "&" in a label is a character like any other.
    painter.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, row.text);
    if (row.focused) {
        QStyleOptionFocusRect focus;
        focus.initFrom(&widget);
        focus.rect = rect;
        focus.backgroundColor = background;
        focus.state |= QStyle::State_KeyboardFocusChange | QStyle::State_HasFocus;
        widget.style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, &widget);
    }
    painter.restore();
}

DriveRowDelegate::DriveRowDelegate(TDriveComboBox& owner) : QStyledItemDelegate(&owner), owner_(owner) {}

void DriveRowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    DriveRow row;
    row.text = index.data(Qt::DisplayRole).toString();
    row.picture = owner_.PictureAt(index.row());
    row.selected = option.state & QStyle::State_Selected;
    row.focused = option.state & QStyle::State_HasFocus;
    const QWidget* widget = option.widget ? option.widget : &owner_;
    painter->setFont(option.font);
    DrawDriveRow(*painter, option.rect, row, *widget);
}

QSize DriveRowDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
    return QSize(QStyledItemDelegate::sizeHint(option, index).width(), owner_.ItemHeight());
}
