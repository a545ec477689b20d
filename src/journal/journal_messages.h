#pragma once
// What the programs tell the user about the journal, in the same words everywhere.
#include "journal_result.h"

#include <string>

namespace dalvex::journal {

// The journal could not be opened and the program goes on without it; names the file.
std::string journalOffMessage(const JournalStatus& why, const std::string& file);
// A save the journal could not take now; it is recorded at the next start.
std::string recordLaterMessage(const std::string& file);
// A save that could neither be recorded nor kept for later (the file itself is saved).
std::string recordLostMessage(const std::string& file);

} // namespace dalvex::journal
