#include "journal_session.h"

#include "journal_messages.h"
#include "journal_server.h"
#include "pending_records.h"
#include "sqlite_journal.h"

#include "io/utf8_path.h"

#include <random>
#include <utility>

namespace dalvex::journal {

std::string newSaveId() {
    static std::random_device device;
    static std::mt19937_64 random(static_cast<uint64_t>(device()) << 32 ^ device());
    static constexpr char kHex[] = "0123456789abcdef";
    std::string id;
    for (int part = 0; part < 2; ++part) {
        uint64_t bits = random() ^ device();
        for (int i = 0; i < 16; ++i, bits >>= 4)
            id += kHex[bits & 15];
    }
    return id;
}

JournalSession::JournalSession(std::filesystem::path file, std::filesystem::path configFolder, Use use)
    : JournalSession(JournalTarget{std::move(file), {}, {}}, std::move(configFolder), use) {}

JournalSession::JournalSession(const JournalTarget& target, std::filesystem::path configFolder, Use use)
    : target_(target), configFolder_(std::move(configFolder)), use_(use) {
    if (target_.server.empty()) {
        location_ = pathToUtf8(target_.file);
        queue_ = std::make_unique<PendingRecords>(target_.file);
    } else {
        location_ = withoutPassword(target_.server);
        queue_ = std::make_unique<LocalSaveQueue>(target_.queue);
    }
    place_ = "at " + location_;
    // Saves of runs killed half-way: kept when their file was replaced, else let go.
    if (use_ == Use::Records) queue_->settle();
    open();
}

std::string JournalSession::meantFor() const {
    return identity_.empty() ? place_ : identity_;
}

bool JournalSession::isMeantHere(const OrderRecord& r) const {
    // A save of an earlier program names no journal: its file journal's own queue holds it, a server's
    // queue may hold saves of every server this desk used.
    if (r.meantFor.empty()) return target_.server.empty();
    return r.meantFor == place_ || (!identity_.empty() && r.meantFor == identity_);
}

std::vector<std::string> JournalSession::waitingElsewhere() {
    std::map<std::string, int> meant;
    queue_->sendWaiting([&](const OrderRecord& r) {
        if (!isMeantHere(r)) ++meant[r.meantFor.empty() ? std::string("?") : r.meantFor];
        return Offer::NotHere;
    });
    std::vector<std::string> told;
    for (const auto& [journal, count] : meant)
        told.push_back("в очереди " + queue_->location() + " ждут записи в другой журнал (" + journal +
                       "): " + std::to_string(count));
    return told;
}

void JournalSession::open() {
    if (target_.server.empty()) {
        auto opened = SqliteJournal::open(target_.file);
        if (!opened) return switchOff(opened.status());
        journal_ = std::move(opened.value());
    } else {
        auto opened = openServerJournal(target_.server);
        if (!opened) return switchOff(opened.status());
        journal_ = std::move(opened.value());
        location_ = journal_->location();
    }
    offline_ = false;
    offMessage_.clear();
    if (const Outcome<std::string> identity = journal_->identity()) identity_ = *identity;
    if (use_ == Use::Records) sendWaiting();
    if (journal_ && !configFolder_.empty()) journal_->keepCounterInStep(configFolder_);
}

bool JournalSession::retry() {
    if (!journal_ && offline_) open();
    return on();
}

void JournalSession::switchOff(const JournalStatus& why) {
    journal_.reset();
    problem_ = why.message;
    offline_ = why.code == JournalErrc::Offline;
    offMessage_ = offline_ ? offlineMessage(location_, queue_->location()) : journalOffMessage(why, location_);
}

bool JournalSession::noteFailure(const JournalStatus& status) {
    if (!journal_ || (status.code != JournalErrc::Damaged && status.code != JournalErrc::Offline)) return false;
    switchOff(status);
    return true;
}

void JournalSession::sendWaiting() {
    recordedAtStart_ += queue_->sendWaiting([this](const OrderRecord& r) {
        if (!isMeantHere(r)) return Offer::NotHere; // it waits for its own journal
        const Outcome<int64_t> version = journal_->record(r);
        // A save made while the journal was away that another desk's save has overtaken is the newest work
        // of this desk all the same: it went without a version to follow, and is recorded as the latest.
        if (version) return Offer::Taken;
        problem_ = version.status().message;
        noteFailure(version.status());
        return Offer::Stop; // the rest wait for the next time
    });
}

OrderRecord JournalSession::prepared(const OrderRecord& save) const {
    OrderRecord r = save;
    if (r.saveId.empty()) r.saveId = newSaveId();
    if (const auto seen = seen_.find(orderKey(r.card.orderNumber)); seen != seen_.end() && r.followsVersion == 0)
        r.followsVersion = seen->second;
    return r;
}

std::optional<JournalSession::Recorded> JournalSession::sendNow(const OrderRecord& r) {
    // A server that was away is asked again at every save; what waited goes first.
    if (!journal_) retry();
    if (!journal_) return std::nullopt;
    const Outcome<int64_t> version = journal_->record(r);
    if (version) {
        seen_[orderKey(r.card.orderNumber)] = *version;
        ++recordedInRun_;
        return Recorded::Now;
    }
    if (version.status().code == JournalErrc::Stale) return Recorded::Refused;
    problem_ = version.status().message;
    noteFailure(version.status());
    return std::nullopt;
}

JournalSession::Recorded JournalSession::record(const OrderRecord& save) {
    OrderRecord r = prepared(save);
    if (const std::optional<Recorded> sent = sendNow(r)) return *sent;
    r.followsVersion = 0;
    r.meantFor = meantFor();
    return queue_->keep(r) ? Recorded::Later : Recorded::Never;
}

JournalSession::Saved JournalSession::save(const OrderRecord& save, const std::function<bool()>& replaceFile) {
    OrderRecord r = prepared(save);
    // Kept without a version to follow: sent later, it is this desk's newest work whatever came meanwhile.
    OrderRecord waiting = r;
    waiting.followsVersion = 0;
    waiting.meantFor = meantFor();
    const std::string held = queue_->hold(waiting);
    if (!replaceFile()) {
        queue_->drop(held);
        return {};
    }
    if (const std::optional<Recorded> sent = sendNow(r)) {
        queue_->drop(held);
        return {true, *sent};
    }
    if (!held.empty() && queue_->confirm(held, waiting)) return {true, Recorded::Later};
    return {true, queue_->keep(waiting) ? Recorded::Later : Recorded::Never};
}

std::optional<std::string> JournalSession::takeRecordMessage(Recorded outcome) {
    if (outcome == Recorded::Refused)
        return std::string(kChangedElsewhere) + ". Файл сохранён, но журнал оставил заказ таким, каким его "
                                                "записали там: откройте заказ из журнала заново.";
    if (outcome == Recorded::Now || toldAboutRecording_) return std::nullopt;
    toldAboutRecording_ = true;
    // Named where the saves wait now: a queue that could not be written in its own place went elsewhere.
    if (offline_ && outcome == Recorded::Later) return offlineMessage(location_, queue_->location());
    if (outcome == Recorded::Never) return recordLostMessage(location_, problem_);
    return recordLaterMessage(location_, problem_, queue_->elsewhere() ? queue_->location() : std::string());
}

OrderNumberClaim JournalSession::claim(const std::filesystem::path& configFolder,
                                       const std::string& cardNumber, const std::string& offered) {
    claimedThroughJournal_ = false;
    if (journal_) {
        const Outcome<OrderNumberClaim> claimed = journal_->claimNumber(configFolder, cardNumber, offered);
        if (claimed) {
            claimedThroughJournal_ = true;
            return *claimed;
        }
        noteFailure(claimed.status());
    }
    // The counter file alone: the order is saved all the same.
    return claimOrderNumber(configFolder, cardNumber, offered);
}

void JournalSession::release(const std::filesystem::path& configFolder, const OrderNumberClaim& claim) {
    if (claimedThroughJournal_ && journal_)
        journal_->releaseNumber(configFolder, claim);
    else
        releaseOrderNumber(configFolder, claim);
}

} // namespace dalvex::journal
