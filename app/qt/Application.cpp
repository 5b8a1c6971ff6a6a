#include "app/qt/Application.h"

#include <QApplication>
#include <QFont>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <memory>

#include <X11/Xlib.h>

#include "dialogs/qt/DialogFocus.h"
#include "dialogs/qt/ScreenFolderDialog.h"
#include "dialogs/qt/ScreenPresenter.h"
#include "resources/Texts.h"
#include "save/qt/ScreenSaveDialog.h"
#include "sjis/qt/QtText.h"

namespace {

QString Face(std::string_view utf8) { return ToQString(texts::Cp932(utf8)); }

void LoadJapaneseTranslation(QApplication& application) {
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    for (const char* name : {"qtbase_ja", "qt_ja"}) {
        auto translator = std::make_unique<QTranslator>(&application);
        if (translator->load(QString::fromLatin1(name), folder)) application.installTranslator(translator.release());
    }
}

// The real dialogs, for every window of the process.
void UseScreenDialogs() {
    static ScreenPresenter messages;
    static ScreenSaveDialog saves;
    static ScreenFolderDialog folders;
    DialogPresenter::UseScreen(messages);
    SaveDialogPresenter::UseScreen(saves);
    FolderDialogPresenter::UseScreen(folders);
}

}  // namespace

std::string XDisplayName() {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->display()) return {};
    const char* name = XDisplayString(x11->display());
    return name ? name : "";
}

void SetUpApplication(QApplication& application) {
    application.setApplicationName(Face(texts::kAppTitle));
    // Lets the desktop match the window to the installed entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(ORVALE_APP_ID));
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    // The program's own font names, so a machine that has them uses them.
    QFont::insertSubstitution(Face(texts::kWindowFontFace), QStringLiteral("IPAPGothic"));
    QFont::insertSubstitution(Face(texts::kMemoFontFace), QStringLiteral("IPAMincho"));
    QFont font(Face(texts::kWindowFontFace));
    font.setPointSize(QApplication::font().pointSize() > 0 ? QApplication::font().pointSize() : 9);
    application.setFont(font);
    LoadJapaneseTranslation(application);
    UseScreenDialogs();
    DialogFocus::Install();
}
