#pragma once
// The journal as a program uses it for a whole run: opened at the start (or switched off with a message that
// names the file), the saves earlier runs could not record recorded first, every save recorded or kept for
// the next start, and the numbers of orders taken through it, with the counter file as the fallback.
#include "journal.h"
#include "orders/order_numbers.h"
#include "pending_records.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

namespace dalvex::journal {

class JournalSession : public OrderNumberKeeper {
public:
    // Opens (or creates) the journal file; `configFolder` holds the counter kept in step with it (empty: a
    // program that takes no numbers, whose counter is left alone).
    JournalSession(std::filesystem::path file, std::filesystem::path configFolder);

    bool on() const { return journal_ != nullptr; }
    // The journal while it is on; nullptr when off.
    Journal* journal() { return journal_.get(); }
    const std::filesystem::path& file() const { return file_; }
    // Why the journal is off, in the user's words and naming the file; empty while it is on.
    const std::string& offMessage() const { return offMessage_; }
    // How many saves of earlier runs were recorded at the start.
    int recordedAtStart() const { return recordedAtStart_; }
    // A failure of the journal while in use: a damaged journal is switched off from now on. Answers whether
    // that happened.
    bool noteFailure(const JournalStatus& status);

    enum class Recorded { Now, Later, Never };
    // Records one save; when the journal cannot take it, it is kept and recorded at the next start.
    Recorded record(const OrderRecord& record);
    // How many saves this run has recorded: a window showing the list reads it again when this moved.
    int recordedInRun() const { return recordedInRun_; }
    // What to tell the user about a save that was not recorded now: the first time in this run only.
    std::optional<std::string> takeRecordMessage(Recorded outcome);

    OrderNumberClaim claim(const std::filesystem::path& configFolder, const std::string& cardNumber,
                           const std::string& offered) override;
    void release(const std::filesystem::path& configFolder, const OrderNumberClaim& claim) override;

private:
    void switchOff(const JournalStatus& why);
    void recordPending();

    std::filesystem::path file_;
    std::filesystem::path configFolder_;
    std::unique_ptr<Journal> journal_;
    PendingRecords pending_;
    std::string offMessage_;
    int recordedAtStart_ = 0;
    int recordedInRun_ = 0;
    bool toldAboutRecording_ = false;
    bool claimedThroughJournal_ = false;
};

} // namespace dalvex::journal
