#pragma once
// An order taken back from the journal: from its file while the file still holds what was recorded last, else
// from the recorded bytes (the file was moved, deleted or changed elsewhere).
#include "journal.h"

#include <string>

namespace dalvex::journal {

struct RecordedOrder {
    std::string filePath; // UTF-8, as recorded
    std::string bytes;    // the latest version
    int64_t versionId = 0; // its id: a save of the order opened from it continues it
    bool fileHoldsIt = false;
};

Outcome<RecordedOrder> recordedOrder(Journal& journal, int64_t number);

} // namespace dalvex::journal
