#include "window/sketch_files.h"

#include "journal/journal_saving.h"
#include "window/open_files.h"
#include "document/order_document.h"
#include "project/project.h"
#include "window/prompts.h"
#include "widgets/qt_text.h"
#include "window/recent_files.h"
#include "document/ui_context.h"

#include "files/sketch_link.h"

#include <QDir>
#include <QFileInfo>

namespace dalvex::ui {

bool openSketchFile(UiContext& ctx, QWidget* parent, const QString& path) {
    // Open in another window already: that window comes forward, so that the two copies never overwrite
    // each other.
    if (ctx.openFiles && ctx.openFiles->openElsewhere(path)) {
        ctx.openFiles->callForward(path);
        return false;
    }
    // The editor tells the panels of the new order, whose history starts anew.
    const int result = ctx.editor.open(toPath(path));
    if (result == 0) {
        ctx.document->setFilePath(path);
        rememberFile(path);
        return true;
    }
    const std::string shown = QDir::toNativeSeparators(path).toStdString();
    prompts().error(parent, qs(sketchOpenMessage(SketchFileResult(result), shown)), QStringLiteral("Ошибка"));
    return false;
}

bool openSketchLink(UiContext& ctx, QWidget* parent, const QString& link) {
    const std::optional<std::string> bytes = sketchLinkBytes(link.toStdString());
    const int result = bytes ? ctx.editor.openAsNewOrder(*bytes) : kSketchCannotOpen;
    if (result != kSketchOk) {
        prompts().error(parent, qs(sketchLinkOpenMessage(result)), QStringLiteral("Ошибка"));
        return false;
    }
    // No file holds it yet: closing asks where to save it.
    ctx.document->setFilePath({});
    ctx.document->markRestored();
    if (takeNumberForJournal(ctx)) recordOrderWithoutFile(ctx, parent);
    return true;
}

bool openSketchFileOrLink(UiContext& ctx, QWidget* parent, const QString& pathOrLink) {
    const bool link = !QFileInfo::exists(pathOrLink) && pathOrLink.contains(qs(kSketchLinkMark));
    return link ? openSketchLink(ctx, parent, pathOrLink) : openSketchFile(ctx, parent, pathOrLink);
}

bool saveSketchFile(UiContext& ctx, QWidget* parent, const QString& path) {
    const bool numberTaken = takeNumberForJournal(ctx);
    if (!writeRecordedSketch(ctx, parent, path)) {
        if (numberTaken) ctx.editor.releaseOrderNumber();
        prompts().error(parent, QStringLiteral("Ошибка сохранения файла ") + QDir::toNativeSeparators(path),
                        QStringLiteral("Ошибка"));
        return false;
    }
    if (ctx.document) {
        ctx.document->setFilePath(path);
        ctx.document->markSaved();
    }
    rememberFile(path);
    return true;
}

bool saveSketchAs(UiContext& ctx, QWidget* parent) {
    const QString proposed = ctx.document && !ctx.document->filePath().isEmpty() ? ctx.document->filePath()
                                                                                 : QStringLiteral("эскиз");
    const QString path = prompts().savePath(parent, sketchFilter(), QStringLiteral("dlx"), proposed);
    return !path.isEmpty() && saveSketchFile(ctx, parent, path);
}

bool saveSketch(UiContext& ctx, QWidget* parent) {
    const QString path = ctx.document ? ctx.document->filePath() : QString();
    return path.isEmpty() ? saveSketchAs(ctx, parent) : saveSketchFile(ctx, parent, path);
}

bool settleUnsavedChanges(UiContext& ctx, QWidget* parent) {
    if (!ctx.document || !ctx.document->modified()) return true;
    const QString& path = ctx.document->filePath();
    const QString question =
        path.isEmpty() ? QStringLiteral("Сохранить изменения?")
                       : QStringLiteral("Сохранить изменения в файле «%1»?").arg(QFileInfo(path).fileName());
    switch (prompts().saveChanges(parent, question, QStringLiteral("dalvex"))) {
    case SaveAnswer::Discard:
        return true;
    case SaveAnswer::Cancel:
        return false;
    case SaveAnswer::Save:
        break;
    }
    return saveSketch(ctx, parent);
}

} // namespace dalvex::ui
