#pragma once
// One row of the drive list, drawn the same way in the open list and in the closed field.
#include <QStyledItemDelegate>

class QPainter;
class QPixmap;
class TDriveComboBox;

struct DriveRow {
    QString text;
    const QPixmap* picture = nullptr;
    bool selected = false;
    bool focused = false;
};

void DrawDriveRow(QPainter& painter, const QRect& rect, const DriveRow& row, const QWidget& widget);

class DriveRowDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit DriveRowDelegate(TDriveComboBox& owner);
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    TDriveComboBox& owner_;
};
