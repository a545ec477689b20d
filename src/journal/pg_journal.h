#pragma once
// The journal on a PostgreSQL server that several desks share: order numbers from the server in one
// transaction, row versions against stale changes, the search rules in the server's full-text index. The
// tables are made by `dalvex-cli journal migrate` beforehand; a desk never changes the layout.
#include "journal.h"
#include "pg_db.h"

#include <memory>
#include <string>
#include <vector>

namespace dalvex::journal {

// One order's whole story with every version's bytes, as `journal copy` moves it.
struct OrderHistory {
    OrderDetails details;
    std::vector<std::string> bytes; // of details.versions, in their order
};

class PgJournal : public Journal {
public:
    // Connects and checks the layout: Offline when the server does not answer, CannotOpen without the
    // journal's tables or with an older layout (both need `journal migrate`), Newer for a newer one.
    static Outcome<std::unique_ptr<PgJournal>> open(const std::string& conninfo);
    // Makes or updates the journal's tables (the owner's role), and lets `deskRole` use them when given.
    static JournalStatus migrate(const std::string& conninfo, const std::string& deskRole);

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
    // A server's journal is backed up with pg_dump (docs/journal-server.md): refused here.
    JournalStatus backup(const std::filesystem::path& target) override;
    Outcome<std::vector<std::string>> check() override;

    // Takes in an order's story from another journal: the order when the server lacks it, the versions,
    // statuses and payments it does not hold yet. Run twice, it adds nothing the second time.
    JournalStatus absorb(const OrderHistory& history);

private:
    PgJournal(std::string conninfo, PgDb db) : conninfo_(std::move(conninfo)), db_(std::move(db)) {}

    // Connects again when the server went away meanwhile; Offline when it still does not answer.
    JournalStatus ready();
    JournalStatus failure(const PgError& e) const;
    Outcome<int64_t> recordOne(const OrderRecord& record);
    Outcome<int64_t> rowVersionFor(int64_t number, int64_t seenRowVersion);
    std::string listSql(const JournalQuery& query, bool counting, PgParams& params) const;

    std::string conninfo_;
    PgDb db_;
};

// How long a desk waits for the server to answer a connection.
inline constexpr int kServerTimeoutSeconds = 3;

} // namespace dalvex::journal
