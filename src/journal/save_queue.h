#pragma once
// Saves waiting for the journal: kept where they survive the program (every one written completely or not at
// all), sent oldest first when the journal answers again, and let go only once it took them.
#include "journal_types.h"

#include <filesystem>
#include <functional>
#include <string>

namespace dalvex::journal {

class SaveQueue {
public:
    virtual ~SaveQueue() = default;
    // Keeps one save; false when it cannot be kept.
    virtual bool keep(const OrderRecord& record) = 0;
    // Offers the waiting saves to `send`, oldest first, until it answers false; each one it took is let go.
    // Answers how many it took.
    virtual int sendWaiting(const std::function<bool(const OrderRecord&)>& send) = 0;
    // How many saves wait.
    virtual int waiting() = 0;
    // Where they wait, for messages.
    virtual std::string location() const = 0;
};

// The queue of a server's journal: an SQLite file in the user's data folder (journal-queue.sqlite).
class LocalSaveQueue : public SaveQueue {
public:
    explicit LocalSaveQueue(std::filesystem::path file) : file_(std::move(file)) {}
    bool keep(const OrderRecord& record) override;
    int sendWaiting(const std::function<bool(const OrderRecord&)>& send) override;
    int waiting() override;
    std::string location() const override;

private:
    std::filesystem::path file_;
};

} // namespace dalvex::journal
