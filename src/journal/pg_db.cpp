#include "pg_db.h"

#include "journal_place.h"

#include <libpq-fe.h>
#include <poll.h>

#include <charconv>
#include <chrono>
#include <cstdlib>
#include <utility>

namespace dalvex::journal {

namespace {

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The server's notices (a table already there, ...) are not the user's business.
void quietNotices(void*, const char*) {}

PgError connectionError(pg_conn* conn) {
    const char* message = conn ? PQerrorMessage(conn) : nullptr;
    std::string text = message && *message ? message : "no connection to the server";
    while (!text.empty() && (text.back() == '\n' || text.back() == ' '))
        text.pop_back();
    return {{}, text};
}

} // namespace

PgParams& PgParams::add(int64_t value) {
    values_.push_back(std::to_string(value));
    formats_.push_back(0);
    return *this;
}

PgParams& PgParams::add(double value) {
    char buffer[32];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    values_.emplace_back(buffer, ec == std::errc() ? end : buffer);
    formats_.push_back(0);
    return *this;
}

PgParams& PgParams::text(std::string_view value) {
    values_.emplace_back(value);
    formats_.push_back(0);
    return *this;
}

PgParams& PgParams::bytes(std::string_view value) {
    values_.emplace_back(value);
    formats_.push_back(1);
    return *this;
}

void PgParams::seal() {
    pointers_.clear();
    lengths_.clear();
    for (const std::string& v : values_) {
        pointers_.push_back(v.data());
        lengths_.push_back(static_cast<int>(v.size()));
    }
}

PgRows::~PgRows() {
    if (result_) PQclear(result_);
}

PgRows::PgRows(PgRows&& other) noexcept : result_(std::exchange(other.result_, nullptr)) {}

PgRows& PgRows::operator=(PgRows&& other) noexcept {
    if (this != &other) {
        if (result_) PQclear(result_);
        result_ = std::exchange(other.result_, nullptr);
    }
    return *this;
}

int PgRows::count() const {
    return result_ ? PQntuples(result_) : 0;
}

bool PgRows::isNull(int row, int column) const {
    return !result_ || row >= count() || column >= PQnfields(result_) || PQgetisnull(result_, row, column);
}

std::string PgRows::text(int row, int column) const {
    if (isNull(row, column)) return {};
    return std::string(PQgetvalue(result_, row, column), static_cast<size_t>(PQgetlength(result_, row, column)));
}

int64_t PgRows::integer(int row, int column) const {
    const std::string t = text(row, column);
    int64_t v = 0;
    std::from_chars(t.data(), t.data() + t.size(), v);
    return v;
}

double PgRows::real(int row, int column) const {
    const std::string t = text(row, column);
    double v = 0.0;
    std::from_chars(t.data(), t.data() + t.size(), v);
    return v;
}

std::string PgRows::bytes(int row, int column) const {
    // bytea in text form is "\x" and two hex digits a byte.
    const std::string t = text(row, column);
    std::string b;
    if (t.size() < 2 || t[0] != '\\' || t[1] != 'x') return b;
    b.reserve((t.size() - 2) / 2);
    for (size_t i = 2; i + 1 < t.size(); i += 2) {
        const int hi = hexValue(t[i]);
        const int lo = hexValue(t[i + 1]);
        if (hi < 0 || lo < 0) return {};
        b += static_cast<char>(hi * 16 + lo);
    }
    return b;
}

int PgRows::columns() const {
    return result_ ? PQnfields(result_) : 0;
}

std::string PgRows::cell(int row, int column) const {
    constexpr Oid kBytea = 17;
    return result_ && PQftype(result_, column) == kBytea ? bytes(row, column) : text(row, column);
}

PgDb::~PgDb() {
    close();
}

PgDb::PgDb(PgDb&& other) noexcept
    : conn_(std::exchange(other.conn_, nullptr)), conninfo_(std::move(other.conninfo_)),
      timeoutSeconds_(other.timeoutSeconds_), bounded_(other.bounded_), error_(std::move(other.error_)) {}

PgDb& PgDb::operator=(PgDb&& other) noexcept {
    if (this != &other) {
        close();
        conn_ = std::exchange(other.conn_, nullptr);
        conninfo_ = std::move(other.conninfo_);
        timeoutSeconds_ = other.timeoutSeconds_;
        bounded_ = other.bounded_;
        error_ = std::move(other.error_);
    }
    return *this;
}

PgError PgDb::connect(const std::string& conninfo, int timeoutSeconds) {
    close();
    conninfo_ = conninfo;
    timeoutSeconds_ = timeoutSeconds;
    return reconnect();
}

PgError PgDb::reconnect() {
    close();
    // Our defaults first: what the connection string says overrides them; the encoding is always ours.
    const std::string timeout = std::to_string(timeoutSeconds_);
    const char* keys[] = {"connect_timeout", "application_name", "dbname", "client_encoding", nullptr};
    const char* values[] = {timeout.c_str(), "dalvex", conninfo_.c_str(), "UTF8", nullptr};
    conn_ = PQconnectdbParams(keys, values, 1);
    if (!conn_ || PQstatus(conn_) != CONNECTION_OK) {
        PgError e = connectionError(conn_);
        close();
        return e;
    }
    PQsetNoticeProcessor(conn_, quietNotices, nullptr);
    if (bounded_) {
        // The connection string's own settings (options='-c lock_timeout=...') stay.
        const std::string limit = std::to_string(timeoutSeconds_) + "s";
        if (PgError e = run("SELECT set_config('lock_timeout', $1, false) WHERE current_setting('lock_timeout') = '0'",
                            PgParams().text(limit)))
            return e;
        if (PgError e = run("SELECT set_config('statement_timeout', $1, false) WHERE "
                            "current_setting('statement_timeout') = '0'",
                            PgParams().text(limit)))
            return e;
    }
    return {};
}

bool PgDb::connected() const {
    return conn_ && PQstatus(conn_) == CONNECTION_OK;
}

void PgDb::close() {
    if (conn_) PQfinish(conn_);
    conn_ = nullptr;
}

PgError PgDb::failure(pg_result* result) {
    PgError e;
    const char* state = result ? PQresultErrorField(result, PG_DIAG_SQLSTATE) : nullptr;
    if (state) e.sqlState = state;
    const char* message = result ? PQresultErrorMessage(result) : nullptr;
    e.message = message && *message ? message : connectionError(conn_).message;
    while (!e.message.empty() && (e.message.back() == '\n' || e.message.back() == ' '))
        e.message.pop_back();
    if (e.message.empty()) e.message = "the server did not answer";
    // A connection lost on the way gives no SQLSTATE: that is the server away.
    if (!connected()) e.sqlState.clear();
    return e;
}

std::optional<PgRows> PgDb::query(std::string_view sql, PgParams params) {
    error_ = {};
    if (!connected()) {
        error_ = {{}, "no connection to the server"};
        return std::nullopt;
    }
    params.seal();
    const std::string statement(sql);
    pg_result* result = bounded_ ? boundedExec(statement, params)
                                 : PQexecParams(conn_, statement.c_str(), params.size(), nullptr, params.values(),
                                                params.lengths(), params.formats(), 0);
    if (bounded_ && !result && !connected()) {
        error_ = {{}, "сервер не ответил за " + std::to_string(timeoutSeconds_) + " с"};
        return std::nullopt;
    }
    const ExecStatusType status = result ? PQresultStatus(result) : PGRES_FATAL_ERROR;
    if (status != PGRES_TUPLES_OK && status != PGRES_COMMAND_OK) {
        error_ = failure(result);
        if (result) PQclear(result);
        return std::nullopt;
    }
    return PgRows(result);
}

pg_result* PgDb::boundedExec(const std::string& sql, const PgParams& params) {
    if (!PQsendQueryParams(conn_, sql.c_str(), params.size(), nullptr, params.values(), params.lengths(),
                           params.formats(), 0))
        return nullptr;
    // The server's own limits end a statement after the timeout; this one, a little later, ends the wait
    // for a server that no longer answers at all (a stopped process, a cut network).
    using Clock = std::chrono::steady_clock;
    const Clock::time_point until = Clock::now() + std::chrono::milliseconds(timeoutSeconds_ * 1000 + 500);
    while (PQisBusy(conn_)) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(until - Clock::now()).count();
        pollfd wait{PQsocket(conn_), POLLIN, 0};
        if (left <= 0 || ::poll(&wait, 1, static_cast<int>(left)) == 0 || !PQconsumeInput(conn_)) {
            close();
            return nullptr;
        }
    }
    // The statement's last result is its answer; a failure stays the answer.
    pg_result* answer = nullptr;
    while (pg_result* next = PQgetResult(conn_)) {
        if (answer && PQresultStatus(answer) == PGRES_FATAL_ERROR) {
            PQclear(next);
            continue;
        }
        if (answer) PQclear(answer);
        answer = next;
    }
    return answer;
}

