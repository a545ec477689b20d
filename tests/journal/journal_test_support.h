#pragma once
// A journal of its own for each test, on either back end: an SQLite file in a temporary folder, or a schema
// of its own on the throwaway PostgreSQL server the test run started (scripts/pg_test_server.sh, named by
// DALVEX_TEST_PG_STATE); and orders to record in it.
#include "journal_server.h"
#include "journal_types.h"
#include "sqlite_journal.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>
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

enum class Backend { Sqlite, Server };

inline std::string backendName(const ::testing::TestParamInfo<Backend>& info) {
    return info.param == Backend::Sqlite ? "Sqlite" : "PostgreSql";
}

// The throwaway server's connection string for a schema of its own (made empty here), with the journal's
// tables made in it; empty (and the test skipped or failed) without a server.
std::string freshServerJournal();
// The server's connection string as its superuser, without a schema of its own; empty without a server.
std::string serverConninfo();
// Runs SQL on the server as `conninfo` says: empty, or the server's message.
std::string serverSql(const std::string& conninfo, const std::string& sql);
// Opens a journal of `backend`: the file, or the server's schema.
Outcome<std::unique_ptr<Journal>> openJournal(Backend backend, const std::filesystem::path& file,
                                             const std::string& server);

class JournalTest : public ::testing::TestWithParam<Backend> {
protected:
    void SetUp() override {
        if (GetParam() == Backend::Server) {
            server_ = freshServerJournal();
            // The test run names its server; a test binary started by hand may have none.
            if (server_.empty() && std::getenv("DALVEX_TEST_PG_STATE") && serverJournalsBuilt())
                FAIL() << "the test server named by DALVEX_TEST_PG_STATE is not there";
            if (server_.empty()) GTEST_SKIP() << "no PostgreSQL server for this run (ctest starts one)";
        }
        reopen();
    }

    void reopen() {
        journal_.reset();
        auto opened = openJournal(GetParam(), file(), server_);
        ASSERT_TRUE(opened) << opened.status().message;
        journal_ = std::move(opened.value());
    }
    // A second desk on the same journal.
    std::unique_ptr<Journal> secondDesk() {
        auto opened = openJournal(GetParam(), file(), server_);
        EXPECT_TRUE(opened) << opened.status().message;
        return opened ? std::move(opened.value()) : nullptr;
    }
    std::filesystem::path file() const { return folder_ / "journal.sqlite"; }
    int64_t record(const OrderRecord& r) {
        const Outcome<int64_t> version = journal_->record(r);
        EXPECT_TRUE(version) << version.status().message;
        return version ? *version : 0;
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
    std::string server_;
    std::unique_ptr<Journal> journal_;
};

#define DALVEX_BOTH_BACKENDS(suite)                                                                           \
    INSTANTIATE_TEST_SUITE_P(Backends, suite,                                                                 \
                             ::testing::Values(::dalvex::journal::testing::Backend::Sqlite,                   \
                                               ::dalvex::journal::testing::Backend::Server),                  \
                             ::dalvex::journal::testing::backendName)

} // namespace dalvex::journal::testing
