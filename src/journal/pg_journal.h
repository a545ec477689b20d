#pragma once
// The journal on a PostgreSQL server that several desks share: order numbers from the server in one
// transaction, rows held against two desks saving at once, the search rules in the server's full-text index.
// The tables are made by `dalvex-cli journal migrate` beforehand; a desk never changes the layout. The store
// (journal_store.h) does the journal's work; this is its port to the server.
#include "journal_db.h"
#include "journal_store.h"
#include "pg_db.h"
#include "pg_schema.h"

#include <memory>
#include <string>

namespace dalvex::journal {

class PgJournal final : public JournalDb {
public:
    // Connects and checks the layout: Offline when the server does not answer, CannotOpen without the
    // journal's tables or with an older layout (both need `journal migrate`), Newer for a newer one.
    static Outcome<std::unique_ptr<JournalStore>> open(const std::string& conninfo);
    // Makes or updates the journal's tables (the owner's role), and lets `deskRole` use them when given.
    static JournalStatus migrate(const std::string& conninfo, const std::string& deskRole);

    std::string location() const override;
    Outcome<std::string> identity() override;
    JournalStatus begin() override;
    JournalStatus commit() override;
    void rollback() override;
    Outcome<DbRows> query(std::string_view sql, const DbParams& params) override;
    // The journal's functions: the desks' role may change the tables no other way.
    Outcome<DbRows> change(const JournalChangeSql& change, const DbParams& params) override;
    std::string_view deskColumn() const override { return "desk"; }
    std::string_view rowLock() const override { return kPgRowLock; }
    JournalStatus index(int64_t, const OrderCard&) override { return {}; }
    SearchColumn searchColumn() const override { return kPgSearchColumn; }
    std::string searchWords(const OrderCard& card) const override;
    std::string listSql(const JournalQuery& query, bool counting, DbParams& params) const override;
    Outcome<std::vector<std::string>> integrity() override { return std::vector<std::string>{}; }
    // A server's journal is backed up with pg_dump (docs/journal-server.md): refused here.
    JournalStatus backup(const std::filesystem::path& target) override;

private:
    PgJournal(std::string conninfo, PgDb db) : conninfo_(std::move(conninfo)), db_(std::move(db)) {}

    // Connects again when the server went away meanwhile; Offline when it still does not answer.
    JournalStatus ready();
    JournalStatus failure(const PgError& e) const;

    std::string conninfo_;
    PgDb db_;
    // Inside a transaction a lost connection is a failure: connecting again would go on outside it.
    bool inTransaction_ = false;
};

// How long a desk waits for the server to answer a connection.
inline constexpr int kServerTimeoutSeconds = 3;

} // namespace dalvex::journal
