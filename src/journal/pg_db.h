#pragma once
// A thin wrapper of libpq: a connection, statements run with bound values (every value a parameter, bytes in
// binary form so that any byte survives), rows read as text, transactions that roll back unless committed.
// Failures are answered as values (PgError), never thrown.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct pg_conn;
struct pg_result;

namespace dalvex::journal {

// What went wrong: the server's SQLSTATE (five characters; empty when the server was not reached) and its
// message. No error while `message` is empty.
struct PgError {
    std::string sqlState;
    std::string message;

    explicit operator bool() const { return !message.empty(); }
    // The connection is gone or was never made: the server is away.
    bool unreachable() const { return sqlState.empty() || sqlState.rfind("08", 0) == 0 || sqlState == "57P01"; }
    // The server held the statement past the waits a desk allows (a lock another session keeps, a statement
    // that does not end): as good as away for now.
    bool stalled() const { return sqlState == "55P03" || sqlState == "57014"; }
    // Another transaction held what this one needed (deadlock, serialization).
    bool conflict() const { return sqlState == "40001" || sqlState == "40P01"; }
};

// Bound values of one statement, $1, $2, ... in the order added.
class PgParams {
public:
    PgParams& add(int64_t value);
    PgParams& add(int32_t value) { return add(int64_t{value}); }
    PgParams& add(double value);
    // Text for a text or tsvector/tsquery parameter: valid UTF-8 without NUL bytes.
    PgParams& text(std::string_view value);
    // Any bytes, for a bytea parameter.
    PgParams& bytes(std::string_view value);

    int size() const { return static_cast<int>(values_.size()); }
    const char* const* values() const { return pointers_.data(); }
    const int* lengths() const { return lengths_.data(); }
    const int* formats() const { return formats_.data(); }
    // Finishes the pointers once every value is in (the strings no longer move).
    void seal();

private:
    std::vector<std::string> values_;
    std::vector<const char*> pointers_;
    std::vector<int> lengths_;
    std::vector<int> formats_;
};

// The rows of a statement, read as text (bytea columns as their bytes).
class PgRows {
public:
    PgRows() = default;
    ~PgRows();
    PgRows(PgRows&& other) noexcept;
    PgRows& operator=(PgRows&& other) noexcept;
    PgRows(const PgRows&) = delete;
    PgRows& operator=(const PgRows&) = delete;

    int count() const;
    int64_t integer(int row, int column) const;
    double real(int row, int column) const;
    std::string text(int row, int column) const;
    // A bytea column: its bytes.
    std::string bytes(int row, int column) const;
    bool isNull(int row, int column) const;
    int columns() const;
    // A column as bytes whatever its type: a bytea's bytes, anything else its text.
    std::string cell(int row, int column) const;

private:
    friend class PgDb;
    explicit PgRows(pg_result* result) : result_(result) {}
    pg_result* result_ = nullptr;
};

class PgDb {
public:
    PgDb() = default;
    ~PgDb();
    PgDb(PgDb&& other) noexcept;
    PgDb& operator=(PgDb&& other) noexcept;
    PgDb(const PgDb&) = delete;
    PgDb& operator=(const PgDb&) = delete;

    // Connects with a libpq connection string (key = value pairs or a postgresql:// URI); the password comes
    // from libpq's own means. Waits at most `timeoutSeconds` unless the string says otherwise.
    PgError connect(const std::string& conninfo, int timeoutSeconds);
    // From the next connection on, no statement waits longer than the connection's timeout: the server is
    // told (lock_timeout and statement_timeout, unless the connection string sets them), and a server that
    // stopped answering altogether is given up on by the program itself.
    void boundWaits() { bounded_ = true; }
    // Connects again after the server went away.
    PgError reconnect();
    bool connected() const;
    void close();

    // Runs one statement with its values; rows when it returns some.
    std::optional<PgRows> query(std::string_view sql, PgParams params = {});
    PgError run(std::string_view sql, PgParams params = {});
    // Several statements without values, for the layout's steps.
    PgError script(std::string_view sql);
    // The first column of the first row, or nothing (error() says why, when it failed).
    std::optional<int64_t> queryInteger(std::string_view sql, PgParams params = {});

    // The last failure of query(), run(), script() or queryInteger().
    const PgError& error() const { return error_; }

private:
    PgError failure(pg_result* result);
    // Runs a statement waiting at most a little past the timeout; nullptr (the connection closed) when the
    // server did not answer by then.
    pg_result* boundedExec(const std::string& sql, const PgParams& params);

    pg_conn* conn_ = nullptr;
    std::string conninfo_;
    int timeoutSeconds_ = 5;
    bool bounded_ = false;
    PgError error_;
};

// BEGIN at construction; rolled back at destruction unless commit() succeeded.
class PgTransaction {
public:
    explicit PgTransaction(PgDb& db);
    ~PgTransaction();
    PgTransaction(const PgTransaction&) = delete;
    PgTransaction& operator=(const PgTransaction&) = delete;

    const PgError& begun() const { return begun_; }
    PgError commit();

private:
    PgDb& db_;
    PgError begun_;
    bool open_ = false;
};

// Whether a libpq connection string names a password of its own (which the program refuses to keep), and
// whether it can be read at all: the reason when it cannot, else empty.
std::string conninfoProblem(const std::string& conninfo);
// A connection string with any password left out, for messages.
std::string conninfoForMessages(const std::string& conninfo);

} // namespace dalvex::journal
