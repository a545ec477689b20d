#include "window/recent_files.h"

#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace dalvex::ui {
namespace {

const QString kFolderKey = QStringLiteral("files/lastFolder");
const QString kRecentKey = QStringLiteral("files/recent");

} // namespace

QString lastFolder() {
    const QString folder = QSettings().value(kFolderKey).toString();
    if (!folder.isEmpty() && QFileInfo(folder).isDir()) return folder;
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

QStringList recentFiles() {
    return QSettings().value(kRecentKey).toStringList();
}

void rememberFile(const QString& path) {
    const QFileInfo info(path);
    const QString full = info.absoluteFilePath();
    QSettings settings;
    QStringList recent = settings.value(kRecentKey).toStringList();
    // The file opened again: the settings stay as they are, unwritten (writing them waits for the disk).
    if (!recent.isEmpty() && recent.front() == full &&
        settings.value(kFolderKey).toString() == info.absolutePath())
        return;
    settings.setValue(kFolderKey, info.absolutePath());
    recent.removeAll(full);
    recent.prepend(full);
    while (recent.size() > kRecentFileCount)
        recent.removeLast();
    settings.setValue(kRecentKey, recent);
}

void forgetFile(const QString& path) {
    QSettings settings;
    QStringList recent = settings.value(kRecentKey).toStringList();
    recent.removeAll(QFileInfo(path).absoluteFilePath());
    settings.setValue(kRecentKey, recent);
}

} // namespace dalvex::ui
