#pragma once
// A thin wrapper of SQLite's C API: a connection, prepared statements with bound values, transactions that
// roll back unless committed. Failures are answered as values (DbError), never thrown.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace dalvex::journal {

// What went wrong in SQLite: its result code and message. `code` 0 is no error.
struct DbError {
    int code = 0;
    std::string message;

    explicit operator bool() const { return code != 0; }
    // The file is not a database or its pages do not make sense.
    bool damaged() const;
    // Another program holds the lock longer than the wait allows.
    bool busy() const;
};

class SqliteDb;

// One prepared statement. Values are bound by position (from 1); text and blobs are copied by SQLite, so the
// caller's buffers may go at once.
class Statement {
public:
    Statement() = default;
    ~Statement();
    Statement(Statement&& other) noexcept;
    Statement& operator=(Statement&& other) noexcept;
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    bool valid() const { return stmt_ != nullptr; }
    // The largest position of a value the statement takes.
    int parameters() const;

    Statement& bind(int index, int64_t value);
    Statement& bind(int index, int32_t value) { return bind(index, int64_t{value}); }
    Statement& bind(int index, double value);
    Statement& bindText(int index, std::string_view text);
    Statement& bindBlob(int index, std::string_view bytes);

    // Runs the statement one step: true while it delivers a row. A failure ends the rows and is kept in
    // error().
    bool step();
    // Runs the statement to its end (a statement without rows); false on failure.
    bool run();
    // Makes the statement ready to run again with new values.
    void reset();

    int64_t integer(int column) const;
    double real(int column) const;
    std::string text(int column) const;
    std::string blob(int column) const;
    bool isNull(int column) const;
    // How many columns a row has, and one column as bytes whatever its type (numbers in decimal, a real
    // in its shortest exact form).
    int columns() const;
    std::string cell(int column) const;

    const DbError& error() const { return error_; }

private:
    friend class SqliteDb;
    Statement(sqlite3_stmt* stmt, sqlite3* db) : stmt_(stmt), db_(db) {}

    sqlite3_stmt* stmt_ = nullptr;
    sqlite3* db_ = nullptr;
    DbError error_;
};

class SqliteDb {
public:
    enum class Mode { ReadWrite, ReadWriteCreate, ReadOnly };

    SqliteDb() = default;
    ~SqliteDb();
    SqliteDb(SqliteDb&& other) noexcept;
    SqliteDb& operator=(SqliteDb&& other) noexcept;
    SqliteDb(const SqliteDb&) = delete;
    SqliteDb& operator=(const SqliteDb&) = delete;

    // Opens the file (its name as UTF-8 on every system). Waits up to `busyMillis` for another program's
    // lock.
    DbError open(const std::filesystem::path& file, Mode mode, int busyMillis);
    void close();
    bool isOpen() const { return db_ != nullptr; }

    // Prepares one statement; an invalid one carries the error.
    Statement prepare(std::string_view sql);
    // Runs SQL without values (schema, pragmas); several statements may follow one another.
    DbError exec(std::string_view sql);
    // The first column of the first row of a query without values, or nothing.
    std::optional<int64_t> queryInteger(std::string_view sql);

    // The last error of the connection.
    DbError lastError() const;
    // Copies the whole database into `target` with SQLite's online backup, while others may go on using it.
    DbError backupTo(SqliteDb& target);
    // SQLite's check of the file's pages (PRAGMA quick_check, or integrity_check when `whole`): what it
    // found wrong. With `millis` above 0 it stops after that long, telling what it found by then.
    std::vector<std::string> pageProblems(bool whole, int millis);

    sqlite3* handle() const { return db_; }

private:
    sqlite3* db_ = nullptr;
};

// BEGIN IMMEDIATE at construction (the write lock is taken at once, so a transaction that reads then writes
// never fails half-way on another program's lock); rolled back at destruction unless commit() succeeded.
class Transaction {
public:
    explicit Transaction(SqliteDb& db);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    // Whether BEGIN succeeded; nothing else may be done otherwise.
    const DbError& begun() const { return begun_; }
    DbError commit();

private:
    SqliteDb& db_;
    DbError begun_;
    bool open_ = false;
};

} // namespace dalvex::journal
