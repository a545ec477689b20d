#include "recovery.h"

#include "io/atomic_file.h"
#include "order_document.h"
#include "project/project.h"
#include "project/project_files.h"
#include "prompts.h"
#include "ui_context.h"

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
    timer_.setInterval(kIntervalMs);
    connect(&timer_, &QTimer::timeout, this, &RecoveryKeeper::keepNow);
    timer_.start();
}

void RecoveryKeeper::keepNow() {
    // A typing under way is a step already: it is kept too, and stays one step.
    if (!ctx_.document || !ctx_.document->modified()) {
        QFile::remove(path_);
        return;
    }
    QDir().mkpath(QFileInfo(path_).absolutePath());
    writeFileAtomically(toPath(path_), writeSketchBytes(ctx_.project));
}

void RecoveryKeeper::discard() {
    QFile::remove(path_);
    if (lock_->isLocked()) lock_->unlock();
}

bool RecoveryKeeper::offerRestore(QWidget* parent) {
    if (!lock_->isLocked() || !QFile::exists(path_)) return false;
    const bool wanted = prompts().question(
        parent, QStringLiteral("Программа была закрыта аварийно. Восстановить несохранённый заказ?"),
        QStringLiteral("dalvex"));
    bool restored = false;
    if (wanted && ctx_.editor.open(toPath(path_)) == 0) {
        ctx_.document->setFilePath({});
        ctx_.document->markRestored();
        restored = true;
    }
    // Kept until the restored order is saved or written again by the timer.
    if (!restored) discard();
    return restored;
}

} // namespace dalvex::ui
