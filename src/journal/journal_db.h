#pragma once
// The small database port the journal's store stands on: statements with `$1`, `$2`, ... placeholders and
// bound values, rows read back as bytes, write transactions, and the few things in which the SQL of the back
// ends really differs (row locks, the search index and its match, the back end's own check and backup).
// Every failure comes back as the journal's status, already told in its kind (damaged, busy, offline, ...).
#include "journal_result.h"
#include "journal_types.h"

#include <charconv>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace dalvex::journal {

// One bound value. Card texts may hold any bytes (a server keeps them as bytea); words are plain UTF-8 that
// the back end reads as text (save ids, search literals).
struct DbValue {
    enum class Kind { Integer, Real, Text, Bytes, Word };
    Kind kind = Kind::Integer;
    int64_t integer = 0;
    double real = 0.0;
    std::string bytes;
};

class DbParams {
public:
    DbParams& add(int64_t v) { return push({DbValue::Kind::Integer, v, 0.0, {}}); }
    DbParams& add(int32_t v) { return add(int64_t{v}); }
    DbParams& add(double v) { return push({DbValue::Kind::Real, 0, v, {}}); }
    DbParams& text(std::string_view v) { return push({DbValue::Kind::Text, 0, 0.0, std::string(v)}); }
    DbParams& bytes(std::string_view v) { return push({DbValue::Kind::Bytes, 0, 0.0, std::string(v)}); }
    DbParams& word(std::string_view v) { return push({DbValue::Kind::Word, 0, 0.0, std::string(v)}); }

    const std::vector<DbValue>& values() const { return values_; }
    int size() const { return static_cast<int>(values_.size()); }

private:
    DbParams& push(DbValue v) {
        values_.push_back(std::move(v));
        return *this;
    }
    std::vector<DbValue> values_;
};

// The rows of a statement, every cell as its bytes (numbers in decimal); NULL reads as empty.
class DbRows {
public:
    explicit DbRows(int columns = 0) : columns_(columns) {}

    int count() const { return columns_ > 0 ? static_cast<int>(cells_.size()) / columns_ : 0; }
    const std::string& text(int row, int column) const { return cells_[index(row, column)]; }
    int64_t integer(int row, int column) const {
        const std::string& t = text(row, column);
        int64_t v = 0;
        std::from_chars(t.data(), t.data() + t.size(), v);
        return v;
    }
    double real(int row, int column) const {
        const std::string& t = text(row, column);
        double v = 0.0;
        std::from_chars(t.data(), t.data() + t.size(), v);
        return v;
    }

    // For the back ends filling the rows, a row's cells one after another.
    void push(std::string cell) { cells_.push_back(std::move(cell)); }

private:
    size_t index(int row, int column) const {
        return static_cast<size_t>(row) * static_cast<size_t>(columns_) + static_cast<size_t>(column);
    }
    int columns_ = 0;
    std::vector<std::string> cells_;
};

// One of the journal's changes (journal_changes.h) as a back end runs it.
struct JournalChangeSql {
    std::string name;                    // the server's function of it: journal_save_order, ...
    std::vector<DbValue::Kind> params;   // the kinds of its values, in their order
    std::string returns;                 // the function's result: "void", "SETOF bigint", "TABLE (...)"
    std::vector<std::string> statements; // run in turn; the last one's rows are the change's answer
};

class JournalDb {
public:
    virtual ~JournalDb() = default;

    // Where the journal is, as messages name it; and which journal it is (Journal::identity()).
    virtual std::string location() const = 0;
    virtual Outcome<std::string> identity() = 0;

    // A write transaction; the back end connects again first when its server went away meanwhile.
    virtual JournalStatus begin() = 0;
    virtual JournalStatus commit() = 0;
    virtual void rollback() = 0;
    // Runs one statement; the rows it returns, if any.
    virtual Outcome<DbRows> query(std::string_view sql, const DbParams& params) = 0;
    // Makes one of the journal's changes inside the caller's transaction: here its statements in turn; a
    // server calls its function instead.
    virtual Outcome<DbRows> change(const JournalChangeSql& change, const DbParams& params) {
        Outcome<DbRows> rows = DbRows{};
        for (const std::string& statement : change.statements)
            if (rows = query(statement, params); !rows) break;
        return rows;
    }
    // The column of versions, statuses and payments naming the desk that made them, or a blank where the
    // journal has one desk.
    virtual std::string_view deskColumn() const { return "''"; }

    // What follows a SELECT to hold its rows to the commit (empty where the transaction holds the whole file).
    virtual std::string_view rowLock() const = 0;
    // The order's words in the search index, in place of those it had, inside the caller's transaction; a
    // back end keeping them in the order's own row (searchColumn()) has them with the card already.
    virtual JournalStatus index(int64_t number, const OrderCard& card) = 0;
    // The orders' column of search words with the cast of its value ("search", "::tsvector"), or none.
    struct SearchColumn {
        std::string_view name;
        std::string_view cast;
    };
    virtual SearchColumn searchColumn() const { return {}; }
    // The card's search words as that column's value.
    virtual std::string searchWords(const OrderCard&) const { return {}; }
    // The list's statement: summary columns of `orders o` (kSummaryColumns) in number order, newest first,
    // or their count; its values added to `params`.
    virtual std::string listSql(const JournalQuery& query, bool counting, DbParams& params) const = 0;

    // The back end's own integrity check: what it found wrong.
    virtual Outcome<std::vector<std::string>> integrity() = 0;
    virtual JournalStatus backup(const std::filesystem::path& target) = 0;
};

// The columns of OrderSummary, in its order, from `orders o`.
inline constexpr const char* kSummaryColumns =
    "o.number, o.number_text, o.customer, o.phone, o.address, o.order_date, "
    "o.ready_date, o.grand_total, o.paid, o.status, o.saved_at, o.row_version";

} // namespace dalvex::journal
