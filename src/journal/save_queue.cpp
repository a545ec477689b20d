#include "save_queue.h"

#include "journal_place.h"
#include "pending_records.h"
#include "sqlite_db.h"

#include "io/utf8_path.h"
#include "io/whole_file.h"

#include <charconv>
#include <optional>
#include <system_error>
#include <utility>
#include <vector>

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
                   "CREATE TABLE IF NOT EXISTS saves (id INTEGER PRIMARY KEY, record BLOB NOT NULL); "
                   "CREATE TABLE IF NOT EXISTS held (id INTEGER PRIMARY KEY, record BLOB NOT NULL)");
}

// An existing queue file, opened; false when there is none.
bool openExisting(const fs::path& file, SqliteDb& db) {
    std::error_code ec;
    return fs::exists(file, ec) && !openQueue(file, db);
}

// A held save's token: the queue file's place and the row.
std::string tokenOf(std::size_t place, int64_t row) {
    return std::to_string(place) + ":" + std::to_string(row);
}

std::pair<std::size_t, int64_t> tokenParts(const std::string& token) {
    std::size_t place = 0;
    int64_t row = 0;
    const std::size_t colon = token.find(':');
    if (colon == std::string::npos) return {0, 0};
    std::from_chars(token.data(), token.data() + colon, place);
    std::from_chars(token.data() + colon + 1, token.data() + token.size(), row);
    return {place, row};
}

} // namespace

bool fileHoldsSave(const OrderRecord& record) {
    std::string bytes;
    return readWholeFile(pathFromUtf8(record.filePath), bytes, record.fileBytes.size() + 1) &&
           bytes == record.fileBytes;
}

std::vector<fs::path> queuePlaces(const fs::path& preferred, const std::string& name) {
    std::vector<fs::path> places{preferred};
    if (const fs::path user = userDataFolder(); !user.empty())
        places.push_back(user / "journal-queues" / name);
    std::error_code ec;
    if (const fs::path temporary = fs::temp_directory_path(ec); !ec && !temporary.empty())
        places.push_back(temporary / "dalvex-journal-queues" / name);
    return places;
}

std::string placeName(const std::string& location) {
    // FNV-1a of the location: the same journal gives the same name on every run.
    uint64_t hash = 14695981039346656037ull;
    for (unsigned char c : location) {
        hash ^= c;
        hash *= 1099511628211ull;
    }
    static constexpr char kHex[] = "0123456789abcdef";
    std::string name = "journal-";
    for (int i = 0; i < 16; ++i, hash >>= 4)
        name += kHex[hash & 15];
    return name;
}

LocalSaveQueue::LocalSaveQueue(const fs::path& file)
    : files_(queuePlaces(file, pathToUtf8(file.filename()))) {
    // Beside the preferred file already, the user's data folder is no other place.
    if (files_.size() > 1 && files_[1].parent_path().parent_path() == file.parent_path())
        files_.erase(files_.begin() + 1);
}

std::optional<int64_t> LocalSaveQueue::insertAtFirstPlace(const char* insertReturningId,
                                                          const OrderRecord& record) {
    const std::string bytes = encodeRecord(record);
    for (std::size_t i = 0; i < files_.size(); ++i) {
        SqliteDb db;
        if (openQueue(files_[i], db)) continue;
        Statement insert = db.prepare(insertReturningId);
        insert.bindBlob(1, bytes);
        if (insert.step()) {
            used_ = i;
            return insert.integer(0);
        }
    }
    return std::nullopt;
}

bool LocalSaveQueue::keep(const OrderRecord& record) {
    return insertAtFirstPlace("INSERT INTO saves (record) VALUES (?) RETURNING id", record).has_value();
}

std::string LocalSaveQueue::hold(const OrderRecord& record) {
    const std::optional<int64_t> id =
        insertAtFirstPlace("INSERT INTO held (record) VALUES (?) RETURNING id", record);
    return id ? tokenOf(used_, *id) : std::string();
}

bool LocalSaveQueue::confirm(const std::string& token, const OrderRecord& record) {
    const auto [place, row] = tokenParts(token);
    if (place >= files_.size()) return keep(record);
    SqliteDb db;
    if (openQueue(files_[place], db)) return keep(record);
    Transaction t(db);
    if (t.begun()) return keep(record);
    // Another program's start may have settled it meanwhile: then it is kept anew.
    Statement insert = db.prepare("INSERT INTO saves (record) VALUES (?)");
    insert.bindBlob(1, encodeRecord(record));
    Statement held = db.prepare("DELETE FROM held WHERE id = ?");
    held.bind(1, row);
    if (insert.run() && held.run() && !t.commit()) return true;
    return keep(record);
}

void LocalSaveQueue::drop(const std::string& token) {
    const auto [place, row] = tokenParts(token);
    SqliteDb db;
    if (token.empty() || place >= files_.size() || !openExisting(files_[place], db)) return;
    Statement held = db.prepare("DELETE FROM held WHERE id = ?");
    held.bind(1, row);
    held.run();
}

void LocalSaveQueue::settle() {
    for (const fs::path& file : files_) {
        SqliteDb db;
        if (!openExisting(file, db)) continue;
        Statement held = db.prepare("SELECT id, record FROM held ORDER BY id");
        std::vector<std::pair<int64_t, std::optional<OrderRecord>>> found;
        while (held.step())
            found.emplace_back(held.integer(0), decodeRecord(held.blob(1)));
        held = Statement();
        for (const auto& [id, record] : found) {
            if (!record) continue; // not a whole record: left for a look
            Transaction t(db);
            if (t.begun()) break;
            if (fileHoldsSave(*record)) {
                Statement keep =
                    db.prepare("INSERT INTO saves (record) SELECT record FROM held WHERE id = ?");
                keep.bind(1, id);
                if (!keep.run()) continue;
            }
            Statement gone = db.prepare("DELETE FROM held WHERE id = ?");
            gone.bind(1, id);
            if (gone.run()) t.commit();
        }
    }
}

int LocalSaveQueue::sendWaiting(const std::function<Offer(const OrderRecord&)>& send) {
    int sent = 0;
    for (const fs::path& file : files_) {
        SqliteDb db;
        if (!openExisting(file, db)) continue;
        for (int64_t after = 0;;) {
            Statement next = db.prepare("SELECT id, record FROM saves WHERE id > ? ORDER BY id LIMIT 1");
            next.bind(1, after);
            if (!next.step()) break;
            after = next.integer(0);
            const std::optional<OrderRecord> record = decodeRecord(next.blob(1));
            // A row that is not a whole record stays for a look; it never blocks the others.
            if (!record) continue;
            const Offer offer = send(*record);
            if (offer == Offer::Stop) return sent;
            if (offer == Offer::NotHere) continue;
            // Sent: the journal holds it under its save id, so a crash before this line sends it once more
            // at the most, and the journal records it once all the same.
            Statement taken = db.prepare("DELETE FROM saves WHERE id = ?");
            taken.bind(1, after);
            taken.run();
            ++sent;
        }
    }
    return sent;
}

int LocalSaveQueue::waiting() {
    int64_t count = 0;
    for (const fs::path& file : files_) {
        SqliteDb db;
        if (openExisting(file, db)) count += db.queryInteger("SELECT count(*) FROM saves").value_or(0);
    }
    return static_cast<int>(count);
}

std::string LocalSaveQueue::location() const {
    return pathToUtf8(files_[used_]);
}

} // namespace dalvex::journal
