#pragma once
// Gives the main menu's Ctrl+X, Ctrl+C and Ctrl+V priority over the focused control,
// so that the edit commands reach the editor from every control of the window.
#include <QObject>

class QWidget;

class MenuShortcuts : public QObject {
    Q_OBJECT
public:
    // Watches the application's events for the controls inside `window`; lives as its child.
    static void Install(QWidget& window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit MenuShortcuts(QWidget& window);
    QWidget& window_;
};
