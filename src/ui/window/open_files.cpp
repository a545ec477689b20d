#include "window/open_files.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace dalvex::ui {

namespace {

// A file's name in the folder: the same for every spelling of its path (links, "..", letter case where the
// file system ignores it).
QString keyOf(const QString& path) {
    QString canonical = QFileInfo(path).canonicalFilePath();
    if (canonical.isEmpty()) canonical = QFileInfo(path).absoluteFilePath();
#if defined(Q_OS_WIN)
    canonical = canonical.toLower();
#endif
    return QString::fromLatin1(
        QCryptographicHash::hash(canonical.toUtf8(), QCryptographicHash::Sha1).toHex().left(24));
}

} // namespace

OpenFiles::OpenFiles(QString folder, QObject* parent) : QObject(parent) {
    if (folder.isEmpty()) folder = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    folder_ = QDir(folder).filePath(QStringLiteral("open"));
    QDir().mkpath(folder_);
    watcher_.addPath(folder_);
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, &OpenFiles::requestsChanged);
}

OpenFiles::~OpenFiles() = default;

QString OpenFiles::lockPath(const QString& key) const {
    return QDir(folder_).filePath(key + QStringLiteral(".lock"));
}

QString OpenFiles::requestPath(const QString& key) const {
    return QDir(folder_).filePath(key + QStringLiteral(".forward"));
}

void OpenFiles::follow(const QString& path) {
    const QString key = path.isEmpty() ? QString() : keyOf(path);
    if (key == key_ && (key.isEmpty() || lock_)) return;
    lock_.reset();
    key_ = key;
    if (key_.isEmpty()) return;
    auto lock = std::make_unique<QLockFile>(lockPath(key_));
    lock->setStaleLockTime(0); // stale only when the program that took it is gone
    if (lock->tryLock(0)) lock_ = std::move(lock);
}

bool OpenFiles::openElsewhere(const QString& path) const {
    if (path.isEmpty()) return false;
    QLockFile probe(lockPath(keyOf(path)));
    probe.setStaleLockTime(0);
    if (probe.tryLock(0)) {
        probe.unlock();
        return false;
    }
    qint64 pid = 0;
    QString host, application;
    return probe.getLockInfo(&pid, &host, &application) && pid != QCoreApplication::applicationPid();
}

void OpenFiles::callForward(const QString& path) const {
    QFile request(requestPath(keyOf(path)));
    if (request.open(QIODevice::WriteOnly))
        request.write(QByteArray::number(QCoreApplication::applicationPid()));
}

void OpenFiles::requestsChanged() {
    if (key_.isEmpty() || !QFile::exists(requestPath(key_))) return;
    QFile::remove(requestPath(key_));
    emit forwardRequested();
}

} // namespace dalvex::ui
