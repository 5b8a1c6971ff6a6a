#include "dialogs/qt/FolderDialog.h"

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

bool FolderDialog::Execute(QWidget* owner) {
    QFileDialog dialog(owner, ToQString(texts::Cp932(texts::kFolderDialogTitle)), StartFolder(start_));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setSizeGripEnabled(true);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
    chosen_ = QFile::encodeName(dialog.selectedFiles().constFirst()).toStdString();
    start_ = chosen_;
    return true;
}
