#pragma once
// The drive selector.
#include <QComboBox>
#include <functional>

class TDriveComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit TDriveComboBox(QWidget* parent = nullptr);

    // The current drive's small letter, 0 for none.
    char CurrentDrive() const { return currentDrive_; }

    // Creates the selector's list the first time the window is shown: builds the drive
    // list, selects the current drive and raises OnChange once. Later calls do nothing.
    void CreateWnd();
    virtual void RebuildDriveList();
    void SelectDrive(char letter);

    // Raised with the selector as sender.
    std::function<void(QObject* sender)> OnChange;

private:
    char currentDrive_ = 0;
    bool created_ = false;
};
