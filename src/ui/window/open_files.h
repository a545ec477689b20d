#pragma once
// Which running program has a sketch file open, so that one order is never open in two windows that could
// overwrite each other: each program holds a lock named after its open file in the user's folder, and the
// program that has the file is asked to come forward through a request file beside the lock.
#include <QFileSystemWatcher>
#include <QLockFile>
#include <QObject>
#include <QString>

#include <memory>

namespace dalvex::ui {

// OpenFiles: the locks of the sketch files open in running programs.
class OpenFiles : public QObject {
    Q_OBJECT

public:
    // `folder` holds the locks and requests (created when missing); empty: the user's folder.
    explicit OpenFiles(QString folder = {}, QObject* parent = nullptr);
    ~OpenFiles() override;

    // This program now has `path` open (empty: no file); the file it had before is free again.
    void follow(const QString& path);
    // Whether another running program has `path` open.
    bool openElsewhere(const QString& path) const;
    // Asks the program that has `path` open to bring its window forward.
    void callForward(const QString& path) const;

signals:
    // Another program was given the file this one has open.
    void forwardRequested();

private:
    QString lockPath(const QString& key) const;
    QString requestPath(const QString& key) const;
    void requestsChanged();

    QString folder_;
    QString key_; // of the file this program has open; empty for none
    std::unique_ptr<QLockFile> lock_;
    QFileSystemWatcher watcher_;
};

} // namespace dalvex::ui
