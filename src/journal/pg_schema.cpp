#include "pg_schema.h"

#include "journal_changes.h"
#include "pg_search.h"

#include <optional>

namespace dalvex::journal {
namespace {

// Texts are kept as bytea: a card may hold any bytes (a NUL too), and the journal gives back exactly what it
// was given. The search words live in `search`, made by the shared rules.
constexpr const char* kVersion1 = R"(
CREATE TABLE journal_layout (
  id integer PRIMARY KEY CHECK (id = 1),
  version integer NOT NULL
);
INSERT INTO journal_layout (id, version) VALUES (1, 0);
CREATE TABLE orders (
  number bigint PRIMARY KEY,
  number_text bytea NOT NULL,
  customer bytea NOT NULL,
  phone bytea NOT NULL,
  address bytea NOT NULL,
  order_date bigint NOT NULL,
  ready_date bigint NOT NULL,
  assembly_cost integer NOT NULL,
  delivery_cost integer NOT NULL,
  discount double precision NOT NULL,
  items_total integer NOT NULL,
  grand_total integer NOT NULL,
  system bytea NOT NULL,
  handle_profile bytea NOT NULL,
  color bytea NOT NULL,
  width integer NOT NULL,
  height integer NOT NULL,
  door_count integer NOT NULL,
  file_path bytea NOT NULL,
  status smallint NOT NULL DEFAULT 0,
  saved_at bigint NOT NULL,
  paid bigint NOT NULL DEFAULT 0,
  row_version bigint NOT NULL DEFAULT 1,
  search tsvector NOT NULL
);
CREATE INDEX orders_search ON orders USING gin (search);
CREATE INDEX orders_by_date ON orders (order_date);
CREATE INDEX orders_by_status ON orders (status, number);
CREATE TABLE versions (
  id bigserial PRIMARY KEY,
  number bigint NOT NULL REFERENCES orders (number),
  saved_at bigint NOT NULL,
  file_path bytea NOT NULL,
  grand_total integer NOT NULL,
  bytes bytea NOT NULL,
  save_id text UNIQUE
);
CREATE INDEX versions_of_order ON versions (number, id);
CREATE TABLE status_changes (
  id bigserial PRIMARY KEY,
  number bigint NOT NULL REFERENCES orders (number),
  status smallint NOT NULL,
  changed_at bigint NOT NULL
);
CREATE INDEX status_changes_of_order ON status_changes (number, id);
CREATE TABLE payments (
  id bigserial PRIMARY KEY,
  number bigint NOT NULL REFERENCES orders (number),
  amount bigint NOT NULL,
  paid_on bigint NOT NULL,
  note bytea NOT NULL
);
CREATE INDEX payments_of_order ON payments (number, id);
CREATE TABLE counter (
  id integer PRIMARY KEY CHECK (id = 1),
  next_number bigint NOT NULL
);
INSERT INTO counter (id, next_number) VALUES (1, 1);
)";

// Version 2: the journal's own id, that saves waiting in a desk's queue name together with the server's
// system and database.
constexpr const char* kVersion2 = R"(
ALTER TABLE journal_layout ADD COLUMN journal_id text NOT NULL DEFAULT md5(random()::text || clock_timestamp()::text);
)";

// Version 3: the search words by the rules every back end now shares (marks and invisible characters left
// out, phones found by any run of digits), made anew for every order.
PgError indexEveryOrder(PgDb& db) {
    const std::optional<PgRows> orders = db.query("SELECT number, number_text, customer, address, phone FROM orders");
    if (!orders) return db.error();
    for (int r = 0; r < orders->count(); ++r) {
        const std::string words = tsvectorLiteral(
            searchDocument(orders->bytes(r, 1), orders->bytes(r, 2), orders->bytes(r, 3), orders->bytes(r, 4)));
        if (PgError e = db.run("UPDATE orders SET search = $1::tsvector WHERE number = $2",
                               PgParams().text(words).add(orders->integer(r, 0))))
            return e;
    }
    return {};
}

// The tables every desk may read.
constexpr const char* kTables = "journal_layout, orders, versions, status_changes, payments, counter";

