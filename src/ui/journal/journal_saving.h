#pragma once
// The desktop program's few meeting points with the order journal: a save takes the order's number and is
// recorded, and an order of the journal is opened again.
#include <QString>

#include <cstdint>

class QWidget;

namespace dalvex::ui {

struct UiContext;

// Before a sketch file is saved with the journal on: a card still showing the number it was offered takes
// it now, so that no other order is ever recorded under it. Answers whether a number was taken (to be given
// back when the save fails).
bool takeNumberForJournal(UiContext& ctx);
// Writes the sketch file and records the order in the journal (its record kept on the disk before the file
// is replaced, so that no saved file is ever missing from it). A save the journal could not take now is
// recorded at the next start, and said once in a run. Answers whether the file was written.
bool writeRecordedSketch(UiContext& ctx, QWidget* parent, const QString& path);
// Records the order as it is with no file: one sent as a link, which no file holds until it is saved.
void recordOrderWithoutFile(UiContext& ctx, QWidget* parent);
// Opens an order of the journal, its latest version (`versionId` 0) or an earlier one: its file while the file
// holds that version, else the recorded bytes as a new unsaved order. The caller has settled unsaved changes.
// False (after a message) when it cannot be opened.
bool openJournalOrder(UiContext& ctx, QWidget* parent, int64_t number, int64_t versionId = 0);

} // namespace dalvex::ui
