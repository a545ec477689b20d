#pragma once
// The journal in an SQLite file on this computer: WAL mode with every commit on the disk before it answers,
// the layout version in PRAGMA user_version, older journals brought up to date after a backup, newer ones
// refused untouched.
#include "journal.h"
#include "sqlite_db.h"

#include <filesystem>
#include <memory>

namespace dalvex::journal {

class SqliteJournal : public Journal {
public:
    // Opens (or creates) the journal file. A journal of an older layout is copied beside itself
    // (journal.sqlite.v1-backup) and brought up to date in one transaction; a newer or damaged one is
    // refused without a change.
    static Outcome<std::unique_ptr<SqliteJournal>> open(const std::filesystem::path& file);

    std::string location() const override;
    Outcome<int64_t> record(const OrderRecord& record) override;
    JournalStatus recordAll(std::span<const OrderRecord> records) override;
    Outcome<bool> holdsVersion(int64_t number, std::string_view bytes) override;
    Outcome<std::vector<OrderSummary>> find(const JournalQuery& query) override;
    Outcome<int64_t> count(const JournalQuery& query) override;
    Outcome<OrderDetails> order(int64_t number) override;
    Outcome<std::string> versionBytes(int64_t number, int64_t versionId) override;
    JournalStatus setStatus(int64_t number, OrderStatus status, int64_t at, int64_t seenRowVersion) override;
    JournalStatus addPayment(int64_t number, const Payment& payment, int64_t seenRowVersion) override;
    Outcome<OrderNumberClaim> claimNumber(const std::filesystem::path& configFolder,
                                          const std::string& cardNumber, const std::string& offered) override;
    void releaseNumber(const std::filesystem::path& configFolder, const OrderNumberClaim& claim) override;
    Outcome<int64_t> keepCounterInStep(const std::filesystem::path& configFolder) override;
    JournalStatus backup(const std::filesystem::path& target) override;
    Outcome<std::vector<std::string>> check() override;

private:
    SqliteJournal(std::filesystem::path file, SqliteDb db) : file_(std::move(file)), db_(std::move(db)) {}

    // The journal's error for a failure of SQLite.
    JournalStatus failure(const DbError& e) const;
    // A statement for the list's query: the search index joined when there is text.
    Statement listStatement(const JournalQuery& query, bool counting);
    Outcome<bool> exists(int64_t number);
    // One save, inside the caller's transaction: the version's id.
    Outcome<int64_t> recordOne(const OrderRecord& record);
    // The order's status, inside the caller's transaction; Stale when its row moved past `seenRowVersion`.
    Outcome<int64_t> rowVersionFor(int64_t number, int64_t seenRowVersion);

    std::filesystem::path file_;
    SqliteDb db_;
};

// How long a program waits for another's lock before the journal answers Busy.
inline constexpr int kJournalBusyMillis = 3000;

} // namespace dalvex::journal