// Version 4: the desk that made each version, status and payment (rows from before name none), the payments'
// limits for every caller, and the journal's changes as functions of the owner, run with the owner's rights
// and the journal's own schema whatever the caller's search_path says.
PgError makeChangeFunctions(PgDb& db) {
    const std::optional<PgRows> schema = db.query("SELECT quote_ident(current_schema())", PgParams());
    if (!schema || schema->count() == 0) return db.error();
    std::string sql;
    for (const char* table : {"versions", "status_changes", "payments"})
        sql += std::string("ALTER TABLE ") + table + " ADD COLUMN desk text NOT NULL DEFAULT ''; ALTER TABLE " +
               table + " ALTER COLUMN desk SET DEFAULT session_user; ";
    sql += "ALTER TABLE payments ADD CONSTRAINT payments_amount CHECK (amount > 0 AND amount <= " +
           std::to_string(kLargestPayment) + ") NOT VALID; ";
    for (const JournalChangeSql& c : journalChanges(kPgSearchColumn, kPgRowLock)) {
        std::string body;
        for (const std::string& statement : c.statements)
            body += statement + "; ";
        const std::string signature = pgFunctionSignature(c);
        sql += "CREATE OR REPLACE FUNCTION " + signature + " RETURNS " + c.returns +
               " LANGUAGE sql SECURITY DEFINER SET search_path = " + schema->text(0, 0) + ", pg_temp AS $journal$ " +
               body + "$journal$; REVOKE ALL ON FUNCTION " + signature + " FROM PUBLIC; ";
    }
    return db.script(sql);
}

PgError step(PgDb& db, int64_t to) {
    switch (to) {
    case 1:
        return db.script(kVersion1);
    case 2:
        return db.script(kVersion2);
    case 3:
        return indexEveryOrder(db);
    case 4:
        return makeChangeFunctions(db);
    default:
        return {"XX000", "no step to version " + std::to_string(to)};
    }
}

} // namespace

std::optional<int64_t> pgLayoutVersion(PgDb& db) {
    const std::optional<int64_t> table =
        db.queryInteger("SELECT count(*) FROM pg_catalog.pg_class c JOIN pg_catalog.pg_namespace n ON "
                        "n.oid = c.relnamespace WHERE c.relname = 'journal_layout' AND "
                        "n.nspname = ANY (pg_catalog.current_schemas(false))");
    if (!table) return std::nullopt;
    if (*table == 0) return 0;
    return db.queryInteger("SELECT version FROM journal_layout WHERE id = 1");
}

PgError migratePgLayout(PgDb& db) {
    PgTransaction t(db);
    if (t.begun()) return t.begun();
    // One migration at a time, whoever else runs it.
    if (PgError e = db.run("SELECT pg_advisory_xact_lock(4242001)")) return e;
    const std::optional<int64_t> version = pgLayoutVersion(db);
    if (!version) return db.error();
    if (*version > kPgJournalVersion)
        return {"XX000", "the journal's layout " + std::to_string(*version) + " is newer than this program's"};
    for (int64_t to = *version + 1; to <= kPgJournalVersion; ++to)
        if (PgError e = step(db, to)) return e;
    if (PgError e = db.run("UPDATE journal_layout SET version = $1 WHERE id = 1", PgParams().add(kPgJournalVersion)))
        return e;
    return t.commit();
}

std::string_view pgTypeOf(DbValue::Kind kind) {
    switch (kind) {
    case DbValue::Kind::Integer: return "bigint";
    case DbValue::Kind::Real: return "double precision";
    case DbValue::Kind::Word: return "text";
    case DbValue::Kind::Text: // card texts are bytea: any byte comes back as it went
    case DbValue::Kind::Bytes: return "bytea";
    }
    return "bytea";
}

std::string pgFunctionSignature(const JournalChangeSql& change) {
    std::string s = change.name + "(";
    for (std::size_t i = 0; i < change.params.size(); ++i)
        s += (i > 0 ? ", " : "") + std::string(pgTypeOf(change.params[i]));
    return s + ")";
}

PgError grantJournalUse(PgDb& db, const std::string& role) {
    // The role's name as an identifier, quoted by the server itself.
    const std::optional<PgRows> quoted = db.query("SELECT quote_ident($1)", PgParams().text(role));
    if (!quoted) return db.error();
    const std::string r = quoted->text(0, 0);
    // What an older program granted is taken back: the desks read, and change through the functions alone.
    std::string sql = std::string("GRANT SELECT ON ") + kTables + " TO " + r +
                      "; REVOKE INSERT, UPDATE, DELETE, TRUNCATE, REFERENCES, TRIGGER ON " + kTables + " FROM " + r +
                      "; REVOKE ALL ON SEQUENCE versions_id_seq, status_changes_id_seq, payments_id_seq FROM " + r + "; ";
    for (const JournalChangeSql& c : journalChanges(kPgSearchColumn, kPgRowLock))
        sql += "GRANT EXECUTE ON FUNCTION " + pgFunctionSignature(c) + " TO " + r + "; ";
    return db.script(sql);
}

} // namespace dalvex::journal
