#pragma once
// A journal of its own in a temporary folder, and orders to record in it.
#include "journal_types.h"
#include "sqlite_journal.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

namespace dalvex::journal::testing {

using dalvex::testing::TempFolder;

inline OrderRecord orderRecord(const std::string& number, const std::string& customer = "Иванов",
                               const std::string& phone = "", const std::string& address = "",
                               int64_t savedAt = 1700000000, const std::string& bytes = "sketch") {
    OrderRecord r;
    r.card.orderNumber = number;
    r.card.customerName = customer;
    r.card.phone = phone;
    r.card.address = address;
    r.card.orderDate = savedAt;
    r.card.readyDate = savedAt + 14 * 86400;
    r.itemsTotal = 1000000;
    r.grandTotal = 950000;
    r.discountPercent = 5.0;
    r.system = "Далвекс";
    r.handleProfile = "DX01";
    r.color = "Белый глянец";
    r.width = 32000;
    r.height = 25000;
    r.doorCount = 4;
    r.filePath = "/home/dealer/" + number + ".dlx";
    r.fileBytes = bytes;
    r.savedAt = savedAt;
    return r;
}

class JournalTest : public ::testing::Test {
protected:
    void SetUp() override { reopen(); }

    void reopen() {
        journal_.reset();
        auto opened = SqliteJournal::open(file());
        ASSERT_TRUE(opened) << opened.status().message;
        journal_ = std::move(opened.value());
    }
    std::filesystem::path file() const { return folder_ / "journal.sqlite"; }
    void record(const OrderRecord& r) {
        const JournalStatus status = journal_->record(r);
        ASSERT_TRUE(status) << status.message;
    }
    // The numbers a query finds, in the order the journal gives them.
    std::vector<int64_t> found(const JournalQuery& query) {
        const auto rows = journal_->find(query);
        EXPECT_TRUE(rows) << rows.status().message;
        std::vector<int64_t> numbers;
        if (rows)
            for (const OrderSummary& o : *rows)
                numbers.push_back(o.number);
        return numbers;
    }
    std::vector<int64_t> found(const std::string& text) { return found(textQuery(text)); }

    TempFolder folder_{"dalvex-journal"};
    std::unique_ptr<SqliteJournal> journal_;
};

} // namespace dalvex::journal::testing
