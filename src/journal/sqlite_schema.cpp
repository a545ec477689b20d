#include "sqlite_schema.h"

#include "search_terms.h"

#include <string>

namespace dalvex::journal {
namespace {

// Version 1, as the first journal made it; new journals are made by it and the steps after it.
constexpr const char* kVersion1 = R"(
CREATE TABLE orders (
  number INTEGER PRIMARY KEY,
  number_text TEXT NOT NULL,
  customer TEXT NOT NULL,
  phone TEXT NOT NULL,
  address TEXT NOT NULL,
  order_date INTEGER NOT NULL,
  ready_date INTEGER NOT NULL,
  assembly_cost INTEGER NOT NULL,
  delivery_cost INTEGER NOT NULL,
  discount REAL NOT NULL,
  items_total INTEGER NOT NULL,
  grand_total INTEGER NOT NULL,
  system TEXT NOT NULL,
  handle_profile TEXT NOT NULL,
  color TEXT NOT NULL,
  width INTEGER NOT NULL,
  height INTEGER NOT NULL,
  door_count INTEGER NOT NULL,
  file_path TEXT NOT NULL,
  status INTEGER NOT NULL DEFAULT 0,
  saved_at INTEGER NOT NULL
);
CREATE TABLE versions (
  id INTEGER PRIMARY KEY,
  number INTEGER NOT NULL REFERENCES orders(number),
  saved_at INTEGER NOT NULL,
  file_path TEXT NOT NULL,
  grand_total INTEGER NOT NULL,
  bytes BLOB NOT NULL
);
CREATE INDEX versions_of_order ON versions(number, id);
CREATE TABLE status_changes (
  id INTEGER PRIMARY KEY,
  number INTEGER NOT NULL REFERENCES orders(number),
  status INTEGER NOT NULL,
  changed_at INTEGER NOT NULL
);
CREATE INDEX status_changes_of_order ON status_changes(number, id);
CREATE TABLE counter (
  id INTEGER PRIMARY KEY CHECK (id = 1),
  next_number INTEGER NOT NULL
);
INSERT INTO counter (id, next_number) VALUES (1, 1);
)";

// Version 2: payments with the paid sum kept on the order, the search index, and indexes for the filters.
constexpr const char* kVersion2 = R"(
ALTER TABLE orders ADD COLUMN paid INTEGER NOT NULL DEFAULT 0;
CREATE TABLE payments (
  id INTEGER PRIMARY KEY,
  number INTEGER NOT NULL REFERENCES orders(number),
  amount INTEGER NOT NULL,
  paid_on INTEGER NOT NULL,
  note TEXT NOT NULL
);
CREATE INDEX payments_of_order ON payments(number, id);
CREATE INDEX orders_by_date ON orders(order_date);
CREATE INDEX orders_by_status ON orders(status, number);
CREATE VIRTUAL TABLE order_search USING fts5(
  number, customer, address, phone,
  tokenize = 'unicode61 remove_diacritics 0', prefix = '1 2 3'
);
)";

// Version 3: a row version that every change of an order moves (a change made on a stale read is refused),
// and the id that makes a save sent twice recorded once.
constexpr const char* kVersion3 = R"(
ALTER TABLE orders ADD COLUMN row_version INTEGER NOT NULL DEFAULT 1;
ALTER TABLE versions ADD COLUMN save_id TEXT;
CREATE UNIQUE INDEX versions_by_save ON versions(save_id) WHERE save_id IS NOT NULL;
)";

// Version 4: the journal's own id, made with it and kept by its copies, that saves waiting in a queue name.
constexpr const char* kVersion4 = R"(
CREATE TABLE journal_identity (
  id INTEGER PRIMARY KEY CHECK (id = 1),
  journal_id TEXT NOT NULL
);
INSERT INTO journal_identity (id, journal_id) VALUES (1, lower(hex(randomblob(16))));
)";

// Version 5: the search index split at spaces alone, as the server splits it: the shared rules make the
// words (SQLite's own tokenizer would split at emoji and marks the rules keep or leave out), and every order
// indexed anew by them.
constexpr const char* kVersion5 = R"(
DROP TABLE order_search;
CREATE VIRTUAL TABLE order_search USING fts5(
  number, customer, address, phone,
  tokenize = 'ascii', prefix = '1 2 3'
);
)";

// The search index of every order, from the words the shared rules make of its card.
DbError indexEveryOrder(SqliteDb& db) {
    Statement orders = db.prepare("SELECT number, number_text, customer, address, phone FROM orders");
    while (orders.step())
        if (DbError e = indexOrder(db, orders.integer(0), orders.text(1), orders.text(2), orders.text(3),
                                   orders.text(4)))
            return e;
    return orders.error();
}

DbError step(SqliteDb& db, int64_t to) {
    switch (to) {
    case 1:
        return db.exec(kVersion1);
    case 2:
        if (DbError e = db.exec(kVersion2)) return e;
        return indexEveryOrder(db);
    case 3:
        return db.exec(kVersion3);
    case 4:
        return db.exec(kVersion4);
    case 5:
        if (DbError e = db.exec(kVersion5)) return e;
        return indexEveryOrder(db);
    default:
        return {1, "no step to version " + std::to_string(to)};
    }
}

DbError stepsFrom(SqliteDb& db, int64_t version) {
    for (int64_t to = version + 1; to <= kSqliteJournalVersion; ++to)
        if (DbError e = step(db, to)) return e;
    return db.exec("PRAGMA user_version = " + std::to_string(kSqliteJournalVersion));
}

} // namespace

DbError createSchema(SqliteDb& db) {
    return stepsFrom(db, 0);
}

DbError migrateSchema(SqliteDb& db, int64_t version) {
    return stepsFrom(db, version);
}

DbError indexOrder(SqliteDb& db, int64_t number, const std::string& orderNumber, const std::string& customer,
                   const std::string& address, const std::string& phone) {
    const SearchDocument doc = searchDocument(orderNumber, customer, address, phone);
    Statement unindex = db.prepare("DELETE FROM order_search WHERE rowid = ?");
    unindex.bind(1, number);
    if (!unindex.run()) return unindex.error();
    Statement index =
        db.prepare("INSERT INTO order_search (rowid, number, customer, address, phone) VALUES (?, ?, ?, ?, ?)");
    index.bind(1, number)
        .bindText(2, doc.number)
        .bindText(3, doc.customer)
        .bindText(4, doc.address)
        .bindText(5, doc.phone);
    return index.run() ? DbError{} : index.error();
}

bool looksLikeJournal(SqliteDb& db) {
    return db.queryInteger("SELECT count(*) FROM sqlite_schema WHERE type = 'table' AND name = 'orders'")
               .value_or(0) == 1;
}

} // namespace dalvex::journal
