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
    // The folder of the records waiting for `journalFile`: journal.sqlite.pending beside it, else one named
    // after it in the user's data folder or the temporary folder.
    explicit PendingRecords(const std::filesystem::path& journalFile);

    // Keeps one record (written completely or not at all); false when it cannot be written.
    bool keep(const OrderRecord& record) override;
    std::string hold(const OrderRecord& record) override;
    bool confirm(const std::string& token, const OrderRecord& record) override;
    void drop(const std::string& token) override;
    void settle() override;
    int sendWaiting(const std::function<Offer(const OrderRecord&)>& send) override;
    int waiting() override { return static_cast<int>(files().size()); }
    std::string location() const override;
    bool elsewhere() const override { return used_ > 0; }
    // The waiting records' files, oldest save first.
    std::vector<std::filesystem::path> files() const;
    static std::optional<OrderRecord> read(const std::filesystem::path& file);
    static void remove(const std::filesystem::path& file);

private:
    // A new file name for `record` with `extension`, that sorts as the saves' times do.
    static std::string newName(const OrderRecord& record, const char* extension);
    // Writes the record into the first folder that takes it: its path, or empty.
    std::filesystem::path write(const OrderRecord& record, const char* extension);

    std::vector<std::filesystem::path> folders_;
    std::size_t used_ = 0;
};

} // namespace dalvex::journal
