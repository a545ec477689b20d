#include "sqlite_journal.h"

#include "process_id.h"
#include "search_terms.h"
#include "sqlite_schema.h"

#include "io/utf8_path.h"

#include <sqlite3.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <system_error>

namespace dalvex::journal {
namespace fs = std::filesystem;

namespace {

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
        if (!t.withinPhone.empty()) match += " OR phone : " + ftsString(t.withinPhone) + " *";
        match += ")";
    }
    return match;
}

// The store's $1, $2, ... as SQLite's ?1, ?2, ... (the same numbered values).
std::string sqliteSql(std::string_view sql) {
    std::string s(sql);
    for (size_t i = 0; i + 1 < s.size(); ++i)
        if (s[i] == '$' && std::isdigit(static_cast<unsigned char>(s[i + 1]))) s[i] = '?';
    return s;
}

// Binds the values the statement takes: one of a change's statements may take fewer than the change has.
void bindAll(Statement& s, const DbParams& params) {
    int index = 1;
    for (const DbValue& v : params.values()) {
        if (index > s.parameters()) break;
        switch (v.kind) {
        case DbValue::Kind::Integer: s.bind(index, v.integer); break;
        case DbValue::Kind::Real: s.bind(index, v.real); break;
        case DbValue::Kind::Bytes: s.bindBlob(index, v.bytes); break;
        case DbValue::Kind::Text:
        case DbValue::Kind::Word: s.bindText(index, v.bytes); break;
        }
        ++index;
    }
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

// Copies `db` into `target` through a temporary file beside it, put in place only when complete and whole.
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
        // A copy is only a backup when every page of it reads back.
        if (!e)
            if (const std::vector<std::string> problems = copy.pageProblems(true, 0); !problems.empty())
                e = {SQLITE_CORRUPT, "копия: " + problems.front()};
    }
    if (!e) {
        fs::rename(temporary, target, ec);
        if (ec) e = {1, ec.message()};
    }
    if (e) fs::remove(temporary, ec);
    return e;
}

constexpr const char* kNotAJournal = "файл не является журналом заказов";
// How long the check at open may take.
constexpr int kOpenCheckMillis = 300;

// Whether the file begins as every SQLite database does.
bool startsAsDatabase(const fs::path& file) {
    static constexpr char kHeader[16] = {'S', 'Q', 'L', 'i', 't', 'e', ' ', 'f', 'o', 'r', 'm', 'a', 't', ' ', '3', '\0'};
    char header[sizeof kHeader] = {};
    std::ifstream in(file, std::ios::binary);
    return in.read(header, sizeof header) && std::equal(header, header + sizeof header, kHeader);
}

JournalStatus errorFor(const DbError& e, const fs::path& file) {
    if (e.damaged()) return journalError(JournalErrc::Damaged, pathToUtf8(file) + ": " + e.message);
    if (e.busy()) return journalError(JournalErrc::Busy, pathToUtf8(file) + ": " + e.message);
    return journalError(JournalErrc::Failed, pathToUtf8(file) + ": " + e.message);
}

} // namespace

Outcome<std::unique_ptr<JournalStore>> SqliteJournal::open(const fs::path& file) {
    std::error_code ec;
    const bool existed = fs::exists(file, ec);
    // A file that is there but is no database at all (empty, cut short, another program's) is never made a
    // new journal: SQLite would take an empty file for an empty database.
    if (existed && !startsAsDatabase(file))
        return journalError(JournalErrc::Damaged, pathToUtf8(file) + ": " + kNotAJournal);
    if (!existed && file.has_parent_path()) fs::create_directories(file.parent_path(), ec);
    SqliteDb db;
    if (DbError e = db.open(file, existed ? SqliteDb::Mode::ReadWrite : SqliteDb::Mode::ReadWriteCreate,
                            kJournalBusyMillis))
        return journalError(JournalErrc::CannotOpen, pathToUtf8(file) + ": " + e.message);
    if (sqlite3_db_readonly(db.handle(), "main") == 1)
        return journalError(JournalErrc::CannotOpen, pathToUtf8(file) + ": только для чтения");

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
        return journalError(JournalErrc::Damaged, pathToUtf8(file) + ": " + kNotAJournal);
    if (version > 0 && !looksLikeJournal(db))
        return journalError(JournalErrc::Damaged, pathToUtf8(file) + ": " + kNotAJournal);
    // Damage inside is caught before the journal is used, within a bounded time however large it is.
    if (const std::vector<std::string> problems = db.pageProblems(false, kOpenCheckMillis); !problems.empty())
        return journalError(JournalErrc::Damaged, pathToUtf8(file) + ": " + problems.front());

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
    return std::make_unique<JournalStore>(std::unique_ptr<JournalDb>(new SqliteJournal(file, std::move(db))));
}

