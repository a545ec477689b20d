// What only a journal on a server has: its layout made by `journal migrate` and refused when newer, a desks'
// role that may use the tables and nothing more, the desk's SQLite journal copied up, the same search answers
// as SQLite's on the same orders, and the program working on while the server is away.
#include "journal_server.h"
#include "journal_session.h"
#include "journal_test_support.h"
#include "pg_schema.h"

#include "io/utf8_path.h"
#include "io/whole_file.h"

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <random>

namespace dalvex::journal {
namespace {

namespace fs = std::filesystem;
using testing::orderRecord;
using testing::TempFolder;

TEST(JournalServer, TheLayoutIsMadeByMigrateAndANewerOneIsRefusedUnchanged) {
    DALVEX_NEED_SERVER(conninfo);
    // Migrating again changes nothing and keeps what is recorded.
    {
        auto j = openServerJournal(conninfo);
        ASSERT_TRUE(j) << j.status().message;
        ASSERT_TRUE(j.value()->record(orderRecord("00001")));
    }
    ASSERT_TRUE(migrateServerJournal(conninfo, {}));
    EXPECT_EQ(openServerJournal(conninfo).value()->count({}).value(), 1);

    // A schema without the tables: a desk is told to run migrate, and nothing is made.
    const std::string empty = conninfo.substr(0, conninfo.find(" options=")) + " options='-c search_path=nothing_here'";
    ASSERT_EQ(testing::serverSql(testing::serverConninfo(), "DROP SCHEMA IF EXISTS nothing_here CASCADE; "
                                                            "CREATE SCHEMA nothing_here"),
              "");
    const auto refused = openServerJournal(empty);
    EXPECT_EQ(refused.status().code, JournalErrc::CannotOpen);
    EXPECT_NE(refused.status().message.find("journal migrate"), std::string::npos) << refused.status().message;

    // A layout of a newer program: refused, by desks and by migrate alike, and left as it is.
    ASSERT_EQ(testing::serverSql(conninfo, "UPDATE journal_layout SET version = 99"), "");
    EXPECT_EQ(openServerJournal(conninfo).status().code, JournalErrc::Newer);
    EXPECT_FALSE(migrateServerJournal(conninfo, {}));
    ASSERT_EQ(testing::serverSql(conninfo, "UPDATE journal_layout SET version = " + std::to_string(kPgJournalVersion)),
              "");
    EXPECT_EQ(openServerJournal(conninfo).value()->count({}).value(), 1);
}

// As docs/journal-server.md sets a server up: the tables made by an owner who is no superuser, a desks' role
// whose name is SQL itself (never run), and a desk logging in as its own role, a member of it. The desk reads
// the tables and changes them through the journal's functions alone, and each change names the desk; plain
// SQL that would rewrite history, and the functions called with what the program never sends, are refused.
TEST(JournalServer, ADeskChangesTheJournalThroughItsFunctionsAlone) {
    DALVEX_NEED_SERVER(made);
    const std::size_t from = made.find("search_path=") + 12;
    const std::string schema = made.substr(from, made.rfind('\'') - from);
    const std::string owner = "owner_" + schema;
    const std::string role = "desk \"" + schema + "\"; DROP TABLE orders; --";
    const std::string quotedRole = "\"desk \"\"" + schema + "\"\"; DROP TABLE orders; --\"";
    const std::string member = "desk1_" + schema;
    ASSERT_EQ(testing::serverSql(testing::serverConninfo(),
                                 "DROP SCHEMA " + schema + " CASCADE; DROP ROLE IF EXISTS " + member +
                                     "; DROP ROLE IF EXISTS " + owner + "; DROP ROLE IF EXISTS " + quotedRole +
                                     "; CREATE ROLE " + owner + " LOGIN; CREATE SCHEMA " + schema + " AUTHORIZATION " +
                                     owner + "; CREATE ROLE " + quotedRole + "; GRANT USAGE ON SCHEMA " + schema +
                                     " TO " + quotedRole + "; CREATE ROLE " + member + " LOGIN IN ROLE " + quotedRole),
              "");
    const auto as = [&](const std::string& user) {
        std::string conninfo = made;
        return conninfo.replace(conninfo.find("user=dalvex_admin"), 17, "user='" + user + "'");
    };
    EXPECT_FALSE(migrateServerJournal(as(owner), "nobody\"; DROP TABLE orders; --"));
    ASSERT_TRUE(migrateServerJournal(as(owner), role));
    const std::string desk = as(member);

    auto j = openServerJournal(desk);
    ASSERT_TRUE(j) << j.status().message;
    ASSERT_TRUE(j.value()->record(orderRecord("00007", "'); DROP TABLE orders; --")));
    ASSERT_TRUE(j.value()->setStatus(7, OrderStatus::Ordered, 2, 0));
    ASSERT_TRUE(j.value()->addPayment(7, {100, 3, "Предоплата", {}}, 0));
    EXPECT_EQ(j.value()->find(textQuery("drop table")).value().size(), 1u);
    const OrderDetails before = j.value()->order(7).value();
    ASSERT_EQ(before.versions.size(), 1u);
    EXPECT_EQ(before.versions[0].desk, member);
    EXPECT_EQ(before.statuses.back().desk, member);
    EXPECT_EQ(before.payments[0].desk, member);

    for (const char* attack : {
             "UPDATE orders SET customer = 'Сбой 61'::bytea",
             "UPDATE orders SET grand_total = 1",
             "UPDATE orders SET paid = 1000000",
             "UPDATE orders SET search = ''",
             "INSERT INTO versions (number, saved_at, file_path, grand_total, bytes) VALUES (7, 9, '', 1, '\\x00')",
             "INSERT INTO payments (number, amount, paid_on, note) VALUES (7, 5, 1, '')",
             "UPDATE status_changes SET status = 4",
             "UPDATE counter SET next_number = 1",
             "DELETE FROM versions",
             "TRUNCATE payments",
             "BEGIN; LOCK TABLE orders IN ACCESS EXCLUSIVE MODE",
             "SELECT * FROM orders FOR UPDATE",
             "SELECT journal_add_payment(7, -100, 1, '')",
             "SELECT journal_add_payment(7, 10000000000, 1, '')",
             "CREATE TABLE extra (id integer)",
             "ALTER TABLE orders ADD COLUMN x int",
             "UPDATE journal_layout SET version = 2",
         })
        EXPECT_NE(testing::serverSql(desk, attack), "") << attack;
    // The counter goes back for an unused claim only, never past a number saved.
    EXPECT_EQ(testing::serverSql(desk, "SELECT journal_release_number(1, next_number) FROM counter"), "");
    EXPECT_FALSE(migrateServerJournal(desk, {})); // the layout is the owner's alone

    const OrderDetails after = j.value()->order(7).value();
    EXPECT_EQ(after.summary.customer, before.summary.customer);
    EXPECT_EQ(after.summary.grandTotal, before.summary.grandTotal);
    EXPECT_EQ(after.summary.paid, 100);
    EXPECT_EQ(after.versions.size(), 1u);
    EXPECT_EQ(after.statuses.size(), before.statuses.size());
    EXPECT_TRUE(j.value()->check().value().empty());
    TempFolder config;
    EXPECT_EQ(j.value()->claimNumber(config.path(), "00001", "00001").value().number, "00008");
}

TEST(JournalServer, ADesksJournalIsCopiedUpOnce) {
    DALVEX_NEED_SERVER(conninfo);
    TempFolder folder;
    auto desk = SqliteJournal::open(folder / "journal.sqlite");
    ASSERT_TRUE(desk);
    Journal& from = *desk.value();
    ASSERT_TRUE(from.record(orderRecord("00003", "Павлова", "8 912 000-11-22", "", 1000, std::string("v1\0x", 4))));
    ASSERT_TRUE(from.record(orderRecord("00003", "Павлова Ольга", "8 912 000-11-22", "", 2000, "v2")));
    ASSERT_TRUE(from.record(orderRecord("00004", "Никитин", "", "", 1500)));
    ASSERT_TRUE(from.setStatus(3, OrderStatus::InProduction, 2500, 0));
    ASSERT_TRUE(from.addPayment(3, {300000, 2600, "Предоплата", {}}, 0));
    ASSERT_TRUE(from.addPayment(3, {300000, 2600, "Предоплата", {}}, 0)); // the same twice: both are kept

    for (int run = 0; run < 2; ++run) {
        const auto copied = copyToServer(from, conninfo);
        ASSERT_TRUE(copied) << copied.status().message;
        EXPECT_EQ(copied->orders, 2);
    }
    auto server = openServerJournal(conninfo);
    ASSERT_TRUE(server);
    const auto d = server.value()->order(3);
    ASSERT_TRUE(d) << d.status().message;
    EXPECT_EQ(d->summary.customer, "Павлова Ольга");
    EXPECT_EQ(d->summary.status, OrderStatus::InProduction);
    EXPECT_EQ(d->summary.paid, 600000);
    EXPECT_EQ(d->versions.size(), 2u);
    EXPECT_EQ(d->statuses.size(), 2u);
    EXPECT_EQ(d->payments.size(), 2u);
    EXPECT_EQ(server.value()->versionBytes(3, d->versions[0].id).value(), std::string("v1\0x", 4));
    EXPECT_EQ(server.value()->count({}).value(), 2);
    EXPECT_EQ(server.value()->find(textQuery("912 000")).value().size(), 1u);
    EXPECT_TRUE(server.value()->check().value().empty());
    // The server's numbers go on past the copied orders.
    TempFolder config;
    EXPECT_EQ(server.value()->claimNumber(config.path(), "00001", "00001").value().number, "00005");
}

// The same orders and the same typed texts give the same answers on both back ends: made-up cards of
// Russian and Latin words, phones and numbers written every which way, and texts cut from them.
TEST(JournalServer, BothBackEndsFindTheSameOrders) {
    DALVEX_NEED_SERVER(conninfo);
    TempFolder folder;
    auto sqlite = SqliteJournal::open(folder / "journal.sqlite");
    auto server = openServerJournal(conninfo);
    ASSERT_TRUE(sqlite && server);
    const char* words[] = {"Иванов", "иванова", "ЁЛКИН", "Семён", "Пётр", "Smith", "O'Brien", "ул.", "Ленина",
                           "пр-т", "Мира", "д.5", "кв.12", "Екатеринбург", "«Уют»", "№7", "Анна-Мария", "N12",
                           "Строителей", "ёж", "Ежов", "Ъ", "x"};
    const char* phones[] = {"8 (912) 345-67-89", "+7 912 345 67 89", "89120000000", "2101122", "+7(343)210-00-11; 8 900 1"};
    std::mt19937 random(29);
    const auto pick = [&](auto& list) { return std::string(list[random() % std::size(list)]); };
    std::vector<std::string> typed;
    for (int n = 1; n <= 150; ++n) {
        const std::string customer = pick(words) + " " + pick(words);
        const std::string address = pick(words) + ", " + pick(words) + " " + std::to_string(random() % 200);
        const std::string phone = pick(phones);
        char number[16];
        std::snprintf(number, sizeof number, "%05d", n);
        OrderRecord r = orderRecord(number, customer, phone, address, 1000 + n);
        ASSERT_TRUE(sqlite.value()->record(r));
        ASSERT_TRUE(server.value()->record(r));
        typed.push_back(customer.substr(0, 1 + random() % customer.size()));
        typed.push_back(address.substr(random() % 4, 3 + random() % 6));
        typed.push_back(phone.substr(0, 2 + random() % 8));
    }
    for (const char* t : {"1", "00", "012", "8", "+7", "7 9", "ё", "е", "иван петр", "мария", "brien", "o'b", "'",
                          "d.5", "д 5", "№", "уют", "\"", "*", "ъ"})
        typed.emplace_back(t);
    const auto numbers = [](Journal& j, const std::string& text) {
        const auto rows = j.find(textQuery(text));
        EXPECT_TRUE(rows) << rows.status().message;
        std::vector<int64_t> found;
        if (rows)
            for (const OrderSummary& o : *rows)
                found.push_back(o.number);
        return found;
    };
    for (const std::string& t : typed)
        EXPECT_EQ(numbers(*sqlite.value(), t), numbers(*server.value(), t)) << "«" << t << "»";
}

// A build without the server back end (the Windows one) asked for a server journal: the program works on
// without the journal, saying why in words a dealer reads, and the save waits in the desk's queue.
TEST(JournalServer, ABuildWithoutItRefusesAServerJournalAndSaysWhy) {
    if (serverJournalsBuilt()) GTEST_SKIP() << "this build has the server back end";
    TempFolder folder;
    JournalSession session(JournalTarget{{}, "postgresql://desk@server/dalvex", folder / "journal-queue.sqlite"},
                           folder.path());
    EXPECT_FALSE(session.on());
    EXPECT_FALSE(session.offline());
    EXPECT_NE(session.offMessage().find("только в файле SQLite"), std::string::npos) << session.offMessage();
    EXPECT_EQ(session.record(orderRecord("00001")), JournalSession::Recorded::Later);
    EXPECT_FALSE(migrateServerJournal("postgresql://desk@server/dalvex", {}));
}

// The server stopped in the middle of a run of saves and started again: every save is recorded once.
TEST(JournalServer, SavesMadeWhileTheServerIsAwayAreSentOnceItAnswers) {
    if (!serverJournalsBuilt() || !std::getenv("DALVEX_TEST_PG_STATE")) GTEST_SKIP() << "no PostgreSQL here";
    TempFolder folder;
    // A server of its own: the run's one serves the other tests meanwhile.
    const std::string script = DALVEX_PG_SCRIPT;
    const std::string state = pathToUtf8(folder / "server.txt");
    const auto server = [&](const char* command) { return std::system((script + " " + command + " '" + state + "'").c_str()); };
    ASSERT_EQ(server("start"), 0);
    struct Stop {
        std::function<int(const char*)> server;
        ~Stop() { server("stop"); }
    } stop{server};
    std::string dir;
    ASSERT_TRUE(readWholeFile(pathFromUtf8(state), dir, 4096));
    const std::string conninfo = "host=" + dir.substr(0, dir.find('\n')) + " user=dalvex_admin dbname=postgres";
    ASSERT_TRUE(migrateServerJournal(conninfo, {}));

    JournalSession session(JournalTarget{{}, conninfo, folder / "queue" / "journal-queue.sqlite"}, folder.path());
    ASSERT_TRUE(session.on()) << session.offMessage();
    int now = 0;
    int later = 0;
    for (int n = 1; n <= 45; ++n) {
        if (n == 16) {
            ASSERT_EQ(server("pause"), 0);
        }
        if (n == 31) {
            ASSERT_EQ(server("resume"), 0);
        }
        const auto outcome = session.record(orderRecord(std::to_string(n), "Заказчик", "", "", 1000 + n));
        ASSERT_NE(outcome, JournalSession::Recorded::Never) << n;
        (outcome == JournalSession::Recorded::Now ? now : later)++;
        if (n == 16) {
            EXPECT_TRUE(session.offline());
            const auto message = session.takeRecordMessage(outcome);
            ASSERT_TRUE(message);
            EXPECT_NE(message->find("работает без связи"), std::string::npos) << *message;
        }
    }
    EXPECT_EQ(later, 15);
    EXPECT_EQ(now, 30);
    EXPECT_FALSE(session.offline());
    EXPECT_EQ(session.recordedAtStart(), 15); // sent at the first save after the server came back
    EXPECT_EQ(LocalSaveQueue(folder / "queue" / "journal-queue.sqlite").waiting(), 0);

    auto j = openServerJournal(conninfo);
    ASSERT_TRUE(j);
    EXPECT_EQ(j.value()->count({}).value(), 45);
    for (int n = 1; n <= 45; ++n)
        EXPECT_EQ(j.value()->order(n).value().versions.size(), 1u) << n;
}

} // namespace
} // namespace dalvex::journal
