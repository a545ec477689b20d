#pragma once
// Saves waiting for the journal: kept where they survive the program (every one written completely or not at
// all), sent oldest first when the journal answers again, and let go only once it took them.
#include "journal_types.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace dalvex::journal {

// Whether the save's file holds exactly the save's bytes.
bool fileHoldsSave(const OrderRecord& record);
// Where a queue may live, best first: `preferred`, else `name` in the user's data folder, else in the
// system's temporary folder. A queue is kept in the first of them that takes it, and read from all.
std::vector<std::filesystem::path> queuePlaces(const std::filesystem::path& preferred, const std::string& name);
// A short name that tells journals apart, for their queues' files outside their own folder.
std::string placeName(const std::string& location);

// What became of a waiting save offered to the journal: taken (let go), meant for another journal (it
// stays), or not taken now (it stays, and so do the rest).
enum class Offer { Taken, NotHere, Stop };

class SaveQueue {
public:
    virtual ~SaveQueue() = default;
    // Keeps one save; false when it cannot be kept.
    virtual bool keep(const OrderRecord& record) = 0;

    // A save about to replace its file, kept on the disk before the file is touched but not sent until
    // confirm() says the file is in place: a program killed at any instant leaves either the old file with
    // nothing to send, or the new file with its save kept. Answers the save's token, empty when it could not
    // be kept.
    virtual std::string hold(const OrderRecord& record) = 0;
    // The held save's file is in place: it waits to be sent as keep() would have it.
    virtual bool confirm(const std::string& token, const OrderRecord& record) = 0;
    // The held save is not wanted: its file was not written, or the journal took it.
    virtual void drop(const std::string& token) = 0;
    // Saves held by runs that ended before they could confirm them: kept when their file holds exactly their
    // bytes (the file was replaced), let go otherwise (it never was).
    virtual void settle() = 0;
    // Offers the waiting saves to `send`, oldest first, until it answers Stop; each one it took is let go.
    // Answers how many it took.
    virtual int sendWaiting(const std::function<Offer(const OrderRecord&)>& send) = 0;
    // How many saves wait.
    virtual int waiting() = 0;
    // Where they wait, for messages: the place the last save went to.
    virtual std::string location() const = 0;
    // Whether the last save went somewhere else than the queue's own place (it could not be written there).
    virtual bool elsewhere() const = 0;
};

// The queue of a server's journal: an SQLite file in the user's data folder (journal-queue.sqlite).
class LocalSaveQueue : public SaveQueue {
public:
    explicit LocalSaveQueue(const std::filesystem::path& file);
    bool keep(const OrderRecord& record) override;
    std::string hold(const OrderRecord& record) override;
    bool confirm(const std::string& token, const OrderRecord& record) override;
    void drop(const std::string& token) override;
    void settle() override;
    int sendWaiting(const std::function<Offer(const OrderRecord&)>& send) override;
    int waiting() override;
    std::string location() const override;
    bool elsewhere() const override { return used_ > 0; }

private:
    // Runs the insert (with one blob, answering the row's id) in the first queue place that takes it.
    std::optional<int64_t> insertAtFirstPlace(const char* insertReturningId, const OrderRecord& record);

    std::vector<std::filesystem::path> files_;
    std::size_t used_ = 0;
};

} // namespace dalvex::journal
