#pragma once
// The journal in an SQLite file on this computer: WAL mode with every commit on the disk before it answers,
// the layout version in PRAGMA user_version, older journals brought up to date after a backup, newer ones
// refused untouched. The store (journal_store.h) does the journal's work; this is its port to the file.
#include "journal_db.h"
#include "journal_store.h"
#include "sqlite_db.h"

#include <filesystem>
#include <memory>

namespace dalvex::journal {

class SqliteJournal final : public JournalDb {
public:
    // Opens (or creates) the journal file. A journal of an older layout is copied beside itself
    // (journal.sqlite.v1-backup) and brought up to date in one transaction; a newer or damaged one is
    // refused without a change.
    static Outcome<std::unique_ptr<JournalStore>> open(const std::filesystem::path& file);

    std::string location() const override;
    Outcome<std::string> identity() override;
    JournalStatus begin() override;
    JournalStatus commit() override;
    void rollback() override;
    Outcome<DbRows> query(std::string_view sql, const DbParams& params) override;
    std::string_view rowLock() const override { return {}; }
    JournalStatus index(int64_t number, const OrderCard& card) override;
    std::string listSql(const JournalQuery& query, bool counting, DbParams& params) const override;
    Outcome<std::vector<std::string>> integrity() override;
    JournalStatus backup(const std::filesystem::path& target) override;

private:
    SqliteJournal(std::filesystem::path file, SqliteDb db) : file_(std::move(file)), db_(std::move(db)) {}

    JournalStatus failure(const DbError& e) const;

    std::filesystem::path file_;
    SqliteDb db_;
};

// How long a program waits for another's lock before the journal answers Busy.
inline constexpr int kJournalBusyMillis = 3000;

} // namespace dalvex::journal
