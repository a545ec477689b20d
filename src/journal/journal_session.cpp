#include "journal_session.h"

#include "journal_messages.h"
#include "sqlite_journal.h"

#include "io/utf8_path.h"

#include <utility>

namespace dalvex::journal {

JournalSession::JournalSession(std::filesystem::path file, std::filesystem::path configFolder)
    : file_(std::move(file)), configFolder_(std::move(configFolder)), pending_(file_) {
    auto opened = SqliteJournal::open(file_);
    if (!opened) {
        switchOff(opened.status());
        return;
    }
    journal_ = std::move(opened.value());
    recordPending();
    if (journal_ && !configFolder_.empty()) journal_->keepCounterInStep(configFolder_);
}

void JournalSession::switchOff(const JournalStatus& why) {
    journal_.reset();
    offMessage_ = journalOffMessage(why, pathToUtf8(file_));
}

bool JournalSession::noteFailure(const JournalStatus& status) {
    if (!journal_ || status.code != JournalErrc::Damaged) return false;
    switchOff(status);
    return true;
}

void JournalSession::recordPending() {
    for (const std::filesystem::path& file : pending_.files()) {
        const std::optional<OrderRecord> record = PendingRecords::read(file);
        // A file that is not a whole record stays for a look; it never blocks the others.
        if (!record) continue;
        const JournalStatus status = journal_->record(*record);
        if (!status) {
            noteFailure(status);
            return; // the rest wait for the next start
        }
        PendingRecords::remove(file);
        ++recordedAtStart_;
    }
}

JournalSession::Recorded JournalSession::record(const OrderRecord& record) {
    if (journal_) {
        const JournalStatus status = journal_->record(record);
        if (status) {
            ++recordedInRun_;
            return Recorded::Now;
        }
        noteFailure(status);
    }
    return pending_.keep(record) ? Recorded::Later : Recorded::Never;
}

std::optional<std::string> JournalSession::takeRecordMessage(Recorded outcome) {
    if (outcome == Recorded::Now || toldAboutRecording_) return std::nullopt;
    toldAboutRecording_ = true;
    const std::string file = pathToUtf8(file_);
    return outcome == Recorded::Later ? recordLaterMessage(file) : recordLostMessage(file);
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
