#include "dialogs/qt/ScreenPresenter.h"

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QMessageBox>
#include <QShortcut>

#include "dialogs/qt/TMessageForm.h"
#include "sjis/qt/QtText.h"

int ScreenPresenter::Message(std::string_view text, TMessageKind kind, TMessageButtons buttons, int helpContext) {
    TMessageForm form(text, kind, buttons, helpContext);
    return form.ShowModal();
}

void ScreenPresenter::Error(const std::string& text) {
    QMessageBox box(QMessageBox::Critical, QApplication::applicationDisplayName(), ToQString(text), QMessageBox::Ok,
                    QApplication::activeWindow());
    box.setWindowModality(Qt::ApplicationModal);
    // As on the system the design comes from, Ctrl+C copies the box's text.
    QShortcut copy(QKeySequence::Copy, &box);
    QObject::connect(&copy, &QShortcut::activated, &box, [&box] { QGuiApplication::clipboard()->setText(box.text()); });
    box.exec();
}
