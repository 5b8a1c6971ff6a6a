#pragma once
// The drive selector.
#include <QComboBox>
#include <QFont>
#include <functional>
#include <memory>
#include <string>

#include "drives/DriveSelection.h"

class DrivePictures;
class QKeyEvent;

class TDriveComboBox : public QComboBox, public DriveSelection {
    Q_OBJECT
public:
    explicit TDriveComboBox(QWidget* parent = nullptr);
    ~TDriveComboBox() override;

    void FitItemHeight();
    int ItemHeight() const { return itemHeight_; }
    const QPixmap* PictureAt(int row) const;

    int ItemCount() const override { return count(); }
    std::string ItemText(int row) const override;
    int SelectedRow() const override { return currentIndex(); }

    // Raised with the selector as sender. OnClick is the generic click, before the drive is taken.
    std::function<void(QObject* sender)> OnClick;
    std::function<void(QObject* sender)> OnChange;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

    void ClearItems() override { clear(); }
    void AddItem(const drives::DriveItem& item) override;
    void SelectRow(int row) override { setCurrentIndex(row); }
    void RaiseClick() override;
    void RaiseChange() override;

private:
    void MoveInOpenList(QKeyEvent* key);

    std::unique_ptr<DrivePictures> pictures_;
    std::unique_ptr<QStyle> listStyle_;
    int itemHeight_ = 0;
    QFont fittedFont_;
};
