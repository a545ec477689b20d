#include "pending_records.h"

#include "process_id.h"
#include "save_queue.h"

#include "io/atomic_file.h"
#include "io/utf8_path.h"
#include "io/whole_file.h"

#include <algorithm>
#include <atomic>
#include <bit>
#include <charconv>
#include <climits>
#include <system_error>

namespace dalvex::journal {
namespace fs = std::filesystem;

namespace {

// Version 2 adds the save's id, version 3 the journal it is meant for; files of earlier versions, kept by an
// earlier program, are read still.
constexpr std::string_view kMagic = "dalvex pending record 3\n";
constexpr std::string_view kMagicVersion2 = "dalvex pending record 2\n";
constexpr std::string_view kMagicVersion1 = "dalvex pending record 1\n";
// A record holds a sketch file, which the program never reads past this size either.
constexpr std::uint64_t kRecordLimit = kSketchFileLimit + (1u << 20);

// Each field as its length in decimal, a colon, its bytes and a line feed: any byte may be in a field.
class FieldWriter {
public:
    void text(std::string_view v) {
        out += std::to_string(v.size());
        out += ':';
        out += v;
        out += '\n';
    }
    void number(int64_t v) { text(std::to_string(v)); }
    void real(double v) { number(std::bit_cast<int64_t>(v)); }
    std::string out{kMagic};
};

class FieldReader {
public:
    explicit FieldReader(std::string_view bytes) : rest_(bytes) {
        const std::string_view magic = rest_.substr(0, kMagic.size());
        version_ = magic == kMagic ? 3 : magic == kMagicVersion2 ? 2 : magic == kMagicVersion1 ? 1 : 0;
        ok_ = version_ != 0;
        rest_.remove_prefix(std::min(rest_.size(), kMagic.size()));
    }
    int version() const { return version_; }
    std::string text() {
        const std::size_t colon = rest_.find(':');
        std::size_t size = 0;
        if (!ok_ || colon == std::string_view::npos ||
            std::from_chars(rest_.data(), rest_.data() + colon, size).ptr != rest_.data() + colon ||
            size > rest_.size() - colon - 1 || rest_.size() - colon - 1 - size < 1 ||
            rest_[colon + 1 + size] != '\n') {
            ok_ = false;
            return {};
        }
        std::string v(rest_.substr(colon + 1, size));
        rest_.remove_prefix(colon + 2 + size);
        return v;
    }
    int64_t number() {
        const std::string t = text();
        int64_t v = 0;
        const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
        if (ec != std::errc() || end != t.data() + t.size()) ok_ = false;
        return v;
    }
    int32_t number32() {
        const int64_t v = number();
        if (v < INT32_MIN || v > INT32_MAX) ok_ = false;
        return static_cast<int32_t>(v);
    }
    // The bits of a double, exactly as written; no locale in between.
    double real() { return std::bit_cast<double>(number()); }
    bool done() const { return ok_ && rest_.empty(); }

private:
    std::string_view rest_;
    bool ok_ = true;
    int version_ = 0;
};

} // namespace

std::string encodeRecord(const OrderRecord& r) {
    FieldWriter w;
    w.text(r.card.orderNumber);
    w.text(r.card.customerName);
    w.text(r.card.address);
    w.number(r.card.orderDate);
    w.number(r.card.readyDate);
    w.text(r.card.phone);
    w.number(r.card.deliveryCost);
    w.number(r.card.assemblyCost);
    w.real(r.discountPercent);
    w.number(r.itemsTotal);
    w.number(r.grandTotal);
    w.text(r.system);
    w.text(r.handleProfile);
    w.text(r.color);
    w.number(r.width);
    w.number(r.height);
    w.number(r.doorCount);
    w.text(r.filePath);
    w.text(r.fileBytes);
    w.number(r.savedAt);
    w.text(r.saveId);
    w.text(r.meantFor);
    return std::move(w.out);
}

std::optional<OrderRecord> decodeRecord(std::string_view bytes) {
    FieldReader f(bytes);
    OrderRecord r;
    r.card.orderNumber = f.text();
    r.card.customerName = f.text();
    r.card.address = f.text();
    r.card.orderDate = f.number();
    r.card.readyDate = f.number();
    r.card.phone = f.text();
    r.card.deliveryCost = f.number32();
    r.card.assemblyCost = f.number32();
    r.discountPercent = f.real();
    r.itemsTotal = f.number32();
    r.grandTotal = f.number32();
    r.system = f.text();
    r.handleProfile = f.text();
    r.color = f.text();
    r.width = f.number32();
    r.height = f.number32();
    r.doorCount = f.number32();
    r.filePath = f.text();
    r.fileBytes = f.text();
    r.savedAt = f.number();
    if (f.version() >= 2) r.saveId = f.text();
    if (f.version() >= 3) r.meantFor = f.text();
    if (!f.done()) return std::nullopt;
    return r;
}

PendingRecords::PendingRecords(const fs::path& journalFile)
    : folders_(queuePlaces(pathFromUtf8(pathToUtf8(journalFile) + ".pending"),
                           placeName(pathToUtf8(journalFile)) + ".pending")) {}

std::string PendingRecords::newName(const OrderRecord& record, const char* extension) {
    static std::atomic<int> counter{0};
    // Named by the save's time (zero-padded, so that names sort as times do), then process and count.
    std::string time = std::to_string(std::max<int64_t>(record.savedAt, 0));
    time.insert(0, time.size() < 20 ? 20 - time.size() : 0, '0');
    return time + "-" + std::to_string(processId()) + "-" + std::to_string(counter++) + extension;
}

fs::path PendingRecords::write(const OrderRecord& record, const char* extension) {
    const std::string bytes = encodeRecord(record);
    const std::string name = newName(record, extension);
    for (std::size_t i = 0; i < folders_.size(); ++i) {
        std::error_code ec;
        fs::create_directories(folders_[i], ec);
        if (writeFileAtomically(folders_[i] / name, bytes)) {
            used_ = i;
            return folders_[i] / name;
        }
    }
    return {};
}

bool PendingRecords::keep(const OrderRecord& record) {
    return !write(record, ".record").empty();
}

std::string PendingRecords::hold(const OrderRecord& record) {
    return pathToUtf8(write(record, ".held"));
}

bool PendingRecords::confirm(const std::string& token, const OrderRecord& record) {
    // Written anew rather than renamed: the kept file is on the disk before the held one goes.
    if (!keep(record)) return false;
    drop(token);
    return true;
}

void PendingRecords::drop(const std::string& token) {
    if (!token.empty()) remove(pathFromUtf8(token));
}

void PendingRecords::settle() {
    std::vector<fs::path> held;
    for (const fs::path& folder : folders_) {
        std::error_code ec;
        for (const auto& entry : fs::directory_iterator(folder, ec))
            if (entry.path().extension() == ".held") held.push_back(entry.path());
    }
    for (const fs::path& file : held) {
        const std::optional<OrderRecord> record = read(file);
        if (record && fileHoldsSave(*record)) {
            if (keep(*record)) remove(file);
        } else if (record) {
            remove(file);
        }
    }
}

std::vector<fs::path> PendingRecords::files() const {
    std::vector<fs::path> found;
    for (const fs::path& folder : folders_) {
        std::error_code ec;
        for (const auto& entry : fs::directory_iterator(folder, ec)) {
            const fs::path& p = entry.path();
            if (entry.is_regular_file(ec) && p.extension() == ".record" && p.filename().string()[0] != '.')
                found.push_back(p);
        }
    }
    // Oldest save first, whichever folder it waits in.
    std::sort(found.begin(), found.end(), [](const fs::path& a, const fs::path& b) { return a.filename() < b.filename(); });
    return found;
}

std::optional<OrderRecord> PendingRecords::read(const fs::path& file) {
    std::string bytes;
    if (!readWholeFile(file, bytes, kRecordLimit)) return std::nullopt;
    return decodeRecord(bytes);
}

void PendingRecords::remove(const fs::path& file) {
    std::error_code ec;
    fs::remove(file, ec);
}

int PendingRecords::sendWaiting(const std::function<Offer(const OrderRecord&)>& send) {
    int sent = 0;
    for (const fs::path& file : files()) {
        const std::optional<OrderRecord> record = read(file);
        // A file that is not a whole record stays for a look; it never blocks the others.
        if (!record) continue;
        const Offer offer = send(*record);
        if (offer == Offer::Stop) break;
        if (offer == Offer::NotHere) continue;
        remove(file);
        ++sent;
    }
    return sent;
}

std::string PendingRecords::location() const {
    return pathToUtf8(folders_[used_]);
}

} // namespace dalvex::journal
