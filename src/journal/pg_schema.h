#pragma once
// The journal's tables on a PostgreSQL server, their layout version (the table journal_layout), and the steps
// that make or update them. Only `dalvex-cli journal migrate`, run by the role that owns the tables, changes
// the layout: the desks' role may use the tables and nothing more.
#include "pg_db.h"

#include <cstdint>
#include <optional>
#include <string>

namespace dalvex::journal {

// 1: orders (texts as their UTF-8 bytes, the search words as a tsvector), versions with their save ids,
// statuses, payments and the number counter; 2: the journal's own id in journal_layout; 3: every order's
// search words made anew by the rules the back ends share.
inline constexpr int64_t kPgJournalVersion = 3;

// The layout version of the journal the connection sees: 0 when it has no journal tables; nothing (with the
// connection's error) when the server could not say.
std::optional<int64_t> pgLayoutVersion(PgDb& db);
// Makes the tables or brings them up to the current layout, in one transaction. Refuses a newer layout.
PgError migratePgLayout(PgDb& db);
// Lets `role` use the journal's tables (read, add, change; no DDL, no deletes of history).
PgError grantJournalUse(PgDb& db, const std::string& role);

} // namespace dalvex::journal
