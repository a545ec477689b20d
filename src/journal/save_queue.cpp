#include "save_queue.h"

#include "pending_records.h"
#include "sqlite_db.h"

#include "io/utf8_path.h"

#include <system_error>

namespace dalvex::journal {
namespace fs = std::filesystem;

namespace {

constexpr int kQueueBusyMillis = 5000;

// The queue file, opened (made when missing) with every write on the disk before it answers.
DbError openQueue(const fs::path& file, SqliteDb& db) {
    std::error_code ec;
    if (file.has_parent_path()) fs::create_directories(file.parent_path(), ec);
    if (DbError e = db.open(file, SqliteDb::Mode::ReadWriteCreate, kQueueBusyMillis)) return e;
    return db.exec("PRAGMA journal_mode = WAL; PRAGMA synchronous = FULL; "
                   "CREATE TABLE IF NOT EXISTS saves (id INTEGER PRIMARY KEY, record BLOB NOT NULL)");
}

} // namespace

bool LocalSaveQueue::keep(const OrderRecord& record) {
    SqliteDb db;
    if (openQueue(file_, db)) return false;
    Statement insert = db.prepare("INSERT INTO saves (record) VALUES (?)");
    insert.bindBlob(1, encodeRecord(record));
    return insert.run();
}

int LocalSaveQueue::sendWaiting(const std::function<bool(const OrderRecord&)>& send) {
    std::error_code ec;
    if (!fs::exists(file_, ec)) return 0;
    SqliteDb db;
    if (openQueue(file_, db)) return 0;
    int sent = 0;
    for (int64_t after = 0;;) {
        Statement next = db.prepare("SELECT id, record FROM saves WHERE id > ? ORDER BY id LIMIT 1");
        next.bind(1, after);
        if (!next.step()) break;
        after = next.integer(0);
        const std::optional<OrderRecord> record = decodeRecord(next.blob(1));
        // A row that is not a whole record stays for a look; it never blocks the others.
        if (!record) continue;
        if (!send(*record)) break;
        // Sent: the journal holds it under its save id, so a crash before this line sends it once more at
        // the most, and the journal records it once all the same.
        Statement taken = db.prepare("DELETE FROM saves WHERE id = ?");
        taken.bind(1, after);
        taken.run();
        ++sent;
    }
    return sent;
}

int LocalSaveQueue::waiting() {
    std::error_code ec;
    if (!fs::exists(file_, ec)) return 0;
    SqliteDb db;
    if (openQueue(file_, db)) return 0;
    return static_cast<int>(db.queryInteger("SELECT count(*) FROM saves").value_or(0));
}

std::string LocalSaveQueue::location() const {
    return pathToUtf8(file_);
}

} // namespace dalvex::journal
