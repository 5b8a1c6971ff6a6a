#include "app/qt/FolderDrop.h"

#include <QDragMoveEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

void FolderDrop::Install(QWidget& target, Handler onFolder) {
    target.setAcceptDrops(true);
    target.installEventFilter(new FolderDrop(target, std::move(onFolder)));
}

FolderDrop::FolderDrop(QWidget& target, Handler onFolder) : QObject(&target), onFolder_(std::move(onFolder)) {}

std::optional<std::string> FolderDrop::FirstLocalFolder(const QMimeData& data) {
    if (!data.hasUrls()) return std::nullopt;
    for (const QUrl& url : data.urls()) {
        if (!url.isLocalFile()) continue;
        const QString path = url.toLocalFile();
        if (QFileInfo(path).isDir()) return QFile::encodeName(path).toStdString();
    }
    return std::nullopt;
}

bool FolderDrop::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto* drag = static_cast<QDragMoveEvent*>(event);
            if (drag->mimeData() && FirstLocalFolder(*drag->mimeData()))
                drag->acceptProposedAction();
            else
                drag->ignore();
            return true;
        }
        case QEvent::Drop: {
            auto* drop = static_cast<QDropEvent*>(event);
            const std::optional<std::string> folder =
                drop->mimeData() ? FirstLocalFolder(*drop->mimeData()) : std::nullopt;
            if (!folder) {
                drop->ignore();
                return true;
            }
            drop->acceptProposedAction();
            // The file manager waits for the drop to finish: the scan runs once it has.
            QMetaObject::invokeMethod(
                this, [this, path = *folder] { onFolder_(path); }, Qt::QueuedConnection);
            return true;
        }
        default: return QObject::eventFilter(watched, event);
    }
}
