#include "sqlite_db.h"

#include "io/utf8_path.h"

#include <sqlite3.h>

#include <cerrno>
#include <chrono>
#include <charconv>
#include <climits>
#include <utility>

namespace dalvex::journal {
namespace {

// SQLite's failure in the user's words: a full or read-only disk is named as such whichever code SQLite
// chose for it (a write refused by the system comes as a "disk I/O error").
std::string russianText(int code, int systemErrno, const char* english) {
    const int primary = code & 0xff;
    const bool system = primary == SQLITE_IOERR || primary == SQLITE_CANTOPEN;
    if (primary == SQLITE_FULL || (system && systemErrno == ENOSPC)) return "диск заполнен";
    if (primary == SQLITE_READONLY || (system && systemErrno == EROFS)) return "только для чтения";
    switch (primary) {
    case SQLITE_CORRUPT: return "файл повреждён";
    case SQLITE_NOTADB: return "файл не является журналом заказов";
    case SQLITE_BUSY:
    case SQLITE_LOCKED: return "журнал занят другой программой";
    case SQLITE_CANTOPEN: return "файл не открывается";
    case SQLITE_PERM:
    case SQLITE_AUTH: return "нет прав на запись";
    case SQLITE_IOERR: return "ошибка чтения или записи на диске";
    case SQLITE_NOMEM: return "не хватает памяти";
    case SQLITE_TOOBIG: return "слишком большое значение";
    default: return english ? english : "ошибка SQLite " + std::to_string(code);
    }
}

DbError errorOf(sqlite3* db, int code) {
    if (code == SQLITE_OK || code == SQLITE_ROW || code == SQLITE_DONE) return {};
    DbError e;
    e.code = code;
    e.message = russianText(code, db ? sqlite3_system_errno(db) : 0, db ? sqlite3_errmsg(db) : sqlite3_errstr(code));
    return e;
}

// SQLite takes lengths as int: longer values are refused rather than cut.
bool fitsInt(std::size_t size) {
    return size <= static_cast<std::size_t>(INT_MAX);
}

} // namespace

bool DbError::damaged() const {
    const int primary = code & 0xff;
    return primary == SQLITE_CORRUPT || primary == SQLITE_NOTADB;
}

bool DbError::busy() const {
    const int primary = code & 0xff;
    return primary == SQLITE_BUSY || primary == SQLITE_LOCKED;
}

Statement::~Statement() {
    sqlite3_finalize(stmt_);
}

Statement::Statement(Statement&& other) noexcept
    : stmt_(std::exchange(other.stmt_, nullptr)), db_(other.db_), error_(std::move(other.error_)) {}

Statement& Statement::operator=(Statement&& other) noexcept {
    if (this != &other) {
        sqlite3_finalize(stmt_);
        stmt_ = std::exchange(other.stmt_, nullptr);
        db_ = other.db_;
        error_ = std::move(other.error_);
    }
    return *this;
}

int Statement::parameters() const {
    return stmt_ ? sqlite3_bind_parameter_count(stmt_) : 0;
}

Statement& Statement::bind(int index, int64_t value) {
    if (stmt_ && !error_) error_ = errorOf(db_, sqlite3_bind_int64(stmt_, index, value));
    return *this;
}

Statement& Statement::bind(int index, double value) {
    if (stmt_ && !error_) error_ = errorOf(db_, sqlite3_bind_double(stmt_, index, value));
    return *this;
}

Statement& Statement::bindText(int index, std::string_view text) {
    if (!stmt_ || error_) return *this;
    if (!fitsInt(text.size())) {
        error_ = {SQLITE_TOOBIG, "text too long"};
        return *this;
    }
    // A NUL inside the text is kept: the length is given, not found by searching for the end.
    error_ = errorOf(
        db_, sqlite3_bind_text(stmt_, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT));
    return *this;
}

Statement& Statement::bindBlob(int index, std::string_view bytes) {
    if (!stmt_ || error_) return *this;
    if (!fitsInt(bytes.size())) {
        error_ = {SQLITE_TOOBIG, "value too long"};
        return *this;
    }
    // An empty blob is still a blob, not NULL.
    error_ =
        errorOf(db_, bytes.empty() ? sqlite3_bind_zeroblob(stmt_, index, 0)
                                   : sqlite3_bind_blob(stmt_, index, bytes.data(),
                                                       static_cast<int>(bytes.size()), SQLITE_TRANSIENT));
    return *this;
}

bool Statement::step() {
    if (!stmt_ || error_) return false;
    const int code = sqlite3_step(stmt_);
    if (code == SQLITE_ROW) return true;
    error_ = errorOf(db_, code);
    return false;
}

bool Statement::run() {
    while (step()) {
    }
    return stmt_ && !error_;
}

void Statement::reset() {
    if (!stmt_) return;
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
    error_ = {};
}

int64_t Statement::integer(int column) const {
    return sqlite3_column_int64(stmt_, column);
}

double Statement::real(int column) const {
    return sqlite3_column_double(stmt_, column);
}

std::string Statement::text(int column) const {
    const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
    return p ? std::string(p, static_cast<std::size_t>(sqlite3_column_bytes(stmt_, column))) : std::string();
}

std::string Statement::blob(int column) const {
    const auto* p = static_cast<const char*>(sqlite3_column_blob(stmt_, column));
    return p ? std::string(p, static_cast<std::size_t>(sqlite3_column_bytes(stmt_, column))) : std::string();
}

int Statement::columns() const {
    return stmt_ ? sqlite3_column_count(stmt_) : 0;
}

std::string Statement::cell(int column) const {
    if (sqlite3_column_type(stmt_, column) != SQLITE_FLOAT) return blob(column);
    char buffer[32];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, real(column));
    return std::string(buffer, ec == std::errc() ? end : buffer);
}

