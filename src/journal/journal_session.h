#pragma once
// The journal as a program uses it for a whole run: opened at the start (or switched off with a message that
// names it), the saves earlier runs could not record sent first, every save recorded or kept for later, and
// the numbers of orders taken through it, with the counter file as the fallback. A journal on a server that
// does not answer leaves the program working offline: saves wait in the local queue and go to the server
// when it answers again (the next save, the next start, or retry() on a timer).
#include "journal.h"
#include "journal_place.h"
#include "orders/order_numbers.h"
#include "save_queue.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace dalvex::journal {

class JournalSession : public OrderNumberKeeper {
public:
    // A program that records saves sends what waits for its journal; one that only reads it (a list, a
    // search, an export) leaves the queue alone.
    enum class Use { Records, Reads };
    // Opens (or creates) the journal file; `configFolder` holds the counter kept in step with it (empty: a
    // program that takes no numbers, whose counter is left alone).
    JournalSession(std::filesystem::path file, std::filesystem::path configFolder, Use use = Use::Records);
    // A file or a server (journal_place.h).
    JournalSession(const JournalTarget& target, std::filesystem::path configFolder, Use use = Use::Records);

    bool on() const { return journal_ != nullptr; }
    // The server is configured but does not answer: the program works without it for now.
    bool offline() const { return offline_; }
    // The journal while it is on; nullptr when off.
    Journal* journal() { return journal_.get(); }
    // The file, or the server as messages name it.
    const std::string& location() const { return location_; }
    // Why the journal is off, in the user's words and naming it; empty while it is on.
    const std::string& offMessage() const { return offMessage_; }
    // How many saves of earlier runs (or of the time offline) were recorded when the journal came on.
    int recordedAtStart() const { return recordedAtStart_; }
    // A failure of the journal while in use: a damaged journal is switched off from now on, a server that
    // went away leaves the program offline. Answers whether the journal went off.
    bool noteFailure(const JournalStatus& status);
    // With a server that was away: tries it again, and sends what waits when it answers. Answers whether the
    // journal is on.
    bool retry();

    enum class Recorded { Now, Later, Never, Refused };
    // Records one save; when the journal cannot take it now, it is kept and sent later. A save of an order
    // that another desk saved since this program read it is Refused (its file is saved all the same).
    Recorded record(const OrderRecord& record);
    // A whole save: the record kept on the disk first, then the file replaced by `replaceFile` (false when
    // it could not be written), then the record sent to the journal or left waiting. A program killed at any
    // instant leaves the old file with nothing recorded, or the new file recorded or waiting.
    struct Saved {
        bool written = false;
        Recorded recorded = Recorded::Never;
    };
    Saved save(const OrderRecord& record, const std::function<bool()>& replaceFile);
    // The saves in the queue that wait for another journal than this one, told for `journal check`.
    std::vector<std::string> waitingElsewhere();
    // How many saves this run has recorded: a window showing the list reads it again when this moved.
    int recordedInRun() const { return recordedInRun_; }
    // What to tell the user about a save that was not recorded now: the first time in this run only (a
    // refused one every time).
    std::optional<std::string> takeRecordMessage(Recorded outcome);
    // The program opened the order as the journal holds it at `versionId`: its next save continues it.
    void noteOpened(int64_t number, int64_t versionId) { seen_[number] = versionId; }

    OrderNumberClaim claim(const std::filesystem::path& configFolder, const std::string& cardNumber,
                           const std::string& offered) override;
    void release(const std::filesystem::path& configFolder, const OrderNumberClaim& claim) override;

private:
    void open();
    void switchOff(const JournalStatus& why);
    // Sends what waits in the queue; stops at the first the journal does not take.
    void sendWaiting();
    // The journal a save kept now is meant for: its identity, or its place while that is not known.
    std::string meantFor() const;
    bool isMeantHere(const OrderRecord& record) const;
    // The save as the journal will take it: its id, and the version it continues.
    OrderRecord prepared(const OrderRecord& save) const;
    // Sends one save now: Now, Refused, or nothing when the journal could not take it.
    std::optional<Recorded> sendNow(const OrderRecord& record);

    JournalTarget target_;
    std::filesystem::path configFolder_;
    std::string location_;
    std::string place_;    // "at " and the place named at the start
    std::string identity_; // of the journal, once it answered
    std::unique_ptr<Journal> journal_;
    std::unique_ptr<SaveQueue> queue_;
    std::map<int64_t, int64_t> seen_; // order number -> the version this program's copy continues
    std::string offMessage_;
    std::string problem_; // why the journal last failed to take a save, as it said it
    int recordedAtStart_ = 0;
    int recordedInRun_ = 0;
    bool offline_ = false;
    bool toldAboutRecording_ = false;
    bool claimedThroughJournal_ = false;
    Use use_ = Use::Records;
};

// A new save id: 128 random bits as hex, so that saves of every desk are told apart.
std::string newSaveId();

} // namespace dalvex::journal
