#pragma once
// The order journal: every saved order with its versions, statuses and payments, found as the user types.
// One interface for every back end (an SQLite file on this computer, or a PostgreSQL server the shop's desks
// share); the search rules, the number rules and the messages are shared code above it.
#include "journal_result.h"
#include "journal_types.h"
#include "orders/order_numbers.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace dalvex::journal {

class Journal {
public:
    virtual ~Journal() = default;

    // Where the journal is, as the messages name it (the file's path, or the server).
    virtual std::string location() const = 0;
    // Which journal this is however it is reached (its file, or the server's system and database) with the
    // id made with its tables: a save kept in a queue names it and goes to that journal alone.
    virtual Outcome<std::string> identity() = 0;

    // Records one save: the order's card, totals and choices, a new version with the file's bytes. The
    // order's number moves the journal's next number past it. Durable once it answers, with the version's id.
    // A save whose id the journal holds already answers that version; one that follows a version older than
    // the order's latest is refused (Stale).
    virtual Outcome<int64_t> record(const OrderRecord& record) = 0;
    // Several saves in one transaction: all are recorded or none (an import of many files).
    virtual JournalStatus recordAll(std::span<const OrderRecord> records) = 0;
    // Whether the order already holds a version with exactly these bytes.
    virtual Outcome<bool> holdsVersion(int64_t number, std::string_view bytes) = 0;

    // The orders the query finds, newest number first; and how many there are, its offset left aside and
    // counting no further than its limit when that is above 0 (a window shows "more than").
    virtual Outcome<std::vector<OrderSummary>> find(const JournalQuery& query) = 0;
    virtual Outcome<int64_t> count(const JournalQuery& query) = 0;
    virtual Outcome<OrderDetails> order(int64_t number) = 0;
    // The file's bytes of one version; of the latest one when `versionId` is 0.
    virtual Outcome<std::string> versionBytes(int64_t number, int64_t versionId) = 0;

    // A status change or a payment, kept with its time. `seenRowVersion` is the order's row version the user
    // decided on (OrderSummary::rowVersion); when the order changed since, the change is refused (Stale).
    // 0: not checked.
    virtual JournalStatus setStatus(int64_t number, OrderStatus status, int64_t at, int64_t seenRowVersion) = 0;
    virtual JournalStatus addPayment(int64_t number, const Payment& payment, int64_t seenRowVersion) = 0;

    // Order numbers, in one transaction with the counter file kept in step (see journal_numbers.h).
    virtual Outcome<OrderNumberClaim> claimNumber(const std::filesystem::path& configFolder,
                                                  const std::string& cardNumber,
                                                  const std::string& offered) = 0;
    virtual void releaseNumber(const std::filesystem::path& configFolder, const OrderNumberClaim& claim) = 0;
    // The journal's next number, and the counter file raised to it.
    virtual Outcome<int64_t> keepCounterInStep(const std::filesystem::path& configFolder) = 0;

    // A consistent copy of the whole journal, written to a temporary file and put in place when complete.
    virtual JournalStatus backup(const std::filesystem::path& target) = 0;
    // The back end's own integrity check: empty when all is well, else what it found.
    virtual Outcome<std::vector<std::string>> check() = 0;
};

} // namespace dalvex::journal
