#pragma once
// What the programs tell the user about the journal, in the same words everywhere.
#include "journal_result.h"

#include <string>

namespace dalvex::journal {

// The journal could not be opened and the program goes on without it; names the file.
std::string journalOffMessage(const JournalStatus& why, const std::string& file);
// A save the journal could not take now (`why`, as the journal said it); it is recorded at the next start.
// `queue` names where it waits when that is not the journal's own place.
std::string recordLaterMessage(const std::string& file, const std::string& why, const std::string& queue);
// A change refused because another desk changed the order since this one read it.
inline constexpr const char* kChangedElsewhere = "Заказ изменён на другом рабочем месте";
JournalStatus changedElsewhere();
// The journal's server cannot be reached: saves wait in the local queue (named) and are sent later.
std::string offlineMessage(const std::string& server, const std::string& queueFile);

// A save that could neither be recorded nor kept for later (the file itself is saved).
std::string recordLostMessage(const std::string& file, const std::string& why);

} // namespace dalvex::journal
