#include "journal/journal_saving.h"

#include "journal_session.h"
#include "document/order_document.h"
#include "order_record.h"
#include "project/project.h"
#include "project/project_files.h"
#include "window/prompts.h"
#include "widgets/qt_text.h"
#include "recorded_order.h"
#include "window/sketch_files.h"
#include "document/ui_context.h"

#include <QDateTime>
#include <QTemporaryDir>

#include <fstream>

namespace dalvex::ui {

bool takeNumberForJournal(UiContext& ctx) {
    if (!ctx.journal || !ctx.journal->on() || ctx.project.offeredOrderNumber.empty()) return false;
    ctx.editor.apply(edit::ClaimOrderNumber{});
    return true;
}

bool writeRecordedSketch(UiContext& ctx, QWidget* parent, const QString& path) {
    const auto write = [&] { return ctx.project.save(toPath(path)) == 0; };
    if (!ctx.journal) return write();
    const auto saved =
        ctx.journal->save(journal::recordOf(ctx.project, path.toStdString(), writeSketchBytes(ctx.project),
                                            QDateTime::currentSecsSinceEpoch()),
                          write);
    if (!saved.written) return false;
    if (const auto message = ctx.journal->takeRecordMessage(saved.recorded))
        prompts().error(parent, qs(*message), QStringLiteral("Журнал заказов"));
    return true;
}

void recordOrderWithoutFile(UiContext& ctx, QWidget* parent) {
    if (!ctx.journal) return;
    const auto outcome = ctx.journal->record(journal::recordOf(
        ctx.project, std::string(), writeSketchBytes(ctx.project), QDateTime::currentSecsSinceEpoch()));
    if (const auto message = ctx.journal->takeRecordMessage(outcome))
        prompts().error(parent, qs(*message), QStringLiteral("Журнал заказов"));
}

bool openJournalOrder(UiContext& ctx, QWidget* parent, int64_t number, int64_t versionId) {
    journal::Journal* j = ctx.journal ? ctx.journal->journal() : nullptr;
    const auto recorded = j ? journal::recordedOrder(*j, number, versionId)
                            : journal::Outcome<journal::RecordedOrder>(
                                  journal::JournalStatus{journal::JournalErrc::Failed, "off"});
    if (!recorded) {
        prompts().error(parent,
                        QStringLiteral("Заказ %1 не читается из журнала: %2")
                            .arg(number)
                            .arg(qs(recorded.status().message)),
                        QStringLiteral("Ошибка"));
        return false;
    }
    // Its next save continues this version; one another desk made meanwhile is not overwritten.
    ctx.journal->noteOpened(number, recorded->versionId);
    if (recorded->fileHoldsIt) return openSketchFile(ctx, parent, qs(recorded->filePath));
    // The file was moved, deleted or changed elsewhere: the recorded bytes, read as the file would be.
    QTemporaryDir folder;
    const std::filesystem::path copy = toPath(folder.path()) / "recorded.dlx";
    {
        std::ofstream out(copy, std::ios::binary);
        out.write(recorded->bytes.data(), static_cast<std::streamsize>(recorded->bytes.size()));
    }
    if (!folder.isValid() || ctx.editor.open(copy) != 0) {
        prompts().error(parent, QStringLiteral("Ошибка открытия файла ") + qs(recorded->filePath),
                        QStringLiteral("Ошибка"));
        return false;
    }
    // Saved anew, it goes where the user chooses; until then it is an unsaved order.
    ctx.document->setFilePath({});
    ctx.document->markRestored();
    return true;
}

} // namespace dalvex::ui
