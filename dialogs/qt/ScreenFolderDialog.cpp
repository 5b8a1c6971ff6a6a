#include "dialogs/qt/ScreenFolderDialog.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>

#include "resources/Texts.h"
#include "sjis/qt/QtText.h"

namespace {

QString StartFolder(const std::string& native) {
    const QString folder = QFile::decodeName(QByteArray::fromStdString(native));
    return !native.empty() && QFileInfo(folder).isDir() ? folder : QDir::homePath();
}

}  // namespace

bool ScreenFolderDialog::Present(FolderDialog& folders) {
    QFileDialog dialog(QApplication::activeWindow(), ToQString(texts::Cp932(texts::kFolderDialogTitle)),
                       StartFolder(folders.Start()));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setSizeGripEnabled(true);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
    folders.Accept(QFile::encodeName(dialog.selectedFiles().constFirst()).toStdString());
    return true;
}
