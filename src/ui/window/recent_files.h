#pragma once
// The files the user worked with, remembered across runs: the folder the file dialogs start in and the
// recent files offered beside "Открыть".
#include <QString>
#include <QStringList>

namespace dalvex::ui {

constexpr int kRecentFileCount = 10;

// The folder of the last file opened or saved; the user's documents folder before the first one, or when
// that folder is gone.
QString lastFolder();
// The last files opened or saved, the latest first, at most kRecentFileCount.
QStringList recentFiles();
// A file was opened or saved: it becomes the first recent file and its folder the last folder.
void rememberFile(const QString& path);
// A recent file that can no longer be opened leaves the list.
void forgetFile(const QString& path);

} // namespace dalvex::ui
