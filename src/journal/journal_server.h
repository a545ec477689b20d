#pragma once
// The journal on a PostgreSQL server, as the programs reach it: opened by a desk, made or updated by its
// owner, filled from a desk's own journal. A build without libpq answers every call with a refusal.
#include "journal.h"

#include <memory>
#include <string>

namespace dalvex::journal {

// Whether this build can use a server at all.
bool serverJournalsBuilt();

Outcome<std::unique_ptr<Journal>> openServerJournal(const std::string& conninfo);
// `dalvex-cli journal migrate`: the tables made or brought up to date; `deskRole` (when given) may then use
// them and nothing more.
JournalStatus migrateServerJournal(const std::string& conninfo, const std::string& deskRole);

struct CopyReport {
    int orders = 0;
    int versions = 0; // versions read from the desk's journal (those the server held already included)
};
// `dalvex-cli journal copy --to SERVER`: every order of `from` with its versions, statuses and payments;
// what the server holds already is not copied again.
Outcome<CopyReport> copyToServer(Journal& from, const std::string& conninfo);

} // namespace dalvex::journal
