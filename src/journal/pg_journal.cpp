#include "pg_journal.h"

#include "journal_messages.h"
#include "journal_numbers.h"
#include "pg_schema.h"
#include "pg_search.h"

#include <limits>
#include <map>
#include <tuple>

namespace dalvex::journal {
namespace fs = std::filesystem;

namespace {

constexpr const char* kSummaryColumns = "number, number_text, customer, phone, address, order_date, ready_date, "
                                        "grand_total, paid, status, saved_at, row_version";

OrderSummary summaryAt(const PgRows& rows, int row) {
    OrderSummary o;
    o.number = rows.integer(row, 0);
    o.numberText = rows.bytes(row, 1);
    o.customer = rows.bytes(row, 2);
    o.phone = rows.bytes(row, 3);
    o.address = rows.bytes(row, 4);
    o.orderDate = rows.integer(row, 5);
    o.readyDate = rows.integer(row, 6);
    o.grandTotal = static_cast<int32_t>(rows.integer(row, 7));
    o.paid = rows.integer(row, 8);
    o.status = statusFromValue(rows.integer(row, 9)).value_or(OrderStatus::Estimate);
    o.savedAt = rows.integer(row, 10);
    o.rowVersion = rows.integer(row, 11);
    return o;
}

JournalStatus notFound(int64_t number) {
    return journalError(JournalErrc::NotFound, "no order " + std::to_string(number));
}

std::string statusArray(const std::vector<OrderStatus>& statuses) {
    std::string a = "{";
    for (OrderStatus s : statuses)
        a += (a.size() > 1 ? "," : "") + std::to_string(static_cast<int>(s));
    return a + "}";
}

int64_t numberAfter(int64_t number) {
    return number < std::numeric_limits<int64_t>::max() ? number + 1 : number;
}

// The card's columns $2..$21 and the search words $22, in the order of kCardColumns.
constexpr const char* kCardColumns = "number_text, customer, phone, address, order_date, ready_date, assembly_cost, "
                                     "delivery_cost, discount, items_total, grand_total, system, handle_profile, "
                                     "color, width, height, door_count, file_path, saved_at, search";

PgParams cardParams(int64_t number, const OrderRecord& r) {
    PgParams p;
    p.add(number)
        .bytes(r.card.orderNumber)
        .bytes(r.card.customerName)
        .bytes(r.card.phone)
        .bytes(r.card.address)
        .add(r.card.orderDate)
        .add(r.card.readyDate)
        .add(r.card.assemblyCost)
        .add(r.card.deliveryCost)
        .add(r.discountPercent)
        .add(r.itemsTotal)
        .add(r.grandTotal)
        .bytes(r.system)
        .bytes(r.handleProfile)
        .bytes(r.color)
        .add(r.width)
        .add(r.height)
        .add(r.doorCount)
        .bytes(r.filePath)
        .add(r.savedAt)
        .text(tsvectorLiteral(searchDocument(r.card.orderNumber, r.card.customerName, r.card.address, r.card.phone)));
    return p;
}

constexpr const char* kInsertOrder =
    "INSERT INTO orders (number, number_text, customer, phone, address, order_date, ready_date, assembly_cost, "
    "delivery_cost, discount, items_total, grand_total, system, handle_profile, color, width, height, door_count, "
    "file_path, saved_at, search) VALUES ($1, $2, $3, $4, $5, $6, $7, $8, $9, $10, $11, $12, $13, $14, $15, $16, "
    "$17, $18, $19, $20, $21::tsvector)";

} // namespace

Outcome<std::unique_ptr<PgJournal>> PgJournal::open(const std::string& conninfo) {
    const std::string where = conninfoForMessages(conninfo);
    if (const std::string problem = conninfoProblem(conninfo); !problem.empty())
        return journalError(JournalErrc::Refused, where + ": " + problem);
    PgDb db;
    if (PgError e = db.connect(conninfo, kServerTimeoutSeconds))
        return journalError(JournalErrc::Offline, where + ": " + e.message);
    const std::optional<int64_t> version = pgLayoutVersion(db);
    if (!version) return journalError(JournalErrc::Failed, where + ": " + db.error().message);
    if (*version > kPgJournalVersion) return journalError(JournalErrc::Newer, where);
    if (*version < kPgJournalVersion)
        return journalError(JournalErrc::CannotOpen,
                            where + ": the journal's tables are " +
                                (*version == 0 ? std::string("not made yet") : "of an older layout") +
                                "; run dalvex-cli journal migrate --journal SERVER as their owner");
    return std::unique_ptr<PgJournal>(new PgJournal(conninfo, std::move(db)));
}

JournalStatus PgJournal::migrate(const std::string& conninfo, const std::string& deskRole) {
    const std::string where = conninfoForMessages(conninfo);
    if (const std::string problem = conninfoProblem(conninfo); !problem.empty())
        return journalError(JournalErrc::Refused, where + ": " + problem);
    PgDb db;
    if (PgError e = db.connect(conninfo, kServerTimeoutSeconds))
        return journalError(JournalErrc::Offline, where + ": " + e.message);
    if (PgError e = migratePgLayout(db)) return journalError(JournalErrc::Failed, where + ": " + e.message);
    if (!deskRole.empty())
        if (PgError e = grantJournalUse(db, deskRole)) return journalError(JournalErrc::Failed, where + ": " + e.message);
    return {};
}

std::string PgJournal::location() const {
    return conninfoForMessages(conninfo_);
}

JournalStatus PgJournal::ready() {
    if (db_.connected()) return {};
    if (PgError e = db_.reconnect()) return journalError(JournalErrc::Offline, location() + ": " + e.message);
    return {};
}

JournalStatus PgJournal::failure(const PgError& e) const {
    const std::string message = location() + ": " + e.message;
    if (e.unreachable()) return journalError(JournalErrc::Offline, message);
    if (e.conflict()) return journalError(JournalErrc::Busy, message);
    return journalError(JournalErrc::Failed, message);
}

Outcome<int64_t> PgJournal::record(const OrderRecord& r) {
    if (JournalStatus s = ready(); !s) return s;
    PgTransaction t(db_);
    if (t.begun()) return failure(t.begun());
    const Outcome<int64_t> version = recordOne(r);
    if (!version) return version;
    if (PgError e = t.commit()) return failure(e);
    return version;
}

JournalStatus PgJournal::recordAll(std::span<const OrderRecord> records) {
    if (JournalStatus s = ready(); !s) return s;
    PgTransaction t(db_);
    if (t.begun()) return failure(t.begun());
    for (const OrderRecord& r : records)
        if (Outcome<int64_t> version = recordOne(r); !version) return version.status();
    if (PgError e = t.commit()) return failure(e);
    return {};
}

Outcome<int64_t> PgJournal::recordOne(const OrderRecord& r) {
    const int64_t number = orderKey(r.card.orderNumber);
    if (!r.saveId.empty()) {
        // Sent again after a connection dropped before its answer: it is there already.
        const std::optional<PgRows> sent =
            db_.query("SELECT id FROM versions WHERE save_id = $1", PgParams().text(r.saveId));
        if (!sent) return failure(db_.error());
        if (sent->count() > 0) return sent->integer(0, 0);
    }
    // The order's row is held until the commit, so that two desks saving it take turns.
    const std::optional<PgRows> held = db_.query(
        "SELECT (SELECT max(id) FROM versions v WHERE v.number = o.number) FROM orders o WHERE number = $1 FOR UPDATE",
        PgParams().add(number));
    if (!held) return failure(db_.error());
    const bool known = held->count() > 0;
    if (known && r.followsVersion != 0 && held->integer(0, 0) != r.followsVersion) return changedElsewhere();

    std::string upsert = std::string(kInsertOrder) + " ON CONFLICT (number) DO UPDATE SET ";
    std::string_view columns = kCardColumns;
    for (std::size_t start = 0; start < columns.size();) {
        std::size_t end = columns.find(',', start);
        if (end == std::string_view::npos) end = columns.size();
        const std::string column(columns.substr(start, end - start));
        upsert += column + " = EXCLUDED." + column + ", ";
        start = end + 2;
    }
    upsert += "row_version = orders.row_version + 1 RETURNING (xmax = 0)";
    const std::optional<PgRows> inserted = db_.query(upsert, cardParams(number, r));
    if (!inserted) return failure(db_.error());
    const bool isNew = inserted->text(0, 0) == "t";

    PgParams version;
    version.add(number).add(r.savedAt).bytes(r.filePath).add(r.grandTotal).bytes(r.fileBytes);
    const std::optional<PgRows> id = db_.query(
        r.saveId.empty() ? "INSERT INTO versions (number, saved_at, file_path, grand_total, bytes) "
                           "VALUES ($1, $2, $3, $4, $5) RETURNING id"
                         : "INSERT INTO versions (number, saved_at, file_path, grand_total, bytes, save_id) "
                           "VALUES ($1, $2, $3, $4, $5, $6) RETURNING id",
        r.saveId.empty() ? std::move(version) : std::move(version.text(r.saveId)));
    if (!id) return failure(db_.error());

    if (isNew)
        if (PgError e = db_.run("INSERT INTO status_changes (number, status, changed_at) VALUES ($1, 0, $2)",
                                PgParams().add(number).add(r.savedAt)))
            return failure(e);
    // A number saved is never offered again; the counter's row is only held when it must move.
    if (PgError e = db_.run("UPDATE counter SET next_number = $1 WHERE id = 1 AND next_number < $1",
                            PgParams().add(numberAfter(number))))
        return failure(e);
    return id->integer(0, 0);
}

Outcome<bool> PgJournal::holdsVersion(int64_t number, std::string_view bytes) {
    if (JournalStatus s = ready(); !s) return s;
    const std::optional<PgRows> rows =
        db_.query("SELECT 1 FROM versions WHERE number = $1 AND bytes = $2 LIMIT 1", PgParams().add(number).bytes(bytes));
    if (!rows) return failure(db_.error());
    return rows->count() > 0;
}

std::string PgJournal::listSql(const JournalQuery& q, bool counting, PgParams& params) const {
    std::string where;
    int index = 0;
    const auto condition = [&](const std::string& c) { where += (where.empty() ? " WHERE " : " AND ") + c; };
    const std::string match = tsqueryLiteral(searchTerms(q.text));
    if (!match.empty()) {
        params.text(match);
        condition("search @@ $" + std::to_string(++index) + "::tsquery");
    }
    if (!q.statuses.empty()) {
        params.text(statusArray(q.statuses));
        condition("status = ANY ($" + std::to_string(++index) + "::smallint[])");
    }
    if (q.from) {
        params.add(*q.from);
        condition("order_date >= $" + std::to_string(++index));
    }
    if (q.to) {
        params.add(*q.to);
        condition("order_date <= $" + std::to_string(++index));
    }
    std::string page;
    if (q.limit > 0) {
        params.add(q.limit);
        page = " LIMIT $" + std::to_string(++index);
    }
    if (counting) return "SELECT count(*) FROM (SELECT 1 FROM orders" + where + page + ") found";
    params.add(q.offset);
    return std::string("SELECT ") + kSummaryColumns + " FROM orders" + where + " ORDER BY number DESC" + page +
           " OFFSET $" + std::to_string(++index);
}

Outcome<std::vector<OrderSummary>> PgJournal::find(const JournalQuery& query) {
    if (JournalStatus s = ready(); !s) return s;
    PgParams params;
    const std::string sql = listSql(query, false, params);
    const std::optional<PgRows> rows = db_.query(sql, std::move(params));
    if (!rows) return failure(db_.error());
    std::vector<OrderSummary> found;
    found.reserve(static_cast<size_t>(rows->count()));
    for (int i = 0; i < rows->count(); ++i)
        found.push_back(summaryAt(*rows, i));
    return found;
}

Outcome<int64_t> PgJournal::count(const JournalQuery& query) {
    if (JournalStatus s = ready(); !s) return s;
    PgParams params;
    const std::string sql = listSql(query, true, params);
    const std::optional<int64_t> n = db_.queryInteger(sql, std::move(params));
    if (!n) return failure(db_.error());
    return *n;
}

Outcome<OrderDetails> PgJournal::order(int64_t number) {
    if (JournalStatus s = ready(); !s) return s;
    const std::optional<PgRows> o = db_.query(
        std::string("SELECT ") + kSummaryColumns +
            ", assembly_cost, delivery_cost, discount, items_total, system, handle_profile, color, width, height, "
            "door_count, file_path FROM orders WHERE number = $1",
        PgParams().add(number));
    if (!o) return failure(db_.error());
    if (o->count() == 0) return notFound(number);
    OrderDetails d;
    d.summary = summaryAt(*o, 0);
    OrderRecord& r = d.latest;
    r.card.orderNumber = d.summary.numberText;
    r.card.customerName = d.summary.customer;
    r.card.phone = d.summary.phone;
    r.card.address = d.summary.address;
    r.card.orderDate = d.summary.orderDate;
    r.card.readyDate = d.summary.readyDate;
    r.card.assemblyCost = static_cast<int32_t>(o->integer(0, 12));
    r.card.deliveryCost = static_cast<int32_t>(o->integer(0, 13));
    r.discountPercent = o->real(0, 14);
    r.itemsTotal = static_cast<int32_t>(o->integer(0, 15));
    r.grandTotal = d.summary.grandTotal;
    r.system = o->bytes(0, 16);
    r.handleProfile = o->bytes(0, 17);
    r.color = o->bytes(0, 18);
    r.width = static_cast<int32_t>(o->integer(0, 19));
    r.height = static_cast<int32_t>(o->integer(0, 20));
    r.doorCount = static_cast<int32_t>(o->integer(0, 21));
    r.filePath = o->bytes(0, 22);
    r.savedAt = d.summary.savedAt;

    const std::optional<PgRows> v =
        db_.query("SELECT id, saved_at, file_path, grand_total, length(bytes), coalesce(save_id, '') FROM versions "
                  "WHERE number = $1 ORDER BY id",
                  PgParams().add(number));
    if (!v) return failure(db_.error());
    for (int i = 0; i < v->count(); ++i)
        d.versions.push_back({v->integer(i, 0), v->integer(i, 1), v->bytes(i, 2),
                              static_cast<int32_t>(v->integer(i, 3)), v->integer(i, 4), v->text(i, 5)});
    const std::optional<PgRows> s =
        db_.query("SELECT status, changed_at FROM status_changes WHERE number = $1 ORDER BY id", PgParams().add(number));
    if (!s) return failure(db_.error());
    for (int i = 0; i < s->count(); ++i)
        d.statuses.push_back({statusFromValue(s->integer(i, 0)).value_or(OrderStatus::Estimate), s->integer(i, 1)});
    const std::optional<PgRows> p =
        db_.query("SELECT amount, paid_on, note FROM payments WHERE number = $1 ORDER BY id", PgParams().add(number));
    if (!p) return failure(db_.error());
    for (int i = 0; i < p->count(); ++i)
        d.payments.push_back({p->integer(i, 0), p->integer(i, 1), p->bytes(i, 2)});
    return d;
}

Outcome<std::string> PgJournal::versionBytes(int64_t number, int64_t versionId) {
    if (JournalStatus s = ready(); !s) return s;
    const std::optional<PgRows> rows =
        versionId == 0
            ? db_.query("SELECT bytes FROM versions WHERE number = $1 ORDER BY id DESC LIMIT 1", PgParams().add(number))
            : db_.query("SELECT bytes FROM versions WHERE number = $1 AND id = $2", PgParams().add(number).add(versionId));
    if (!rows) return failure(db_.error());
    if (rows->count() == 0)
        return journalError(JournalErrc::NotFound, "no version of order " + std::to_string(number));
    return rows->bytes(0, 0);
}

Outcome<int64_t> PgJournal::rowVersionFor(int64_t number, int64_t seenRowVersion) {
    const std::optional<PgRows> current =
        db_.query("SELECT row_version, status FROM orders WHERE number = $1 FOR UPDATE", PgParams().add(number));
    if (!current) return failure(db_.error());
    if (current->count() == 0) return notFound(number);
    if (seenRowVersion != 0 && current->integer(0, 0) != seenRowVersion) return changedElsewhere();
    return current->integer(0, 1);
}

JournalStatus PgJournal::setStatus(int64_t number, OrderStatus status, int64_t at, int64_t seenRowVersion) {
    if (JournalStatus s = ready(); !s) return s;
    PgTransaction t(db_);
    if (t.begun()) return failure(t.begun());
    const Outcome<int64_t> current = rowVersionFor(number, seenRowVersion);
    if (!current) return current.status();
    if (*current == static_cast<int>(status)) return {};
    const int64_t value = static_cast<int64_t>(status);
    if (PgError e = db_.run("UPDATE orders SET status = $1, row_version = row_version + 1 WHERE number = $2",
                            PgParams().add(value).add(number)))
        return failure(e);
    if (PgError e = db_.run("INSERT INTO status_changes (number, status, changed_at) VALUES ($1, $2, $3)",
                            PgParams().add(number).add(value).add(at)))
        return failure(e);
    if (PgError e = t.commit()) return failure(e);
    return {};
}

JournalStatus PgJournal::addPayment(int64_t number, const Payment& payment, int64_t seenRowVersion) {
    if (payment.amount == 0) return journalError(JournalErrc::Refused, "a payment of nothing");
    if (JournalStatus s = ready(); !s) return s;
    PgTransaction t(db_);
    if (t.begun()) return failure(t.begun());
    if (const Outcome<int64_t> current = rowVersionFor(number, seenRowVersion); !current) return current.status();
    if (PgError e = db_.run("INSERT INTO payments (number, amount, paid_on, note) VALUES ($1, $2, $3, $4)",
                            PgParams().add(number).add(payment.amount).add(payment.paidOn).bytes(payment.note)))
        return failure(e);
    if (PgError e = db_.run("UPDATE orders SET paid = paid + $1, row_version = row_version + 1 WHERE number = $2",
                            PgParams().add(payment.amount).add(number)))
        return failure(e);
    if (PgError e = t.commit()) return failure(e);
    return {};
}

Outcome<OrderNumberClaim> PgJournal::claimNumber(const fs::path& configFolder, const std::string& cardNumber,
                                                 const std::string& offered) {
    if (JournalStatus s = ready(); !s) return s;
    PgTransaction t(db_);
    if (t.begun()) return failure(t.begun());
    // The counter's row is held to the commit: every other desk waits for this claim.
    const std::optional<int64_t> next = db_.queryInteger("SELECT next_number FROM counter WHERE id = 1 FOR UPDATE");
    if (!next) return failure(db_.error());
    const OrderNumberClaim claim = claimInStep(configFolder, *next, cardNumber, offered);
    PgError e = db_.run("UPDATE counter SET next_number = GREATEST(next_number, $1) WHERE id = 1",
                        PgParams().add(journalNextAfter(claim)));
    if (!e) e = t.commit();
    if (e) {
        releaseOrderNumber(configFolder, claim);
        return failure(e);
    }
    return claim;
}

void PgJournal::releaseNumber(const fs::path& configFolder, const OrderNumberClaim& claim) {
    // Back only when no desk has taken a number since.
    if (ready())
        db_.run("UPDATE counter SET next_number = $1 WHERE id = 1 AND next_number = $2",
                PgParams().add(int64_t{claim.counterBefore}).add(journalNextAfter(claim)));
    releaseOrderNumber(configFolder, claim);
}

Outcome<int64_t> PgJournal::keepCounterInStep(const fs::path& configFolder) {
    if (JournalStatus s = ready(); !s) return s;
    // Numbers this desk handed out by its counter alone while the server was away count too.
    const std::optional<int64_t> next =
        db_.queryInteger("UPDATE counter SET next_number = GREATEST(next_number, $1) WHERE id = 1 RETURNING next_number",
                         PgParams().add(orderKey(nextOrderNumber(configFolder))));
    if (!next) return failure(db_.error());
    raiseOrderCounter(configFolder, counterValue(*next));
    return *next;
}

JournalStatus PgJournal::backup(const fs::path&) {
    return journalError(JournalErrc::Refused,
                        location() + ": a server's journal is backed up with pg_dump (see docs/journal-server.md)");
}

Outcome<std::vector<std::string>> PgJournal::check() {
    if (JournalStatus s = ready(); !s) return s;
    std::vector<std::string> problems;
    const struct {
        const char* sql;
        const char* what;
    } checks[] = {
        {"SELECT count(*) FROM orders o WHERE o.paid <> (SELECT coalesce(sum(amount), 0) FROM payments p "
         "WHERE p.number = o.number)",
         " orders whose paid sum differs from their payments"},
        {"SELECT count(*) FROM orders o WHERE NOT EXISTS (SELECT 1 FROM versions v WHERE v.number = o.number)",
         " orders without a version"},
    };
    for (const auto& c : checks) {
        const std::optional<int64_t> n = db_.queryInteger(c.sql);
        if (!n) return failure(db_.error());
        if (*n != 0) problems.push_back(std::to_string(*n) + c.what);
    }
    return problems;
}

JournalStatus PgJournal::absorb(const OrderHistory& h) {
    if (h.bytes.size() != h.details.versions.size() || h.details.versions.empty())
        return journalError(JournalErrc::Refused, "an order without its versions");
    if (JournalStatus s = ready(); !s) return s;
    const int64_t number = h.details.summary.number;
    PgTransaction t(db_);
    if (t.begun()) return failure(t.begun());
    // The card: the server's own unless the copied one is later.
    OrderRecord card = h.details.latest;
    const std::optional<PgRows> upsert = db_.query(std::string(kInsertOrder) +
                                                       " ON CONFLICT (number) DO NOTHING RETURNING number",
                                                   cardParams(number, card));
    if (!upsert) return failure(db_.error());
    for (std::size_t i = 0; i < h.bytes.size(); ++i) {
        const VersionInfo& v = h.details.versions[i];
        // A version that came without an id of its own is named by where it was, so a second copy finds it.
        const std::string id = v.saveId.empty() ? "copied " + std::to_string(number) + "/" + std::to_string(v.id) +
                                                      "/" + std::to_string(v.savedAt)
                                                : v.saveId;
        if (PgError e = db_.run("INSERT INTO versions (number, saved_at, file_path, grand_total, bytes, save_id) "
                                "VALUES ($1, $2, $3, $4, $5, $6) ON CONFLICT (save_id) DO NOTHING",
                                PgParams().add(number).add(v.savedAt).bytes(v.filePath).add(v.grandTotal).bytes(h.bytes[i]).text(id)))
            return failure(e);
    }
    // Statuses and payments match by their values; one made twice at the desk (two equal payments) is
    // copied as often as the desk has it more than the server.
    std::map<std::tuple<int64_t, int64_t, std::string>, int64_t> seen;
    for (const StatusChange& s : h.details.statuses) {
        const int64_t nth = ++seen[{static_cast<int64_t>(s.status), s.at, "status"}];
        if (PgError e = db_.run("INSERT INTO status_changes (number, status, changed_at) SELECT $1, $2, $3 WHERE "
                                "(SELECT count(*) FROM status_changes WHERE number = $1 AND status = $2 AND "
                                "changed_at = $3) < $4",
                                PgParams().add(number).add(static_cast<int64_t>(s.status)).add(s.at).add(nth)))
            return failure(e);
    }
    for (const Payment& p : h.details.payments) {
        const int64_t nth = ++seen[{p.amount, p.paidOn, "payment " + p.note}];
        if (PgError e = db_.run("INSERT INTO payments (number, amount, paid_on, note) SELECT $1, $2, $3, $4 WHERE "
                                "(SELECT count(*) FROM payments WHERE number = $1 AND amount = $2 AND paid_on = $3 "
                                "AND note = $4) < $5",
                                PgParams().add(number).add(p.amount).add(p.paidOn).bytes(p.note).add(nth)))
            return failure(e);
    }
    // The order's status is its latest change, its paid sum its payments.
    if (PgError e = db_.run(
            "UPDATE orders o SET paid = (SELECT coalesce(sum(amount), 0) FROM payments p WHERE p.number = o.number), "
            "status = coalesce((SELECT status FROM status_changes s WHERE s.number = o.number ORDER BY changed_at "
            "DESC, id DESC LIMIT 1), status), row_version = row_version + 1 WHERE number = $1",
            PgParams().add(number)))
        return failure(e);
    if (upsert->count() == 0 && card.savedAt > 0) {
        // The server held the order already: its card gives way only to a later save.
        std::string update = "UPDATE orders SET (" + std::string(kCardColumns) +
                             ") = ($2, $3, $4, $5, $6, $7, $8, $9, $10, $11, $12, $13, $14, $15, $16, $17, $18, $19, "
                             "$20, $21::tsvector) WHERE number = $1 AND saved_at < $20";
        if (PgError e = db_.run(update, cardParams(number, card))) return failure(e);
    }
    if (PgError e = db_.run("UPDATE counter SET next_number = $1 WHERE id = 1 AND next_number < $1",
                            PgParams().add(numberAfter(number))))
        return failure(e);
    if (PgError e = t.commit()) return failure(e);
    return {};
}

} // namespace dalvex::journal
