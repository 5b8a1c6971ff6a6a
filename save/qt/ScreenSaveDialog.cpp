#include "save/qt/ScreenSaveDialog.h"

#include <QApplication>
#include <QComboBox>
#include <QDebug>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QScreen>
#include <QTimer>
#include <memory>

#include "resources/Texts.h"
#include "save/SaveFilter.h"
#include "sjis/qt/QtText.h"

namespace {

// The file types as Qt takes them, "description (patterns)", and the descriptions alone,
// which is what the dialog shows and, in some Qt versions, what it reports as selected.
struct QtFilters {
    QStringList filters;
    QStringList descriptions;

    QtFilters() {
        for (const save::FilterEntry& entry : save::SplitFilter(texts::Cp932(texts::kSaveFilter))) {
            QStringList patterns;
            for (const std::string& pattern : entry.patterns) patterns << ToQString(pattern);
            descriptions << ToQString(entry.description);
            filters << descriptions.back() + " (" + patterns.join(' ') + ")";
        }
    }
    // 1-based; 0 when unknown.
    int IndexOf(const QString& selected) const {
        const qsizetype at = filters.indexOf(selected);
        return int((at >= 0 ? at : descriptions.indexOf(selected)) + 1);
    }
};

// Qt renames a typed extension to the new file type's one when the type changes; this
// dialog appends and changes nothing, so the typed text comes back.
void KeepTypedName(QFileDialog& dialog) {
    auto* types = dialog.findChild<QComboBox*>("fileTypeCombo");
    auto* name = dialog.findChild<QLineEdit*>("fileNameEdit");
    if (!types || !name) {
        qWarning("Orvale: the file dialog's fileTypeCombo or fileNameEdit is gone; a typed name may be renamed");
        return;
    }
    auto typed = std::make_shared<QString>();
    QObject::connect(types, &QComboBox::currentIndexChanged, &dialog, [name, typed] { *typed = name->text(); });
    QObject::connect(types, &QComboBox::activated, &dialog, [name, typed] {
        if (name->text() != *typed) name->setText(*typed);
    });
}

// Centred across the main window's screen, one third of the free height above.
void PlaceOnScreenOf(QWidget& dialog, QWidget* owner) {
    QScreen* screen = owner ? owner->screen() : dialog.screen();
    if (!screen) return;
    const QRect monitor = screen->geometry();
    const QSize size = dialog.frameGeometry().size();
    dialog.move(monitor.x() + (monitor.width() - size.width()) / 2,
                monitor.y() + (monitor.height() - size.height()) / 3);
}

}  // namespace

bool ScreenSaveDialog::Present(TSaveDialog& saveDialog) {
    QWidget* owner = QApplication::activeWindow();
    QFileDialog dialog(owner);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setAcceptMode(QFileDialog::AcceptSave);  // asks before returning an existing name
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QString());
    dialog.setSizeGripEnabled(true);
    const QtFilters types;
    dialog.setNameFilters(types.filters);
    const int index = saveDialog.FilterIndex;
    if (index >= 1 && index <= types.filters.size()) dialog.selectNameFilter(types.filters[index - 1]);
    if (!saveDialog.NativeFileName.empty())
        dialog.selectFile(QFile::decodeName(QByteArray::fromStdString(saveDialog.NativeFileName)));
    KeepTypedName(dialog);
    // Runs once the dialog is shown and has its size.
    QTimer::singleShot(0, &dialog, [&dialog, owner] { PlaceOnScreenOf(dialog, owner); });

    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
    const QString path = dialog.selectedFiles().constFirst();
    saveDialog.Accept({FromQString(path), QFile::encodeName(path).toStdString()},
                      types.IndexOf(dialog.selectedNameFilter()));
    return true;
}
