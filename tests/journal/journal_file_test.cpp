// The journal file over its life: made new, brought up from an older layout, refused when newer or damaged,
// backed up and checked, and the saves it could not take recorded at the next start.
#include "journal_session.h"
#include "journal_test_support.h"
#include "pending_records.h"
#include "sqlite_db.h"
#include "sqlite_schema.h"

#include "io/whole_file.h"

#include <filesystem>

namespace dalvex::journal {
namespace {

namespace fs = std::filesystem;
using testing::orderRecord;
using testing::TempFolder;

std::string bytesOf(const fs::path& file) {
    std::string bytes;
    readWholeFile(file, bytes, 64u << 20);
    return bytes;
}

int64_t userVersion(const fs::path& file) {
    SqliteDb db;
    EXPECT_FALSE(db.open(file, SqliteDb::Mode::ReadOnly, 1000));
    return db.queryInteger("PRAGMA user_version").value_or(-1);
}

TEST(JournalFile, AVersionOneJournalIsBackedUpThenBroughtUpToDate) {
    TempFolder folder;
    const fs::path file = folder / "journal.sqlite";
    fs::copy_file(fs::path(DALVEX_SOURCE_DIR) / "tests" / "data" / "journal-v1.sqlite", file);

    auto opened = SqliteJournal::open(file);
    ASSERT_TRUE(opened) << opened.status().message;
    Journal& journal = *opened.value();
    EXPECT_EQ(userVersion(file), kSqliteJournalVersion);
    const fs::path backup = folder / "journal.sqlite.v1-backup";
    EXPECT_EQ(userVersion(backup), 1);
    {
        SqliteDb copy;
        ASSERT_FALSE(copy.open(backup, SqliteDb::Mode::ReadOnly, 1000));
        EXPECT_EQ(copy.queryInteger("SELECT count(*) FROM versions").value_or(0), 4);
    }

    // What version 1 held is all there.
    const auto ivanov = journal.order(41);
    ASSERT_TRUE(ivanov) << ivanov.status().message;
    EXPECT_EQ(ivanov->summary.customer, "Иванов Пётр Сергеевич");
    EXPECT_EQ(ivanov->summary.status, OrderStatus::Ordered);
    EXPECT_EQ(ivanov->summary.paid, 0);
    EXPECT_EQ(ivanov->versions.size(), 2u);
    EXPECT_EQ(ivanov->statuses.size(), 2u);
    EXPECT_EQ(journal.versionBytes(41, 0).value(), std::string("\x02\x00\xff", 3));
    // And the search and payments of later versions work on it, the phones indexed anew by their runs.
    const struct {
        const char* typed;
        int64_t number;
    } searches[] = {{"иван", 41}, {"8912345", 41}, {"елкин", 42}, {"+7 (343) 210", 42}, {"smith", 43},
                    {"67-89", 41}, {"0011", 42}};
    for (const auto& s : searches) {
        const auto rows = journal.find(textQuery(s.typed));
        ASSERT_TRUE(rows);
        ASSERT_EQ(rows->size(), 1u) << s.typed;
        EXPECT_EQ(rows->front().number, s.number) << s.typed;
    }
    EXPECT_TRUE(journal.addPayment(41, {100000, 1700000300, "Предоплата", {}}, 0));
    EXPECT_TRUE(journal.check().value().empty());
}

TEST(JournalFile, ANewerJournalIsRefusedAndLeftAsItWas) {
    TempFolder folder;
    const fs::path file = folder / "journal.sqlite";
    {
        SqliteDb db;
        ASSERT_FALSE(db.open(file, SqliteDb::Mode::ReadWriteCreate, 1000));
        ASSERT_FALSE(db.exec("CREATE TABLE orders (number INTEGER PRIMARY KEY); PRAGMA user_version = " +
                             std::to_string(kSqliteJournalVersion + 1)));
    }
    const std::string before = bytesOf(file);
    EXPECT_EQ(SqliteJournal::open(file).status().code, JournalErrc::Newer);

    JournalSession session(file, folder.path());
    EXPECT_FALSE(session.on());
    EXPECT_NE(session.offMessage().find(file.string()), std::string::npos) << session.offMessage();
    EXPECT_NE(session.offMessage().find("более новой версией"), std::string::npos);
    EXPECT_EQ(bytesOf(file), before);
    EXPECT_FALSE(fs::exists(folder / "journal.sqlite-wal"));
}

TEST(JournalFile, WhatIsNotAJournalIsRefusedAsDamaged) {
    const struct {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"garbage", std::string(8192, '\x5a')},
        {"a cut header", "SQLite format 3"},
        {"an empty file", ""},
        {"one byte", "S"},
    };
    for (const auto& c : cases) {
        TempFolder folder;
        const fs::path file = folder.writeBytes("journal.sqlite", c.bytes);
        const auto refused = SqliteJournal::open(file);
        EXPECT_EQ(refused.status().code, JournalErrc::Damaged) << c.what;
        EXPECT_NE(refused.status().message.find(file.string()), std::string::npos) << refused.status().message;
        EXPECT_EQ(bytesOf(file), c.bytes) << c.what;
    }
    TempFolder folder;
    const fs::path other = folder / "other.sqlite";
    {
        SqliteDb db;
        ASSERT_FALSE(db.open(other, SqliteDb::Mode::ReadWriteCreate, 1000));
        ASSERT_FALSE(db.exec("CREATE TABLE photos (id INTEGER)"));
    }
    EXPECT_EQ(SqliteJournal::open(other).status().code, JournalErrc::Damaged);
}

TEST(JournalFile, ADamagedJournalIsSwitchedOffAndItsSavesWaitForTheNextStart) {
    TempFolder folder;
    const fs::path file = folder.writeBytes("journal.sqlite", std::string(4096, '\x01'));
    {
        JournalSession session(file, folder.path());
        EXPECT_FALSE(session.on());
        EXPECT_NE(session.offMessage().find(file.string()), std::string::npos);
        EXPECT_NE(session.offMessage().find("повреждён"), std::string::npos);
        const auto outcome = session.record(orderRecord("00005", "Новиков"));
        EXPECT_EQ(outcome, JournalSession::Recorded::Later);
        // Said once in a run.
        EXPECT_TRUE(session.takeRecordMessage(outcome).has_value());
        EXPECT_FALSE(session.takeRecordMessage(outcome).has_value());
        EXPECT_EQ(session.record(orderRecord("00006", "Орлов")), JournalSession::Recorded::Later);
        // Numbers come from the counter file meanwhile.
        const OrderNumberClaim claim = session.claim(folder.path(), "00001", "00001");
        EXPECT_EQ(claim.number, "00001");
    }
    // The dealer puts the damaged file aside; the next start makes a new journal and records both saves.
    fs::rename(file, folder / "journal-damaged.sqlite");
    JournalSession next(file, folder.path());
    ASSERT_TRUE(next.on()) << next.offMessage();
    EXPECT_EQ(next.recordedAtStart(), 2);
    EXPECT_EQ(next.journal()->count({}).value(), 2);
    EXPECT_EQ(next.journal()->order(5).value().summary.customer, "Новиков");
    EXPECT_TRUE(PendingRecords(file).files().empty());
    // The counter file and the journal agree on the next number: past 6 and past the claimed 1.
    EXPECT_EQ(nextOrderNumber(folder.path()), "00007");
}

TEST(JournalFile, BackupIsAWholeJournalAndCheckFindsDamage) {
    TempFolder folder;
    const fs::path file = folder / "journal.sqlite";
    {
        auto opened = SqliteJournal::open(file);
        ASSERT_TRUE(opened);
        for (int n = 1; n <= 200; ++n)
            ASSERT_TRUE(opened.value()->record(orderRecord(std::to_string(n), "Заказчик " + std::to_string(n),
                                                           "", "", 1700000000 + n, std::string(3000, 'b'))));
        ASSERT_TRUE(opened.value()->backup(folder / "copy.sqlite"));
        EXPECT_TRUE(opened.value()->check().value().empty());
    }
    auto copy = SqliteJournal::open(folder / "copy.sqlite");
    ASSERT_TRUE(copy) << copy.status().message;
    EXPECT_EQ(copy.value()->count({}).value(), 200);
    EXPECT_EQ(copy.value()->find(textQuery("заказчик 150")).value().size(), 1u);

    // Pages in the middle of the file overwritten: the check says so (or the journal is refused as damaged).
    std::string bytes = bytesOf(folder / "copy.sqlite");
    copy = SqliteJournal::open(file); // the copy closed
    for (std::size_t at = bytes.size() / 3; at < bytes.size() / 3 + 40000 && at < bytes.size(); ++at)
        bytes[at] = '\x77';
    const fs::path damaged = folder.writeBytes("damaged.sqlite", bytes);
    // Caught at open, in the user's words.
    const auto refused = SqliteJournal::open(damaged);
    EXPECT_EQ(refused.status().code, JournalErrc::Damaged);
    EXPECT_NE(refused.status().message.find("повреждён"), std::string::npos) << refused.status().message;
    EXPECT_EQ(bytesOf(damaged), bytes);
}

// Damage the quick check at open does not see (an index that no longer matches its table): the check finds
// it, and a backup of it is refused rather than made.
TEST(JournalFile, ADamagedJournalIsNotBackedUp) {
    TempFolder folder;
    const fs::path file = folder / "journal.sqlite";
    {
        auto opened = SqliteJournal::open(file);
        ASSERT_TRUE(opened);
        for (int n = 1; n <= 20; ++n)
            ASSERT_TRUE(opened.value()->record(orderRecord(std::to_string(n), "Заказчик", "", "", 1700000000 + n)));
    }
    {
        SqliteDb db;
        ASSERT_FALSE(db.open(file, SqliteDb::Mode::ReadWrite, 1000));
        ASSERT_FALSE(db.exec("PRAGMA writable_schema = ON; UPDATE sqlite_schema SET sql = "
                             "'CREATE INDEX orders_by_date ON orders(ready_date)' WHERE name = 'orders_by_date'"));
    }
    auto opened = SqliteJournal::open(file);
    ASSERT_TRUE(opened) << opened.status().message;
    EXPECT_FALSE(opened.value()->check().value().empty());
    EXPECT_FALSE(opened.value()->backup(folder / "copy.sqlite"));
    EXPECT_FALSE(fs::exists(folder / "copy.sqlite"));
}

} // namespace
} // namespace dalvex::journal
