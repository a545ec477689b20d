#pragma once
// Work kept safe from a crash: while the order has unsaved changes it is written, every minute, to a recovery
// file in the user's state folder; a clean exit removes the file, so one found at start was left by a crash.
#include <QLockFile>
#include <QObject>
#include <QString>
#include <QTimer>

#include <memory>

namespace dalvex::ui {

struct UiContext;

class RecoveryKeeper : public QObject {
    Q_OBJECT
public:
    static constexpr int kIntervalMs = 60 * 1000;

    // `folder` empty: the user's application state folder.
    RecoveryKeeper(UiContext& ctx, QString folder = {}, QObject* parent = nullptr);

    const QString& path() const { return path_; }
    // Writes the order when it has unsaved changes; removes the file when it has none.
    void keepNow();
    // The program ends cleanly: nothing is left to recover.
    void discard();
    // At start, with a file left from a crash: offers to restore it. True when the order was restored;
    // declined, the file is removed.
    bool offerRestore(QWidget* parent);

private:
    UiContext& ctx_;
    QString path_;
    // Held by the running program that owns recovery.dlx: a second program running at the same time keeps
    // its own file and does not offer the first one's work as left by a crash.
    std::unique_ptr<QLockFile> lock_;
    QTimer timer_;
};

} // namespace dalvex::ui
