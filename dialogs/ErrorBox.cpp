#include "dialogs/ErrorBox.h"

#include <QApplication>
#include <QMessageBox>
#include <exception>

#include "dialogs/ErrorText.h"
#include "resources/Texts.h"
#include "sjis/QtText.h"

namespace errorbox {

namespace {
std::function<void(const std::string&)>& Observer() {
    static std::function<void(const std::string&)> observer;
    return observer;
}
}  // namespace

void SetObserver(std::function<void(const std::string& text)> observer) { Observer() = std::move(observer); }

void Show(std::string_view cp932Message) {
    const std::string text = ErrorBoxText(cp932Message);
    if (Observer()) {
        Observer()(text);
        return;
    }
    QMessageBox box(QMessageBox::Critical, QApplication::applicationDisplayName(), ToQString(text), QMessageBox::Ok,
                    QApplication::activeWindow());
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

void Guard(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const std::exception& failure) {
        Show(failure.what());
    }
}

}  // namespace errorbox
