#include "window/recovery.h"

#include "io/atomic_file.h"
#include "document/order_document.h"
#include "project/project.h"
#include "project/project_files.h"
#include "window/prompts.h"
#include "document/ui_context.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace dalvex::ui {

RecoveryKeeper::RecoveryKeeper(UiContext& ctx, QString folder, QObject* parent) : QObject(parent), ctx_(ctx) {
    if (folder.isEmpty()) folder = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    QDir().mkpath(folder);
    lock_ = std::make_unique<QLockFile>(QDir(folder).filePath(QStringLiteral("recovery.lock")));
    lock_->setStaleLockTime(0); // stale only when the program that took it is gone
    const QString name = lock_->tryLock(0)
                             ? QStringLiteral("recovery.dlx")
                             : QStringLiteral("recovery-%1.dlx").arg(QCoreApplication::applicationPid());
    path_ = QDir(folder).filePath(name);
    namePath_ = QDir(folder).filePath(QFileInfo(name).completeBaseName() + QStringLiteral(".txt"));
    if (ctx_.document)
        connect(ctx_.document, &OrderDocument::historyChanged, this, &RecoveryKeeper::historyChanged);
    timer_.setInterval(kIntervalMs);
    connect(&timer_, &QTimer::timeout, this, &RecoveryKeeper::keepNow);
    timer_.start();
}

void RecoveryKeeper::keepNow() {
    // A typing under way is a step already: it is kept too, and stays one step.
    if (!ctx_.document || !ctx_.document->modified()) {
        remove();
        return;
    }
    QDir().mkpath(QFileInfo(path_).absolutePath());
    const QString& name = ctx_.document->filePath();
    if (name.isEmpty())
        QFile::remove(namePath_);
    else
        writeFileAtomically(toPath(namePath_), name.toStdString());
    writeFileAtomically(toPath(path_), writeSketchBytes(ctx_.project));
    kept_ = true;
}

void RecoveryKeeper::remove() {
    QFile::remove(path_);
    QFile::remove(namePath_);
    kept_ = false;
}

void RecoveryKeeper::historyChanged() {
    // Only what this program kept: a file left by a crash stays until it has been offered.
    if (kept_ && !ctx_.document->modified()) remove();
}

void RecoveryKeeper::discard() {
    remove();
    if (lock_->isLocked()) lock_->unlock();
}

bool RecoveryKeeper::offerRestore(QWidget* parent) {
    if (!lock_->isLocked() || !QFile::exists(path_)) return false;
    const bool wanted = prompts().choose(
        parent, QStringLiteral("Программа была закрыта аварийно. Восстановить несохранённый заказ?"),
        QStringLiteral("dalvex"), QStringLiteral("Восстановить"), QStringLiteral("Не восстанавливать"));
    if (!wanted || ctx_.editor.open(toPath(path_)) != 0) {
        // The program keeps its lock: its own work goes on being kept in the same file.
        remove();
        return false;
    }
    QFile name(namePath_);
    ctx_.document->setFilePath(name.open(QIODevice::ReadOnly) ? QString::fromUtf8(name.readAll())
                                                              : QString());
    ctx_.document->markRestored();
    // Kept until the restored order is saved or written again by the timer.
    kept_ = true;
    return true;
}

} // namespace dalvex::ui
