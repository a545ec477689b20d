#include "journal_changes.h"

#include <algorithm>
#include <iterator>

namespace dalvex::journal {
namespace {

using Kind = DbValue::Kind;

// The card's columns, as $2, $3, ... after the number ($1), with their kinds.
constexpr struct {
    const char* name;
    Kind kind;
} kCardColumns[] = {
    {"number_text", Kind::Text}, {"customer", Kind::Text},       {"phone", Kind::Text},
    {"address", Kind::Text},     {"order_date", Kind::Integer},  {"ready_date", Kind::Integer},
    {"assembly_cost", Kind::Integer}, {"delivery_cost", Kind::Integer}, {"discount", Kind::Real},
    {"items_total", Kind::Integer}, {"grand_total", Kind::Integer}, {"system", Kind::Text},
    {"handle_profile", Kind::Text}, {"color", Kind::Text},        {"width", Kind::Integer},
    {"height", Kind::Integer},   {"door_count", Kind::Integer},  {"file_path", Kind::Text},
    {"saved_at", Kind::Integer},
};

std::string value(int index) {
    return "$" + std::to_string(index);
}

// The card's value of `column`: "$20" for saved_at.
std::string cardValue(std::string_view column) {
    const auto* c = std::find_if(std::begin(kCardColumns), std::end(kCardColumns),
                                 [&](const auto& k) { return column == k.name; });
    return value(static_cast<int>(c - std::begin(kCardColumns)) + 2);
}

// The card's columns, the search column last where there is one, with their values and kinds.
struct Card {
    std::vector<std::string> columns;
    std::vector<std::string> values;
    std::vector<Kind> kinds{Kind::Integer}; // the number first
};

Card cardOf(const JournalDb::SearchColumn& search) {
    Card card;
    for (const auto& c : kCardColumns) {
        card.columns.emplace_back(c.name);
        card.kinds.push_back(c.kind);
    }
    if (!search.name.empty()) {
        card.columns.emplace_back(search.name);
        card.kinds.push_back(Kind::Word);
    }
    for (std::size_t i = 0; i < card.columns.size(); ++i)
        card.values.push_back(value(static_cast<int>(i) + 2) +
                              (card.columns[i] == search.name ? std::string(search.cast) : std::string()));
    return card;
}

std::string insertOrder(const Card& card, const std::string& conflict) {
    std::string columns = "number";
    std::string values = "$1";
    for (std::size_t i = 0; i < card.columns.size(); ++i) {
        columns += ", " + card.columns[i];
        values += ", " + card.values[i];
    }
    return "INSERT INTO orders (" + columns + ") VALUES (" + values + ") ON CONFLICT (number) " + conflict;
}

std::vector<Kind> withMore(std::vector<Kind> kinds, std::initializer_list<Kind> more) {
    kinds.insert(kinds.end(), more);
    return kinds;
}

// The order's paid sum and status made again from its payments and its latest status change.
constexpr const char* kPaidFromPayments =
    "(SELECT coalesce(sum(amount), 0) FROM payments p WHERE p.number = orders.number)";
constexpr const char* kStatusFromHistory =
    "coalesce((SELECT status FROM status_changes s WHERE s.number = orders.number ORDER BY changed_at DESC, id "
    "DESC LIMIT 1), orders.status)";

} // namespace

std::vector<JournalChangeSql> journalChanges(const JournalDb::SearchColumn& search, std::string_view rowLock) {
    const Card card = cardOf(search);
    const int afterCard = static_cast<int>(card.kinds.size()) + 1; // the first value past the card's
    std::string set;
    std::string assigned;
    for (std::size_t i = 0; i < card.columns.size(); ++i) {
        set += card.columns[i] + " = excluded." + card.columns[i] + ", ";
        assigned += card.columns[i] + " = " + card.values[i] + ", ";
    }
    const std::string savedAt = cardValue("saved_at");

    std::vector<JournalChangeSql> changes(kJournalChangeCount);
    const auto define = [&](JournalChange c, const char* name, std::vector<Kind> params, const char* returns,
                            std::vector<std::string> statements) {
        changes[static_cast<std::size_t>(c)] = {name, std::move(params), returns, std::move(statements)};
    };
    define(JournalChange::HoldOrder, "journal_hold_order", {Kind::Integer},
           "TABLE (latest bigint, seen bigint, state bigint, paid_sum bigint)",
           {"SELECT coalesce((SELECT max(id) FROM versions v WHERE v.number = o.number), 0), o.row_version, "
            "CAST(o.status AS bigint), o.paid FROM orders o WHERE o.number = $1" +
            std::string(rowLock)});
    const std::string bytes = value(afterCard), saveId = value(afterCard + 1), next = value(afterCard + 2);
    define(JournalChange::SaveOrder, "journal_save_order", withMore(card.kinds, {Kind::Bytes, Kind::Word, Kind::Integer}),
           "SETOF bigint",
           {insertOrder(card, "DO UPDATE SET " + set + "row_version = orders.row_version + 1"),
            // A new order starts as an estimate.
            "INSERT INTO status_changes (number, status, changed_at) SELECT $1, 0, " + savedAt +
                " WHERE NOT EXISTS (SELECT 1 FROM status_changes WHERE number = $1)",
            // A number saved is never offered again.
            "UPDATE counter SET next_number = " + next + " WHERE id = 1 AND next_number < " + next,
            "INSERT INTO versions (number, saved_at, file_path, grand_total, bytes, save_id) VALUES ($1, " + savedAt +
                ", " + cardValue("file_path") + ", " + cardValue("grand_total") + ", " + bytes + ", nullif(" + saveId +
                ", '')) RETURNING id"});
    define(JournalChange::SetStatus, "journal_set_status", {Kind::Integer, Kind::Integer, Kind::Integer}, "void",
           {"UPDATE orders SET status = $2, row_version = row_version + 1 WHERE number = $1",
            "INSERT INTO status_changes (number, status, changed_at) VALUES ($1, $2, $3)"});
    define(JournalChange::AddPayment, "journal_add_payment", {Kind::Integer, Kind::Integer, Kind::Integer, Kind::Text},
           "void",
           {"INSERT INTO payments (number, amount, paid_on, note) VALUES ($1, $2, $3, $4)",
            "UPDATE orders SET paid = paid + $2, row_version = row_version + 1 WHERE number = $1"});
    define(JournalChange::HoldCounter, "journal_hold_counter", {}, "SETOF bigint",
           {"SELECT next_number FROM counter WHERE id = 1" + std::string(rowLock)});
    define(JournalChange::RaiseCounter, "journal_raise_counter", {Kind::Integer}, "void",
           {"UPDATE counter SET next_number = $1 WHERE id = 1 AND next_number < $1"});
    define(JournalChange::ReleaseNumber, "journal_release_number", {Kind::Integer, Kind::Integer}, "void",
           {"UPDATE counter SET next_number = $1 WHERE id = 1 AND next_number = $2 AND "
            "NOT EXISTS (SELECT 1 FROM orders WHERE number >= $1)"});
    define(JournalChange::CopyOrder, "journal_copy_order", card.kinds, "SETOF bigint",
           {insertOrder(card, "DO NOTHING RETURNING number")});
    define(JournalChange::CopyVersion, "journal_copy_version",
           {Kind::Integer, Kind::Integer, Kind::Text, Kind::Integer, Kind::Bytes, Kind::Word}, "void",
           {"INSERT INTO versions (number, saved_at, file_path, grand_total, bytes, save_id) "
            "VALUES ($1, $2, $3, $4, $5, $6) ON CONFLICT (save_id) WHERE save_id IS NOT NULL DO NOTHING"});
    // Statuses and payments match by their values; one made twice at the desk (two equal payments) is copied
    // as often as the desk has it more than this journal. The order's status is its latest change, its paid
    // sum its payments, and its row moves when either does.
    define(JournalChange::CopyStatus, "journal_copy_status", {Kind::Integer, Kind::Integer, Kind::Integer, Kind::Integer},
           "void",
           {"INSERT INTO status_changes (number, status, changed_at) SELECT $1, $2, $3 WHERE "
            "(SELECT count(*) FROM status_changes WHERE number = $1 AND status = $2 AND changed_at = $3) < $4",
            std::string("UPDATE orders SET status = ") + kStatusFromHistory +
                ", row_version = row_version + 1 WHERE number = $1 AND status <> " + kStatusFromHistory});
    define(JournalChange::CopyPayment, "journal_copy_payment",
           {Kind::Integer, Kind::Integer, Kind::Integer, Kind::Text, Kind::Integer}, "void",
           {"INSERT INTO payments (number, amount, paid_on, note) SELECT $1, $2, $3, $4 WHERE "
            "(SELECT count(*) FROM payments WHERE number = $1 AND amount = $2 AND paid_on = $3 AND note = $4) < $5",
            std::string("UPDATE orders SET paid = ") + kPaidFromPayments +
                ", row_version = row_version + 1 WHERE number = $1 AND paid <> " + kPaidFromPayments});
    // A card from another journal gives way to this one's unless it was saved later, and is always the card
    // of a version the journal holds.
    define(JournalChange::CopyCard, "journal_copy_card", card.kinds, "SETOF bigint",
           {"UPDATE orders SET " + assigned + "row_version = row_version + 1 WHERE number = $1 AND saved_at < " +
            savedAt + " AND EXISTS (SELECT 1 FROM versions v WHERE v.number = $1 AND v.saved_at = " + savedAt +
            ") RETURNING number"});
    return changes;
}

DbParams cardParams(const JournalDb& db, int64_t number, const OrderRecord& r) {
    DbParams p;
    p.add(number)
        .text(r.card.orderNumber)
        .text(r.card.customerName)
        .text(r.card.phone)
        .text(r.card.address)
        .add(r.card.orderDate)
        .add(r.card.readyDate)
        .add(r.card.assemblyCost)
        .add(r.card.deliveryCost)
        .add(r.discountPercent)
        .add(r.itemsTotal)
        .add(r.grandTotal)
        .text(r.system)
        .text(r.handleProfile)
        .text(r.color)
        .add(r.width)
        .add(r.height)
        .add(r.doorCount)
        .text(r.filePath)
        .add(r.savedAt);
    if (!db.searchColumn().name.empty()) p.word(db.searchWords(r.card));
    return p;
}

} // namespace dalvex::journal