PgError PgDb::run(std::string_view sql, PgParams params) {
    query(sql, std::move(params));
    return error_;
}

PgError PgDb::script(std::string_view sql) {
    error_ = {};
    if (!connected()) return error_ = {{}, "no connection to the server"};
    const std::string statements(sql);
    pg_result* result = PQexec(conn_, statements.c_str());
    const ExecStatusType status = result ? PQresultStatus(result) : PGRES_FATAL_ERROR;
    if (status != PGRES_TUPLES_OK && status != PGRES_COMMAND_OK) error_ = failure(result);
    if (result) PQclear(result);
    return error_;
}

std::optional<int64_t> PgDb::queryInteger(std::string_view sql, PgParams params) {
    const std::optional<PgRows> rows = query(sql, std::move(params));
    if (!rows || rows->count() == 0 || rows->isNull(0, 0)) return std::nullopt;
    return rows->integer(0, 0);
}

PgTransaction::PgTransaction(PgDb& db) : db_(db) {
    begun_ = db_.run("BEGIN");
    open_ = !begun_;
}

PgTransaction::~PgTransaction() {
    if (open_) db_.run("ROLLBACK");
}

PgError PgTransaction::commit() {
    PgError e = db_.run("COMMIT");
    open_ = false;
    return e;
}

std::string conninfoProblem(const std::string& conninfo) {
    char* message = nullptr;
    PQconninfoOption* options = PQconninfoParse(conninfo.c_str(), &message);
    if (!options) {
        std::string text = message ? message : "not a connection string";
        if (message) PQfreemem(message);
        while (!text.empty() && text.back() == '\n')
            text.pop_back();
        return text;
    }
    std::string problem;
    for (PQconninfoOption* o = options; o->keyword; ++o)
        if (std::string_view(o->keyword) == "password" && o->val && *o->val)
            problem = "a password in the connection string (keep it in ~/.pgpass or a service file)";
    PQconninfoFree(options);
    return problem;
}

std::string conninfoForMessages(const std::string& conninfo) {
    return withoutPassword(conninfo);
}

} // namespace dalvex::journal
