#pragma once
// Folders dropped from a file manager: a drag that holds a local folder is welcome on the
// widget and its first local folder is handed on; any other drag is refused (no-drop cursor).
#include <QObject>
#include <functional>
#include <optional>
#include <string>

class QMimeData;
class QWidget;

class FolderDrop : public QObject {
    Q_OBJECT
public:
    using Handler = std::function<void(const std::string& nativeFolder)>;

    // Lets `target` take folder drops; the watcher lives as the target's child.
    static void Install(QWidget& target, Handler onFolder);

    // The first local folder among the dragged URLs, as the file system spells it.
    static std::optional<std::string> FirstLocalFolder(const QMimeData& data);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    FolderDrop(QWidget& target, Handler onFolder);
    Handler onFolder_;
};
