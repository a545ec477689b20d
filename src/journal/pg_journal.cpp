#include "pg_journal.h"

#include "pg_schema.h"
#include "pg_search.h"

namespace dalvex::journal {
namespace fs = std::filesystem;

namespace {

std::string statusArray(const std::vector<OrderStatus>& statuses) {
    std::string a = "{";
    for (OrderStatus s : statuses)
        a += (a.size() > 1 ? "," : "") + std::to_string(static_cast<int>(s));
    return a + "}";
}

PgParams pgParams(const DbParams& params) {
    PgParams p;
    for (const DbValue& v : params.values()) {
        switch (v.kind) {
        case DbValue::Kind::Integer: p.add(v.integer); break;
        case DbValue::Kind::Real: p.add(v.real); break;
        case DbValue::Kind::Text: // card texts are bytea: any byte comes back as it went
        case DbValue::Kind::Bytes: p.bytes(v.bytes); break;
        case DbValue::Kind::Word: p.text(v.bytes); break;
        }
    }
    return p;
}

// Connects, refusing a connection string that cannot be read or names a password of its own.
JournalStatus connectTo(const std::string& conninfo, PgDb& db) {
    const std::string where = conninfoForMessages(conninfo);
    if (const std::string problem = conninfoProblem(conninfo); !problem.empty())
        return journalError(JournalErrc::Refused, where + ": " + problem);
    if (PgError e = db.connect(conninfo, kServerTimeoutSeconds))
        return journalError(JournalErrc::Offline, where + ": " + e.message);
    return {};
}

} // namespace

Outcome<std::unique_ptr<JournalStore>> PgJournal::open(const std::string& conninfo) {
    const std::string where = conninfoForMessages(conninfo);
    PgDb db;
    db.boundWaits(); // a desk never waits on the server longer than it promises
    if (JournalStatus s = connectTo(conninfo, db); !s) return s;
    const std::optional<int64_t> version = pgLayoutVersion(db);
    if (!version) return journalError(JournalErrc::Failed, where + ": " + db.error().message);
    if (*version > kPgJournalVersion) return journalError(JournalErrc::Newer, where);
    if (*version < kPgJournalVersion)
        return journalError(JournalErrc::CannotOpen,
                            where + ": the journal's tables are " +
                                (*version == 0 ? std::string("not made yet") : "of an older layout") +
                                "; run dalvex-cli journal migrate --journal SERVER as their owner");
    return std::make_unique<JournalStore>(std::unique_ptr<JournalDb>(new PgJournal(conninfo, std::move(db))));
}

JournalStatus PgJournal::migrate(const std::string& conninfo, const std::string& deskRole) {
    const std::string where = conninfoForMessages(conninfo);
    PgDb db;
    if (JournalStatus s = connectTo(conninfo, db); !s) return s;
    if (PgError e = migratePgLayout(db)) return journalError(JournalErrc::Failed, where + ": " + e.message);
    if (!deskRole.empty())
        if (PgError e = grantJournalUse(db, deskRole)) return journalError(JournalErrc::Failed, where + ": " + e.message);
    return {};
}

std::string PgJournal::location() const {
    return conninfoForMessages(conninfo_);
}

Outcome<std::string> PgJournal::identity() {
    const Outcome<DbRows> id = query("SELECT s.system_identifier, current_database(), l.journal_id FROM "
                                     "pg_control_system() s, journal_layout l WHERE l.id = 1",
                                     DbParams());
    if (!id) return id.status();
    if (id->count() == 0) return journalError(JournalErrc::Failed, location() + ": нет кода журнала");
    return "server " + id->text(0, 0) + "/" + id->text(0, 1) + "/" + id->text(0, 2);
}

JournalStatus PgJournal::ready() {
    if (db_.connected()) return {};
    if (PgError e = db_.reconnect()) return journalError(JournalErrc::Offline, location() + ": " + e.message);
    return {};
}

JournalStatus PgJournal::failure(const PgError& e) const {
    const std::string message = location() + ": " + e.message;
    if (e.unreachable() || e.stalled()) return journalError(JournalErrc::Offline, message);
    if (e.conflict()) return journalError(JournalErrc::Busy, message);
    return journalError(JournalErrc::Failed, message);
}

JournalStatus PgJournal::begin() {
    if (JournalStatus s = ready(); !s) return s;
    if (PgError e = db_.run("BEGIN")) return failure(e);
    inTransaction_ = true;
    return {};
}

JournalStatus PgJournal::commit() {
    inTransaction_ = false;
    if (PgError e = db_.run("COMMIT")) return failure(e);
    return {};
}

void PgJournal::rollback() {
    inTransaction_ = false;
    if (db_.connected()) db_.run("ROLLBACK");
}

Outcome<DbRows> PgJournal::query(std::string_view sql, const DbParams& params) {
    if (!inTransaction_)
        if (JournalStatus s = ready(); !s) return s;
    const std::optional<PgRows> rows = db_.query(sql, pgParams(params));
    if (!rows) return failure(db_.error());
    DbRows out(rows->columns());
    for (int r = 0; r < rows->count(); ++r)
        for (int c = 0; c < rows->columns(); ++c)
            out.push(rows->cell(r, c));
    return out;
}

Outcome<DbRows> PgJournal::change(const JournalChangeSql& change, const DbParams& params) {
    std::string call = "SELECT * FROM " + change.name + "(";
    for (std::size_t i = 0; i < change.params.size(); ++i)
        call += (i > 0 ? ", $" : "$") + std::to_string(i + 1) + "::" + std::string(pgTypeOf(change.params[i]));
    return query(call + ")", params);
}

std::string PgJournal::searchWords(const OrderCard& card) const {
    return tsvectorLiteral(searchDocument(card.orderNumber, card.customerName, card.address, card.phone));
}

std::string PgJournal::listSql(const JournalQuery& q, bool counting, DbParams& params) const {
    std::string where;
    int index = 0;
    const auto condition = [&](const std::string& c) { where += (where.empty() ? " WHERE " : " AND ") + c; };
    const std::vector<SearchTerm> terms = searchTerms(q.text);
    const std::string match = tsqueryLiteral(terms);
    if (!match.empty()) {
        params.word(match);
        condition("o.search @@ $" + std::to_string(++index) + "::tsquery");
    }
    if (findsNothing(q.text, terms)) condition("false");
    if (!q.statuses.empty()) {
        params.word(statusArray(q.statuses));
        condition("o.status = ANY ($" + std::to_string(++index) + "::smallint[])");
    }
    if (q.from) {
        params.add(*q.from);
        condition("o.order_date >= $" + std::to_string(++index));
    }
    if (q.to) {
        params.add(*q.to);
        condition("o.order_date <= $" + std::to_string(++index));
    }
    std::string page;
    if (q.limit > 0) {
        params.add(q.limit);
        page = " LIMIT $" + std::to_string(++index);
    }
    // A count that stops at the limit, in the list's order: when most orders match, the server walks the
    // numbers down and stops there as it does for the first page, instead of gathering every match first.
    if (counting)
        return "SELECT count(*) FROM (SELECT 1 FROM orders o" + where +
               (page.empty() ? "" : " ORDER BY o.number DESC" + page) + ") found";
    params.add(q.offset);
    return std::string("SELECT ") + kSummaryColumns + " FROM orders o" + where + " ORDER BY o.number DESC" + page +
           " OFFSET $" + std::to_string(++index);
}

JournalStatus PgJournal::backup(const fs::path&) {
    return journalError(JournalErrc::Refused,
                        location() + ": a server's journal is backed up with pg_dump (see docs/journal-server.md)");
}

} // namespace dalvex::journal
