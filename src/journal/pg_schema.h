#pragma once
// The journal's tables on a PostgreSQL server, their layout version (the table journal_layout), and the steps
// that make or update them. Only `dalvex-cli journal migrate`, run by the role that owns the tables, changes
// the layout: the desks' role may use the tables and nothing more.
#include "journal_db.h"
#include "pg_db.h"

#include <cstdint>
#include <optional>
#include <string>

namespace dalvex::journal {

// 1: orders (texts as their UTF-8 bytes, the search words as a tsvector), versions with their save ids,
// statuses, payments and the number counter; 2: the journal's own id in journal_layout; 3: every order's
// search words made anew by the rules the back ends share; 4: the journal's changes as functions of its
// owner, the only way the desks change it, and the desk that made each version, status and payment.
// Changing what a change does (journal_changes.cpp) needs a new step that makes the functions anew.
inline constexpr int64_t kPgJournalVersion = 4;

// The orders' search words, kept in their own row, and what holds a row to the commit.
inline constexpr JournalDb::SearchColumn kPgSearchColumn{"search", "::tsvector"};
inline constexpr std::string_view kPgRowLock = " FOR UPDATE";

// A change's function as SQL names it: journal_set_status(bigint, bigint, bigint).
std::string pgFunctionSignature(const JournalChangeSql& change);
// The server's type of a value of `kind`.
std::string_view pgTypeOf(DbValue::Kind kind);

// The layout version of the journal the connection sees: 0 when it has no journal tables; nothing (with the
// connection's error) when the server could not say.
std::optional<int64_t> pgLayoutVersion(PgDb& db);
// Makes the tables or brings them up to the current layout, in one transaction. Refuses a newer layout.
PgError migratePgLayout(PgDb& db);
// Lets `role` read the journal's tables and change them through the journal's functions alone: no INSERT,
// UPDATE, DELETE or LOCK beyond reading, no DDL.
PgError grantJournalUse(PgDb& db, const std::string& role);

} // namespace dalvex::journal