std::string SqliteJournal::location() const {
    return pathToUtf8(file_);
}

Outcome<std::string> SqliteJournal::identity() {
    const Outcome<DbRows> id = query("SELECT journal_id FROM journal_identity WHERE id = 1", DbParams());
    if (!id) return id.status();
    if (id->count() == 0) return journalError(JournalErrc::Damaged, location() + ": нет кода журнала");
    std::error_code ec;
    const fs::path absolute = fs::absolute(file_, ec).lexically_normal();
    return "file " + pathToUtf8(ec ? file_ : absolute) + " " + id->text(0, 0);
}

JournalStatus SqliteJournal::failure(const DbError& e) const {
    return errorFor(e, file_);
}

JournalStatus SqliteJournal::begin() {
    // IMMEDIATE: the write lock is taken at once, so a transaction that reads then writes never fails
    // half-way on another program's lock.
    if (DbError e = db_.exec("BEGIN IMMEDIATE")) return failure(e);
    return {};
}

JournalStatus SqliteJournal::commit() {
    if (DbError e = db_.exec("COMMIT")) return failure(e);
    return {};
}

void SqliteJournal::rollback() {
    if (!sqlite3_get_autocommit(db_.handle())) db_.exec("ROLLBACK");
}

Outcome<DbRows> SqliteJournal::query(std::string_view sql, const DbParams& params) {
    Statement s = db_.prepare(sqliteSql(sql));
    if (!s.valid()) return failure(s.error() ? s.error() : db_.lastError());
    bindAll(s, params);
    DbRows rows(s.columns());
    while (s.step())
        for (int c = 0; c < s.columns(); ++c)
            rows.push(s.cell(c));
    if (s.error()) return failure(s.error());
    return rows;
}

JournalStatus SqliteJournal::index(int64_t number, const OrderCard& card) {
    if (DbError e = indexOrder(db_, number, card.orderNumber, card.customerName, card.address, card.phone))
        return failure(e);
    return {};
}

std::string SqliteJournal::listSql(const JournalQuery& q, bool counting, DbParams& params) const {
    // Only the conditions asked for, so that SQLite walks the search index (or the orders) newest first and
    // stops at the page's end, instead of testing every order.
    const std::vector<SearchTerm> terms = searchTerms(q.text);
    const std::string match = matchExpression(terms);
    const bool text = !match.empty();
    // Counting what the text alone finds needs no order: the index holds one row per order.
    const bool indexAlone = counting && text && q.statuses.empty() && !q.from && !q.to;
    std::string sql = indexAlone ? " FROM order_search"
                      : text     ? " FROM order_search JOIN orders o ON o.number = order_search.rowid"
                                 : " FROM orders o";
    std::string where;
    int index = 0;
    const auto next = [&] { return "?" + std::to_string(++index); };
    const auto condition = [&](const std::string& c) { where += (where.empty() ? " WHERE " : " AND ") + c; };
    if (text) {
        condition("order_search MATCH " + next());
        params.word(match);
    }
    if (findsNothing(q.text, terms)) condition("0");
    if (!q.statuses.empty()) {
        std::string in;
        for (OrderStatus status : q.statuses) {
            in += (in.empty() ? "" : ", ") + next();
            params.add(static_cast<int64_t>(status));
        }
        condition("o.status IN (" + in + ")");
    }
    if (q.from) {
        condition("o.order_date >= " + next());
        params.add(*q.from);
    }
    if (q.to) {
        condition("o.order_date <= " + next());
        params.add(*q.to);
    }
    sql += where;
    params.add(q.limit > 0 ? q.limit : int64_t{-1});
    if (counting) return "SELECT count(*) FROM (SELECT 1" + sql + " LIMIT " + next() + ")";
    const std::string limit = next();
    params.add(q.offset);
    return "SELECT " + std::string(kSummaryColumns) + sql + " ORDER BY " + (text ? "order_search.rowid" : "o.number") +
           " DESC LIMIT " + limit + " OFFSET " + next();
}

JournalStatus SqliteJournal::backup(const fs::path& target) {
    // A damaged journal is not copied as if it were a backup.
    if (const std::vector<std::string> problems = db_.pageProblems(true, 0); !problems.empty())
        return journalError(JournalErrc::Damaged, location() + ": " + problems.front());
    if (DbError e = backupDatabase(db_, target))
        return journalError(JournalErrc::Failed, pathToUtf8(target) + ": " + e.message);
    return {};
}

Outcome<std::vector<std::string>> SqliteJournal::integrity() {
    std::vector<std::string> problems = db_.pageProblems(true, 0);
    if (DbError e = db_.exec("INSERT INTO order_search (order_search) VALUES ('integrity-check')"))
        problems.push_back("индекс поиска: " + e.message);
    return problems;
}

} // namespace dalvex::journal
