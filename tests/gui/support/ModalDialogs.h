#pragma once
// Driving a real modal dialog: the code that opens it blocks in the dialog's own loop, so
// the test's part runs from a timer once the dialog is up.
#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <functional>

// Runs `drive` on the next visible modal dialog of type Dialog; one left open is closed
// after five seconds so that a failing test cannot hang.
template <typename Dialog>
void WhenModalOpens(QObject& owner, std::function<void(Dialog&)> drive) {
    auto* poll = new QTimer(&owner);
    poll->setInterval(20);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, drive] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible()) return;
        poll->stop();
        poll->deleteLater();
        QTimer::singleShot(5000, dialog, &QDialog::reject);
        drive(*dialog);
    });
    poll->start();
}
