#include "sqlite_journal.h"

#include "journal_messages.h"
#include "journal_numbers.h"
#include "process_id.h"
#include "search_terms.h"
#include "sqlite_schema.h"

#include "io/utf8_path.h"

#include <sqlite3.h>

#include <limits>
#include <system_error>

namespace dalvex::journal {
namespace fs = std::filesystem;

namespace {

constexpr const char* kSummaryColumns =
    "o.number, o.number_text, o.customer, o.phone, o.address, o.order_date, "
    "o.ready_date, o.grand_total, o.paid, o.status, o.saved_at, o.row_version";

OrderSummary summaryAt(const Statement& s) {
    OrderSummary o;
    o.number = s.integer(0);
    o.numberText = s.text(1);
    o.customer = s.text(2);
    o.phone = s.text(3);
    o.address = s.text(4);
    o.orderDate = s.integer(5);
    o.readyDate = s.integer(6);
    o.grandTotal = static_cast<int32_t>(s.integer(7));
    o.paid = s.integer(8);
    o.status = statusFromValue(s.integer(9)).value_or(OrderStatus::Estimate);
    o.savedAt = s.integer(10);
    o.rowVersion = s.integer(11);
    return o;
}

// A word as an FTS5 string: in double quotes, a quote inside doubled, so nothing typed is read as syntax.
std::string ftsString(std::string_view word) {
    std::string q = "\"";
    for (char c : word) {
        if (c == '"') q += '"';
        q += c;
    }
    return q + "\"";
}

// The search rules (search_terms.h) as an FTS5 query: every term must match, each as a word prefix.
std::string matchExpression(const std::vector<SearchTerm>& terms) {
    std::string match;
    for (const SearchTerm& t : terms) {
        if (!match.empty()) match += " AND ";
        const std::string prefix = ftsString(t.word) + " *";
        if (!t.digits) {
            match += "{customer address} : " + prefix;
            continue;
        }
        match += "(number : " + prefix + " OR phone : " + prefix + " OR address : " + prefix;
        if (!t.withoutCountryPrefix.empty())
            match += " OR phone : " + ftsString(t.withoutCountryPrefix) + " *";
        match += ")";
    }
    return match;
}

// The backup a migration leaves beside the journal: journal.sqlite.v1-backup, or -2, -3, ... when one is
// there already.
fs::path migrationBackupPath(const fs::path& file, int64_t version) {
    const std::string base = pathToUtf8(file) + ".v" + std::to_string(version) + "-backup";
    std::error_code ec;
    fs::path candidate = pathFromUtf8(base);
    for (int n = 2; fs::exists(candidate, ec); ++n)
        candidate = pathFromUtf8(base + "-" + std::to_string(n));
    return candidate;
}

// Copies `db` into `target` through a temporary file beside it, put in place only when complete.
DbError backupDatabase(SqliteDb& db, const fs::path& target) {
    const fs::path temporary = pathFromUtf8(pathToUtf8(target) + ".tmp-" + std::to_string(processId()));
    std::error_code ec;
    fs::remove(temporary, ec);
    DbError e;
    {
        SqliteDb copy;
        e = copy.open(temporary, SqliteDb::Mode::ReadWriteCreate, kJournalBusyMillis);
        if (!e) e = db.backupTo(copy);
        // The copy is a plain file of its own, not a WAL journal that would need its side files.
        if (!e) e = copy.exec("PRAGMA journal_mode = DELETE");
    }
    if (!e) {
        fs::rename(temporary, target, ec);
        if (ec) e = {1, ec.message()};
    }
    if (e) fs::remove(temporary, ec);
    return e;
}

JournalStatus errorFor(const DbError& e, const fs::path& file) {
    if (e.damaged()) return journalError(JournalErrc::Damaged, pathToUtf8(file) + ": " + e.message);
    if (e.busy()) return journalError(JournalErrc::Busy, pathToUtf8(file) + ": " + e.message);
    return journalError(JournalErrc::Failed, pathToUtf8(file) + ": " + e.message);
}

} // namespace

Outcome<std::unique_ptr<SqliteJournal>> SqliteJournal::open(const fs::path& file) {
    std::error_code ec;
    const bool existed = fs::exists(file, ec);
    if (!existed && file.has_parent_path()) fs::create_directories(file.parent_path(), ec);
    SqliteDb db;
    if (DbError e = db.open(file, existed ? SqliteDb::Mode::ReadWrite : SqliteDb::Mode::ReadWriteCreate,
                            kJournalBusyMillis))
        return journalError(JournalErrc::CannotOpen, pathToUtf8(file) + ": " + e.message);
    if (sqlite3_db_readonly(db.handle(), "main") == 1)
        return journalError(JournalErrc::CannotOpen, pathToUtf8(file) + ": read only");

    // The version is read before anything is written: a newer journal must stay exactly as it is.
    Statement read = db.prepare("PRAGMA user_version");
    if (!read.step()) {
        const DbError e = read.error() ? read.error() : db.lastError();
        return e.damaged() ? errorFor(e, file)
                           : journalError(JournalErrc::CannotOpen, pathToUtf8(file) + ": " + e.message);
    }
    const int64_t version = read.integer(0);
    read = Statement();
    if (version > kSqliteJournalVersion) return journalError(JournalErrc::Newer, pathToUtf8(file));
    if (version == 0 && db.queryInteger("SELECT count(*) FROM sqlite_schema").value_or(1) != 0)
        return journalError(JournalErrc::Damaged, pathToUtf8(file) + ": not an order journal");
    if (version > 0 && !looksLikeJournal(db))
        return journalError(JournalErrc::Damaged, pathToUtf8(file) + ": not an order journal");

    if (version > 0 && version < kSqliteJournalVersion) {
        if (DbError e = backupDatabase(db, migrationBackupPath(file, version)))
            return journalError(JournalErrc::CannotOpen,
                                pathToUtf8(file) + ": no backup before the update: " + e.message);
    }
    if (DbError e = db.exec("PRAGMA journal_mode = WAL; PRAGMA synchronous = FULL; PRAGMA foreign_keys = ON"))
        return errorFor(e, file);
    if (version < kSqliteJournalVersion) {
        Transaction t(db);
        if (t.begun()) return errorFor(t.begun(), file);
        // Another program may have made or updated the journal while this one waited for the lock.
        const int64_t now = db.queryInteger("PRAGMA user_version").value_or(version);
        DbError e;
        if (now == 0)
            e = createSchema(db);
        else if (now < kSqliteJournalVersion)
            e = migrateSchema(db, now);
        if (!e) e = t.commit();
        if (e) return errorFor(e, file);
    }
    return std::unique_ptr<SqliteJournal>(new SqliteJournal(file, std::move(db)));
}

std::string SqliteJournal::location() const {
    return pathToUtf8(file_);
}

JournalStatus SqliteJournal::failure(const DbError& e) const {
    return errorFor(e, file_);
}

Outcome<bool> SqliteJournal::exists(int64_t number) {
    Statement s = db_.prepare("SELECT 1 FROM orders WHERE number = ?");
    s.bind(1, number);
    const bool found = s.step();
    if (s.error()) return failure(s.error());
    return found;
}

Outcome<int64_t> SqliteJournal::record(const OrderRecord& r) {
    Transaction t(db_);
    if (t.begun()) return failure(t.begun());
    const Outcome<int64_t> version = recordOne(r);
    if (!version) return version;
    if (DbError e = t.commit()) return failure(e);
    return version;
}

JournalStatus SqliteJournal::recordAll(std::span<const OrderRecord> records) {
    Transaction t(db_);
    if (t.begun()) return failure(t.begun());
    for (const OrderRecord& r : records)
        if (Outcome<int64_t> version = recordOne(r); !version) return version.status();
    if (DbError e = t.commit()) return failure(e);
    return {};
}

Outcome<int64_t> SqliteJournal::recordOne(const OrderRecord& r) {
    const int64_t number = orderKey(r.card.orderNumber);
    if (!r.saveId.empty()) {
        Statement sent = db_.prepare("SELECT id FROM versions WHERE save_id = ?");
        sent.bindText(1, r.saveId);
        if (sent.step()) return sent.integer(0);
        if (sent.error()) return failure(sent.error());
    }
    const Outcome<bool> known = exists(number);
    if (!known) return known.status();
    if (*known && r.followsVersion != 0) {
        Statement latest = db_.prepare("SELECT max(id) FROM versions WHERE number = ?");
        latest.bind(1, number);
        if (!latest.step()) return failure(latest.error());
        if (latest.integer(0) != r.followsVersion) return changedElsewhere();
    }

    Statement order = db_.prepare(
        "INSERT INTO orders (number, number_text, customer, phone, address, order_date, ready_date, "
        "assembly_cost, delivery_cost, discount, items_total, grand_total, system, handle_profile, color, "
        "width, "
        "height, door_count, file_path, saved_at) "
        "VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13, ?14, ?15, ?16, ?17, ?18, ?19, ?20) "
        "ON CONFLICT (number) DO UPDATE SET number_text = ?2, customer = ?3, phone = ?4, address = ?5, "
        "order_date = ?6, ready_date = ?7, assembly_cost = ?8, delivery_cost = ?9, discount = ?10, "
        "items_total = ?11, grand_total = ?12, system = ?13, handle_profile = ?14, color = ?15, width = ?16, "
        "height = ?17, door_count = ?18, file_path = ?19, saved_at = ?20, row_version = row_version + 1");
    order.bind(1, number)
        .bindText(2, r.card.orderNumber)
        .bindText(3, r.card.customerName)
        .bindText(4, r.card.phone)
        .bindText(5, r.card.address)
        .bind(6, r.card.orderDate)
        .bind(7, r.card.readyDate)
        .bind(8, r.card.assemblyCost)
        .bind(9, r.card.deliveryCost)
        .bind(10, r.discountPercent)
        .bind(11, r.itemsTotal)
        .bind(12, r.grandTotal)
        .bindText(13, r.system)
        .bindText(14, r.handleProfile)
        .bindText(15, r.color)
        .bind(16, r.width)
        .bind(17, r.height)
        .bind(18, r.doorCount)
        .bindText(19, r.filePath)
        .bind(20, r.savedAt);
    if (!order.run()) return failure(order.error());

    Statement version = db_.prepare("INSERT INTO versions (number, saved_at, file_path, grand_total, bytes, "
                                    "save_id) VALUES (?, ?, ?, ?, ?, ?)");
    version.bind(1, number)
        .bind(2, r.savedAt)
        .bindText(3, r.filePath)
        .bind(4, r.grandTotal)
        .bindBlob(5, r.fileBytes);
    if (!r.saveId.empty()) version.bindText(6, r.saveId);
    if (!version.run()) return failure(version.error());
    const int64_t versionId = sqlite3_last_insert_rowid(db_.handle());

    if (!*known) {
        Statement first =
            db_.prepare("INSERT INTO status_changes (number, status, changed_at) VALUES (?, 0, ?)");
        first.bind(1, number).bind(2, r.savedAt);
        if (!first.run()) return failure(first.error());
    }

    if (DbError e = indexOrder(db_, number, r.card.orderNumber, r.card.customerName, r.card.address,
                               r.card.phone))
        return failure(e);

    // A number saved is never offered again.
    Statement counter = db_.prepare("UPDATE counter SET next_number = max(next_number, ?) WHERE id = 1");
    counter.bind(1, number < std::numeric_limits<int64_t>::max() ? number + 1 : number);
    if (!counter.run()) return failure(counter.error());
    return versionId;
}

Outcome<bool> SqliteJournal::holdsVersion(int64_t number, std::string_view bytes) {
    Statement s = db_.prepare("SELECT 1 FROM versions WHERE number = ? AND bytes = ? LIMIT 1");
    s.bind(1, number).bindBlob(2, bytes);
    const bool found = s.step();
    if (s.error()) return failure(s.error());
    return found;
}

Statement SqliteJournal::listStatement(const JournalQuery& q, bool counting) {
    // Only the conditions asked for, so that SQLite walks the search index (or the orders) newest first and
    // stops at the page's end, instead of testing every order.
    const std::string match = matchExpression(searchTerms(q.text));
    const bool text = !match.empty();
    // Counting what the text alone finds needs no order: the index holds one row per order.
    const bool indexAlone = counting && text && q.statuses.empty() && !q.from && !q.to;
    std::string sql = indexAlone ? " FROM order_search"
                      : text     ? " FROM order_search JOIN orders o ON o.number = order_search.rowid"
                                 : " FROM orders o";
    std::string where;
    const auto condition = [&](const std::string& c) { where += (where.empty() ? " WHERE " : " AND ") + c; };
    if (text) condition("order_search MATCH ?");
    if (!q.statuses.empty()) {
        std::string in = "o.status IN (?";
        for (size_t i = 1; i < q.statuses.size(); ++i)
            in += ", ?";
        condition(in + ")");
    }
    if (q.from) condition("o.order_date >= ?");
    if (q.to) condition("o.order_date <= ?");
    sql += where;
    if (counting)
        sql = "SELECT count(*) FROM (SELECT 1" + sql + " LIMIT ?)";
    else
        sql = "SELECT " + std::string(kSummaryColumns) + sql + " ORDER BY " +
              (text ? "order_search.rowid" : "o.number") + " DESC LIMIT ? OFFSET ?";
    Statement s = db_.prepare(sql);
    int index = 1;
    if (text) s.bindText(index++, match);
    for (OrderStatus status : q.statuses)
        s.bind(index++, static_cast<int64_t>(status));
    if (q.from) s.bind(index++, *q.from);
    if (q.to) s.bind(index++, *q.to);
    s.bind(index++, q.limit > 0 ? q.limit : int64_t{-1});
    if (!counting) s.bind(index, q.offset);
    return s;
}

Outcome<std::vector<OrderSummary>> SqliteJournal::find(const JournalQuery& query) {
    Statement s = listStatement(query, false);
    std::vector<OrderSummary> rows;
    while (s.step())
        rows.push_back(summaryAt(s));
    if (s.error()) return failure(s.error());
    return rows;
}

Outcome<int64_t> SqliteJournal::count(const JournalQuery& query) {
    Statement s = listStatement(query, true);
    if (!s.step()) return failure(s.error());
    return s.integer(0);
}

Outcome<OrderDetails> SqliteJournal::order(int64_t number) {
    OrderDetails d;
    Statement o = db_.prepare(std::string("SELECT ") + kSummaryColumns +
                              ", o.assembly_cost, o.delivery_cost, o.discount, o.items_total, o.system, "
                              "o.handle_profile, o.color, o.width, o.height, o.door_count, o.file_path "
                              "FROM orders o WHERE o.number = ?");
    o.bind(1, number);
    if (!o.step()) {
        if (o.error()) return failure(o.error());
        return journalError(JournalErrc::NotFound, "no order " + std::to_string(number));
    }
    d.summary = summaryAt(o);
    OrderRecord& r = d.latest;
    r.card.orderNumber = d.summary.numberText;
    r.card.customerName = d.summary.customer;
    r.card.phone = d.summary.phone;
    r.card.address = d.summary.address;
    r.card.orderDate = d.summary.orderDate;
    r.card.readyDate = d.summary.readyDate;
    r.card.assemblyCost = static_cast<int32_t>(o.integer(12));
    r.card.deliveryCost = static_cast<int32_t>(o.integer(13));
    r.discountPercent = o.real(14);
    r.itemsTotal = static_cast<int32_t>(o.integer(15));
    r.grandTotal = d.summary.grandTotal;
    r.system = o.text(16);
    r.handleProfile = o.text(17);
    r.color = o.text(18);
    r.width = static_cast<int32_t>(o.integer(19));
    r.height = static_cast<int32_t>(o.integer(20));
    r.doorCount = static_cast<int32_t>(o.integer(21));
    r.filePath = o.text(22);
    r.savedAt = d.summary.savedAt;

    Statement v = db_.prepare("SELECT id, saved_at, file_path, grand_total, length(bytes), "
                              "coalesce(save_id, '') FROM versions WHERE number = ? ORDER BY id");
    v.bind(1, number);
    while (v.step())
        d.versions.push_back({v.integer(0), v.integer(1), v.text(2), static_cast<int32_t>(v.integer(3)),
                              v.integer(4), v.text(5)});
    Statement s = db_.prepare("SELECT status, changed_at FROM status_changes WHERE number = ? ORDER BY id");
    s.bind(1, number);
    while (s.step())
        d.statuses.push_back({statusFromValue(s.integer(0)).value_or(OrderStatus::Estimate), s.integer(1)});
    Statement p = db_.prepare("SELECT amount, paid_on, note FROM payments WHERE number = ? ORDER BY id");
    p.bind(1, number);
    while (p.step())
        d.payments.push_back({p.integer(0), p.integer(1), p.text(2)});
    for (const Statement* st : {&v, &s, &p})
        if (st->error()) return failure(st->error());
    return d;
}

Outcome<std::string> SqliteJournal::versionBytes(int64_t number, int64_t versionId) {
    Statement s = versionId == 0
                      ? db_.prepare("SELECT bytes FROM versions WHERE number = ? ORDER BY id DESC LIMIT 1")
                      : db_.prepare("SELECT bytes FROM versions WHERE number = ? AND id = ?");
    s.bind(1, number);
    if (versionId != 0) s.bind(2, versionId);
    if (!s.step()) {
        if (s.error()) return failure(s.error());
        return journalError(JournalErrc::NotFound, "no version of order " + std::to_string(number));
    }
    return s.blob(0);
}

// The order's row version inside the caller's transaction: NotFound without the order, Stale when it moved
// past what the caller saw.
Outcome<int64_t> SqliteJournal::rowVersionFor(int64_t number, int64_t seenRowVersion) {
    Statement current = db_.prepare("SELECT row_version, status FROM orders WHERE number = ?");
    current.bind(1, number);
    if (!current.step()) {
        if (current.error()) return failure(current.error());
        return journalError(JournalErrc::NotFound, "no order " + std::to_string(number));
    }
    if (seenRowVersion != 0 && current.integer(0) != seenRowVersion) return changedElsewhere();
    return current.integer(1);
}

JournalStatus SqliteJournal::setStatus(int64_t number, OrderStatus status, int64_t at, int64_t seenRowVersion) {
    Transaction t(db_);
    if (t.begun()) return failure(t.begun());
    const Outcome<int64_t> current = rowVersionFor(number, seenRowVersion);
    if (!current) return current.status();
    if (*current == static_cast<int>(status)) return {};
    Statement update = db_.prepare("UPDATE orders SET status = ?, row_version = row_version + 1 WHERE number = ?");
    update.bind(1, static_cast<int64_t>(status)).bind(2, number);
    Statement change =
        db_.prepare("INSERT INTO status_changes (number, status, changed_at) VALUES (?, ?, ?)");
    change.bind(1, number).bind(2, static_cast<int64_t>(status)).bind(3, at);
    if (!update.run()) return failure(update.error());
    if (!change.run()) return failure(change.error());
    if (DbError e = t.commit()) return failure(e);
    return {};
}

JournalStatus SqliteJournal::addPayment(int64_t number, const Payment& payment, int64_t seenRowVersion) {
    if (payment.amount == 0) return journalError(JournalErrc::Refused, "a payment of nothing");
    Transaction t(db_);
    if (t.begun()) return failure(t.begun());
    if (const Outcome<int64_t> current = rowVersionFor(number, seenRowVersion); !current) return current.status();
    Statement insert =
        db_.prepare("INSERT INTO payments (number, amount, paid_on, note) VALUES (?, ?, ?, ?)");
    insert.bind(1, number).bind(2, payment.amount).bind(3, payment.paidOn).bindText(4, payment.note);
    Statement paid =
        db_.prepare("UPDATE orders SET paid = paid + ?, row_version = row_version + 1 WHERE number = ?");
    paid.bind(1, payment.amount).bind(2, number);
    if (!insert.run()) return failure(insert.error());
    if (!paid.run()) return failure(paid.error());
    if (DbError e = t.commit()) return failure(e);
    return {};
}

Outcome<OrderNumberClaim> SqliteJournal::claimNumber(const fs::path& configFolder,
                                                     const std::string& cardNumber,
                                                     const std::string& offered) {
    Transaction t(db_);
    if (t.begun()) return failure(t.begun());
    const std::optional<int64_t> next = db_.queryInteger("SELECT next_number FROM counter WHERE id = 1");
    if (!next) return failure(db_.lastError());
    const OrderNumberClaim claim = claimInStep(configFolder, *next, cardNumber, offered);
    Statement update = db_.prepare("UPDATE counter SET next_number = max(next_number, ?) WHERE id = 1");
    update.bind(1, journalNextAfter(claim));
    DbError e = update.run() ? t.commit() : update.error();
    if (e) {
        releaseOrderNumber(configFolder, claim);
        return failure(e);
    }
    return claim;
}

void SqliteJournal::releaseNumber(const fs::path& configFolder, const OrderNumberClaim& claim) {
    Transaction t(db_);
    if (!t.begun()) {
        // Back only when no program has taken a number since.
        Statement back = db_.prepare("UPDATE counter SET next_number = ? WHERE id = 1 AND next_number = ?");
        back.bind(1, int64_t{claim.counterBefore}).bind(2, journalNextAfter(claim));
        if (back.run()) t.commit();
    }
    releaseOrderNumber(configFolder, claim);
}

Outcome<int64_t> SqliteJournal::keepCounterInStep(const fs::path& configFolder) {
    Transaction t(db_);
    if (t.begun()) return failure(t.begun());
    // Numbers handed out by the counter alone while the journal was away count too.
    Statement raise = db_.prepare("UPDATE counter SET next_number = max(next_number, ?) WHERE id = 1");
    raise.bind(1, orderKey(nextOrderNumber(configFolder)));
    if (!raise.run()) return failure(raise.error());
    const std::optional<int64_t> next = db_.queryInteger("SELECT next_number FROM counter WHERE id = 1");
    if (!next) return failure(db_.lastError());
    if (DbError e = t.commit()) return failure(e);
    raiseOrderCounter(configFolder, counterValue(*next));
    return *next;
}

JournalStatus SqliteJournal::backup(const fs::path& target) {
    if (DbError e = backupDatabase(db_, target))
        return journalError(JournalErrc::Failed, pathToUtf8(target) + ": " + e.message);
    return {};
}

Outcome<std::vector<std::string>> SqliteJournal::check() {
    std::vector<std::string> problems;
    Statement s = db_.prepare("PRAGMA integrity_check");
    while (s.step()) {
        const std::string line = s.text(0);
        if (line != "ok") problems.push_back(line);
    }
    if (s.error()) return failure(s.error());
    if (DbError e = db_.exec("INSERT INTO order_search (order_search) VALUES ('integrity-check')"))
        problems.push_back("search index: " + e.message);
    const std::optional<int64_t> unpaid = db_.queryInteger(
        "SELECT count(*) FROM orders o WHERE o.paid <> (SELECT coalesce(sum(amount), 0) FROM payments p "
        "WHERE p.number = o.number)");
    if (unpaid.value_or(0) != 0)
        problems.push_back(std::to_string(*unpaid) + " orders whose paid sum differs from their payments");
    return problems;
}

} // namespace dalvex::journal
