#pragma once
// An order taken back from the journal, its latest version or an earlier one: from its file while the file
// still holds what was recorded, else from the recorded bytes (the file was moved, deleted, changed elsewhere,
// or holds a later version).
#include "journal.h"

#include <string>

namespace dalvex::journal {

struct RecordedOrder {
    std::string filePath; // UTF-8, as recorded
    std::string bytes;    // the version asked for
    int64_t versionId = 0; // the latest version's id: a save of the order opened from any version continues it
    bool fileHoldsIt = false;
};

// `versionId` 0 for the latest version.
Outcome<RecordedOrder> recordedOrder(Journal& journal, int64_t number, int64_t versionId = 0);

} // namespace dalvex::journal
