#pragma once
// Every change the journal makes, written once for both back ends as a few statements over numbered values
// ($1, $2, ...). An SQLite file runs them as they stand. A server holds each as a function of the journal's
// owner (SECURITY DEFINER, its search_path pinned), the only way the desks' role may change anything, so that
// what each change keeps holds whatever a desk sends: versions and payments are only ever added, an order's
// card changes only with a version, its status only with its history and its paid sum only with a payment,
// and the number counter never goes back past a number saved.
#include "journal_db.h"
#include "order_record.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace dalvex::journal {

enum class JournalChange {
    HoldOrder,     // (number): latest version id, row version, status, paid; the row held to the commit
    SaveOrder,     // (card..., bytes, save id, next number): the card and a new version; the version's id
    SetStatus,     // (number, status, at)
    AddPayment,    // (number, amount, paid on, note)
    HoldCounter,   // (): the next number, the counter held to the commit
    RaiseCounter,  // (next)
    ReleaseNumber, // (before, after): back to `before` while the counter is at `after` and no order took it
    CopyOrder,     // (card...): the order when the journal lacks it; its number when it was added
    CopyVersion,   // (number, saved at, file path, grand total, bytes, save id): unless that save id is there
    CopyStatus,    // (number, status, at, nth): unless the order has that change `nth` times already
    CopyPayment,   // (number, amount, paid on, note, nth): likewise
    CopyCard,      // (card...): a later card of a version the journal holds; the number when it was written
};
inline constexpr int kJournalChangeCount = static_cast<int>(JournalChange::CopyCard) + 1;

// 99 999 999,99 руб.: the largest payment either back end takes.
inline constexpr int64_t kLargestPayment = 9'999'999'999;

// The changes in JournalChange's order, for a back end with `search` (or none) and `rowLock`.
std::vector<JournalChangeSql> journalChanges(const JournalDb::SearchColumn& search, std::string_view rowLock);

// A card's values in the order SaveOrder, CopyOrder and CopyCard take them: the number, the card's columns,
// then the search words where the back end keeps them in the order's row.
DbParams cardParams(const JournalDb& db, int64_t number, const OrderRecord& record);

} // namespace dalvex::journal
