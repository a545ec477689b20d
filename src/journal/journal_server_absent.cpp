#include "journal_server.h"

namespace dalvex::journal {
namespace {

JournalStatus absent() {
    return journalError(JournalErrc::Refused, "this build keeps the journal in an SQLite file only (no PostgreSQL)");
}

} // namespace

bool serverJournalsBuilt() {
    return false;
}

Outcome<std::unique_ptr<Journal>> openServerJournal(const std::string&) {
    return absent();
}

JournalStatus migrateServerJournal(const std::string&, const std::string&) {
    return absent();
}

Outcome<CopyReport> copyToServer(Journal&, const std::string&) {
    return absent();
}

} // namespace dalvex::journal
