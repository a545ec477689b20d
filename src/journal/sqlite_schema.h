#pragma once
// The journal file's tables, and the steps that bring a journal made by an older program up to date.
#include "sqlite_db.h"

#include <cstdint>
#include <string>

namespace dalvex::journal {

// The journal's layout version, kept in PRAGMA user_version. 1: orders, versions, statuses and the number
// counter; 2: payments, the search index, and the indexes the list's filters use; 3: the orders' row versions
// and the saves' ids; 4: the journal's own id; 5: the search index split at spaces alone, made anew by the rules
// the back ends share.
inline constexpr int64_t kSqliteJournalVersion = 5;

// Creates the tables of a new journal (in the caller's transaction).
DbError createSchema(SqliteDb& db);
// Brings a journal of `version` (1 up to the current one) to the current layout, in the caller's
// transaction.
DbError migrateSchema(SqliteDb& db, int64_t version);
// The order's words in the search index, in place of those it had (search_terms.h makes them from the card).
DbError indexOrder(SqliteDb& db, int64_t number, const std::string& orderNumber, const std::string& customer,
                   const std::string& address, const std::string& phone);
// Whether the file's tables are those of a journal (the orders table is there).
bool looksLikeJournal(SqliteDb& db);

} // namespace dalvex::journal