bool Statement::isNull(int column) const {
    return sqlite3_column_type(stmt_, column) == SQLITE_NULL;
}

SqliteDb::~SqliteDb() {
    close();
}

SqliteDb::SqliteDb(SqliteDb&& other) noexcept : db_(std::exchange(other.db_, nullptr)) {}

SqliteDb& SqliteDb::operator=(SqliteDb&& other) noexcept {
    if (this != &other) {
        close();
        db_ = std::exchange(other.db_, nullptr);
    }
    return *this;
}

DbError SqliteDb::open(const std::filesystem::path& file, Mode mode, int busyMillis) {
    close();
    int flags = SQLITE_OPEN_FULLMUTEX;
    switch (mode) {
    case Mode::ReadWrite:
        flags |= SQLITE_OPEN_READWRITE;
        break;
    case Mode::ReadWriteCreate:
        flags |= SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
        break;
    case Mode::ReadOnly:
        flags |= SQLITE_OPEN_READONLY;
        break;
    }
    const int code = sqlite3_open_v2(pathToUtf8(file).c_str(), &db_, flags, nullptr);
    if (code != SQLITE_OK) {
        DbError e = errorOf(db_, code);
        close();
        return e;
    }
    sqlite3_extended_result_codes(db_, 1);
    sqlite3_busy_timeout(db_, busyMillis);
    return {};
}

void SqliteDb::close() {
    // Statements are finalised by their owners first; close_v2 waits for any that are not.
    if (db_) sqlite3_close_v2(db_);
    db_ = nullptr;
}

Statement SqliteDb::prepare(std::string_view sql) {
    Statement s;
    s.db_ = db_;
    if (!db_) {
        s.error_ = {SQLITE_MISUSE, "no database"};
        return s;
    }
    sqlite3_stmt* stmt = nullptr;
    const int code = sqlite3_prepare_v2(db_, sql.data(), static_cast<int>(sql.size()), &stmt, nullptr);
    if (code != SQLITE_OK) {
        s.error_ = errorOf(db_, code);
        sqlite3_finalize(stmt);
        return s;
    }
    s.stmt_ = stmt;
    return s;
}

DbError SqliteDb::exec(std::string_view sql) {
    if (!db_) return {SQLITE_MISUSE, "no database"};
    const std::string text(sql);
    return errorOf(db_, sqlite3_exec(db_, text.c_str(), nullptr, nullptr, nullptr));
}

std::optional<int64_t> SqliteDb::queryInteger(std::string_view sql) {
    Statement s = prepare(sql);
    if (!s.step()) return std::nullopt;
    return s.integer(0);
}

DbError SqliteDb::lastError() const {
    return db_ ? errorOf(db_, sqlite3_extended_errcode(db_)) : DbError{SQLITE_MISUSE, "no database"};
}

DbError SqliteDb::backupTo(SqliteDb& target) {
    sqlite3_backup* backup = sqlite3_backup_init(target.db_, "main", db_, "main");
    if (!backup) return errorOf(target.db_, sqlite3_extended_errcode(target.db_));
    // All pages in one step: the copy is consistent even while other programs write.
    const int stepped = sqlite3_backup_step(backup, -1);
    const int finished = sqlite3_backup_finish(backup);
    if (stepped != SQLITE_DONE) return errorOf(target.db_, stepped);
    return errorOf(target.db_, finished);
}

std::vector<std::string> SqliteDb::pageProblems(bool whole, int millis) {
    std::vector<std::string> problems;
    if (!db_) return {"no database"};
    using Clock = std::chrono::steady_clock;
    const Clock::time_point until = Clock::now() + std::chrono::milliseconds(millis);
    // Asked every few thousand steps whether time is up: a large journal is checked as far as time allows.
    if (millis > 0)
        sqlite3_progress_handler(
            db_, 4000, [](void* at) { return Clock::now() > *static_cast<const Clock::time_point*>(at) ? 1 : 0; },
            const_cast<Clock::time_point*>(&until));
    Statement s = prepare(whole ? "PRAGMA integrity_check" : "PRAGMA quick_check");
    while (s.step()) {
        const std::string line = s.text(0);
        if (line != "ok") problems.push_back("файл повреждён: " + line);
    }
    if (s.error() && (s.error().code & 0xff) != SQLITE_INTERRUPT) problems.push_back(s.error().message);
    s = Statement();
    if (millis > 0) sqlite3_progress_handler(db_, 0, nullptr, nullptr);
    return problems;
}

Transaction::Transaction(SqliteDb& db) : db_(db) {
    begun_ = db_.exec("BEGIN IMMEDIATE");
    open_ = !begun_;
}

Transaction::~Transaction() {
    if (open_) db_.exec("ROLLBACK");
}

DbError Transaction::commit() {
    if (!open_) return begun_ ? begun_ : DbError{1, "no transaction"};
    DbError e = db_.exec("COMMIT");
    if (!e) open_ = false;
    return e;
}

} // namespace dalvex::journal
