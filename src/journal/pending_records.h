#pragma once
// Saves the journal could not record (it was away, locked too long or failed), kept as files in a folder
// beside it until a later start records them: a save never waits on the journal and is never lost to it.
#include "journal_types.h"
#include "save_queue.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dalvex::journal {

// A record as the bytes of one file, and back; nothing for bytes that are not a whole record.
std::string encodeRecord(const OrderRecord& record);
std::optional<OrderRecord> decodeRecord(std::string_view bytes);

class PendingRecords : public SaveQueue {
public:
    // The folder of the records waiting for `journalFile`: journal.sqlite.pending beside it.
    explicit PendingRecords(const std::filesystem::path& journalFile);

    // Keeps one record (written completely or not at all); false when it cannot be written.
    bool keep(const OrderRecord& record) override;
    int sendWaiting(const std::function<bool(const OrderRecord&)>& send) override;
    int waiting() override { return static_cast<int>(files().size()); }
    std::string location() const override;
    // The waiting records' files, oldest save first.
    std::vector<std::filesystem::path> files() const;
    static std::optional<OrderRecord> read(const std::filesystem::path& file);
    static void remove(const std::filesystem::path& file);

private:
    std::filesystem::path folder_;
};

} // namespace dalvex::journal
