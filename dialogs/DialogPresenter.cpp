#include "dialogs/DialogPresenter.h"

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QMessageBox>
#include <QShortcut>

#include "dialogs/qt/TMessageForm.h"
#include "sjis/qt/QtText.h"

namespace {

class ScreenPresenter final : public DialogPresenter {
public:
    int Message(std::string_view text, TMessageKind kind, TMessageButtons buttons, int helpContext) override {
        TMessageForm form(text, kind, buttons, helpContext);
        return form.ShowModal();
    }

    void Error(const std::string& text) override {
        QMessageBox box(QMessageBox::Critical, QApplication::applicationDisplayName(), ToQString(text), QMessageBox::Ok,
                        QApplication::activeWindow());
        box.setWindowModality(Qt::ApplicationModal);
        // As on the system the design comes from, Ctrl+C copies the box's text.
        QShortcut copy(QKeySequence::Copy, &box);
        QObject::connect(&copy, &QShortcut::activated, &box,
                         [&box] { QGuiApplication::clipboard()->setText(box.text()); });
        box.exec();
    }
};

DialogPresenter* installed = nullptr;

}  // namespace

DialogPresenter& DialogPresenter::Current() {
    static ScreenPresenter screen;
    return installed ? *installed : screen;
}

DialogPresenter* DialogPresenter::Install(DialogPresenter* presenter) {
    DialogPresenter* previous = installed;
    installed = presenter;
    return previous;
}
