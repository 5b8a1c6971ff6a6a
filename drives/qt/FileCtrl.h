#pragma once
// The drive selector.
#include <QComboBox>
#include <QFont>
#include <functional>
#include <memory>
#include <string>

#include "drives/DriveSelector.h"

class DrivePictures;
class QKeyEvent;

class TDriveComboBox : public QComboBox, public DriveSelector {
    Q_OBJECT
public:
    explicit TDriveComboBox(QWidget* parent = nullptr);
    ~TDriveComboBox() override;

    // The current drive's letter, 0 for none; a small letter once a selection has set it.
    char CurrentDrive() const override { return currentDrive_; }

    // Creates the selector's list the first time the window is shown: builds the drive
    // list, selects the current drive and raises OnChange once. Later calls do nothing.
    void CreateWnd();
    virtual void RebuildDriveList();
    void SelectDrive(char letter);
    // Makes `letter` the current drive and selects its item, raising no event: the drive of
    // a folder scanned without a pick.
    void ShowDrive(char letter) override;
    std::string VolumeLabelText(char letter);
    std::string NetworkNameText(char letter);
    void FitItemHeight();

    int ItemHeight() const { return itemHeight_; }
    const QPixmap* PictureAt(int row) const;

    // Raised with the selector as sender. OnClick is the generic click, before the drive is taken.
    std::function<void(QObject* sender)> OnClick;
    std::function<void(QObject* sender)> OnChange;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Recreate();
    void Pick();
    void ClickStep();
    void RaiseChange();
    int RowOf(char letter) const;
    void MoveInOpenList(QKeyEvent* key);

    std::unique_ptr<DrivePictures> pictures_;
    std::unique_ptr<QStyle> listStyle_;
    char currentDrive_ = 0;
    bool created_ = false;
    int itemHeight_ = 0;
    QFont fittedFont_;
};
