#pragma once
// What the journal does, written once for every back end: recording saves with their versions, statuses,
// payments, the order numbers, the rows mapped to records, the checks and the search, all on a database port
// (journal_db.h) that an SQLite file or a PostgreSQL server implements.
#include "journal.h"
#include "journal_changes.h"
#include "journal_db.h"

#include <memory>
#include <string>
#include <vector>

namespace dalvex::journal {

// One order's whole story with every version's bytes, as `journal copy` moves it.
struct OrderVersions {
    OrderDetails details;
    std::vector<std::string> bytes; // of details.versions, in their order
};

class JournalStore : public Journal {
public:
    explicit JournalStore(std::unique_ptr<JournalDb> db);

    std::string location() const override;
    Outcome<std::string> identity() override;
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

    // Takes in an order's story from another journal: the order when this one lacks it, the versions,
    // statuses and payments it does not hold yet. Run twice, it adds nothing the second time.
    JournalStatus absorb(const OrderVersions& story);

private:
    // One save, inside the caller's transaction: the version's id.
    Outcome<int64_t> recordOne(const OrderRecord& record);
    // The order's status inside the caller's transaction, its row held: NotFound without the order, Stale
    // when its row moved past `seenRowVersion`.
    Outcome<int64_t> statusFor(int64_t number, int64_t seenRowVersion);
    // The counter raised to `next` unless it is there already.
    JournalStatus raiseCounter(int64_t next);
    // One of the journal's changes, inside the caller's transaction.
    Outcome<DbRows> make(JournalChange change, const DbParams& params);
    // The order's words, in the search column or the index, after its card was written.
    JournalStatus indexOrder(int64_t number, const OrderCard& card);

    std::unique_ptr<JournalDb> db_;
    std::vector<JournalChangeSql> changes_; // in JournalChange's order, for this back end
    std::string identity_; // once known
};

} // namespace dalvex::journal
