#pragma once
// The keyboard focus goes back to the window that was active before a dialog, whichever
// dialog it was (message, error box, file or folder chooser), also after two dialogs in a
// row and where no window manager hands it back.
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <map>

class DialogFocus : public QObject {
    Q_OBJECT
public:
    // Watches every window of the application from now on; lives as the application's child.
    static void Install();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit DialogFocus(QObject* application);
    QWidget* ReturnTargetFor(QWidget& dialog) const;

    QPointer<QWidget> lastActive_;  // the last window that was active and is not a dialog
    std::map<QObject*, QPointer<QWidget>> returnTo_;
};
