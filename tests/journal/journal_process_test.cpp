// Several programs at once on one journal: numbers are never taken twice, and a program killed while
// recording loses nothing it had committed.
#include "journal_session.h"
#include "journal_test_support.h"
#include "self_process.h"

#include "io/utf8_path.h"
#include "io/whole_file.h"
#include "text/format.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

#if !defined(_WIN32)
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace dalvex::journal {
namespace {

namespace fs = std::filesystem;
using testing::orderRecord;
using testing::TempFolder;

constexpr const char* kFolderVariable = "DALVEX_TEST_JOURNAL_FOLDER";
constexpr const char* kServerVariable = "DALVEX_TEST_JOURNAL_SERVER";
constexpr const char* kTakesVariable = "DALVEX_TEST_JOURNAL_TAKES";

// Desks taking numbers at once: an SQLite file shared by programs on one computer, and a shop's four desks
// on one server recording 250 orders each.
struct Desks {
    testing::Backend backend;
    int processes;
    int takesPerProcess;
};

JournalTarget targetOf(const fs::path& folder, const std::string& server) {
    return server.empty() ? JournalTarget{folder / "journal.sqlite", {}, {}}
                          : JournalTarget{{}, server, folder / ("queue-" + std::to_string(dalvex::testing::processId()) + ".sqlite")};
}

// One of the programs of the test below: this binary started again. Run alone it has nothing to do.
TEST(JournalNumbersProcess, TakesAndSavesNumbers) {
    const char* folderText = std::getenv(kFolderVariable);
    if (!folderText || !*folderText)
        GTEST_SKIP() << "started by JournalNumbers.ProgramsNeverTakeTheSameNumber";
    const fs::path folder = pathFromUtf8(folderText);
    const char* server = std::getenv(kServerVariable);
    JournalSession session(targetOf(folder, server ? server : ""), folder);
    ASSERT_TRUE(session.on()) << session.offMessage();
    std::string taken;
    // Each take is a program that offered the next number on a new card, then saves and records the order.
    const int takes = std::atoi(std::getenv(kTakesVariable));
    for (int i = 0; i < takes; ++i) {
        const std::string offered = nextOrderNumber(folder);
        const OrderNumberClaim claim = session.claim(folder, offered, offered);
        ASSERT_EQ(session.record(orderRecord(claim.number)), JournalSession::Recorded::Now);
        taken += claim.number + "\n";
    }
    std::ofstream(folder / ("taken-" + std::to_string(dalvex::testing::processId()) + ".txt"),
                  std::ios::binary)
        << taken;
}

class JournalNumbers : public ::testing::TestWithParam<Desks> {};

TEST_P(JournalNumbers, ProgramsNeverTakeTheSameNumber) {
    const Desks desks = GetParam();
    TempFolder folder;
    std::string server;
    if (desks.backend == testing::Backend::Server) {
        server = testing::freshServerJournal();
        if (server.empty()) GTEST_SKIP() << "no PostgreSQL server for this run (ctest starts one)";
    }
    // The journal is made before the programs start, as a dealer's is.
    ASSERT_TRUE(JournalSession(targetOf(folder.path(), server), folder.path()).on());
    dalvex::testing::setChildVariable(kFolderVariable, folder.path());
    dalvex::testing::setChildVariable(kServerVariable, pathFromUtf8(server));
    dalvex::testing::setChildVariable(kTakesVariable, pathFromUtf8(std::to_string(desks.takesPerProcess)));
    std::vector<dalvex::testing::ChildProcess> programs;
    for (int i = 0; i < desks.processes; ++i)
        programs.push_back(dalvex::testing::startTests("dalvex_journal_tests", "JournalNumbersProcess.*"));
    for (const char* variable : {kFolderVariable, kServerVariable, kTakesVariable})
        dalvex::testing::setChildVariable(variable, {});
    for (auto p : programs) {
        ASSERT_NE(p, dalvex::testing::kNoProcess);
        EXPECT_EQ(dalvex::testing::waitFor(p), 0);
    }

    std::set<std::string> numbers;
    std::size_t takes = 0;
    for (const auto& entry : fs::directory_iterator(folder.path())) {
        if (entry.path().filename().string().rfind("taken-", 0) != 0) continue;
        std::string text;
        ASSERT_TRUE(readWholeFile(entry.path(), text, 1u << 20));
        std::istringstream lines(text);
        for (std::string line; std::getline(lines, line); ++takes)
            numbers.insert(line);
    }
    const int all = desks.processes * desks.takesPerProcess;
    EXPECT_EQ(takes, std::size_t(all));
    EXPECT_EQ(numbers.size(), takes) << "a number taken twice";
    auto journal = testing::openJournal(desks.backend, folder / "journal.sqlite", server);
    ASSERT_TRUE(journal);
    EXPECT_EQ(journal.value()->count({}).value(), all);
    EXPECT_EQ(nextOrderNumber(folder.path()), dalvex::format("%05d", all + 1));
}

INSTANTIATE_TEST_SUITE_P(Backends, JournalNumbers,
                         ::testing::Values(Desks{testing::Backend::Sqlite, 3, 40},
                                           Desks{testing::Backend::Server, 4, 250}),
                         [](const auto& desks) {
                             return desks.param.backend == testing::Backend::Sqlite ? "Sqlite" : "PostgreSql";
                         });

#if !defined(_WIN32)
// A program killed (kill -9) in the middle of recording: every order it had been told was recorded is in
// the journal afterwards, and the journal is whole.
TEST(JournalDurability, AKilledProgramLosesNothingCommitted) {
    TempFolder folder;
    const fs::path file = folder / "journal.sqlite";
    ASSERT_TRUE(SqliteJournal::open(file));
    int committed[2];
    ASSERT_EQ(::pipe(committed), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(committed[0]);
        auto opened = SqliteJournal::open(file);
        if (!opened) ::_exit(2);
        for (int32_t n = 1;; ++n) {
            if (!opened.value()->record(
                    orderRecord(std::to_string(n), "Заказчик", "", "", n, std::string(20000, 'x'))))
                ::_exit(3);
            if (::write(committed[1], &n, sizeof n) != sizeof n) ::_exit(4);
        }
    }
    ::close(committed[1]);
    int32_t last = 0;
    int32_t n = 0;
    while (last < 40 && ::read(committed[0], &n, sizeof n) == sizeof n)
        last = n;
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    // What the pipe still holds was committed too.
    while (::read(committed[0], &n, sizeof n) == sizeof n)
        last = n;
    ::close(committed[0]);
    ASSERT_TRUE(WIFSIGNALED(status));
    ASSERT_GE(last, 40);

    auto opened = SqliteJournal::open(file);
    ASSERT_TRUE(opened) << opened.status().message;
    for (int32_t k = 1; k <= last; ++k)
        ASSERT_TRUE(opened.value()->order(k)) << "order " << k << " of " << last << " lost";
    EXPECT_GE(opened.value()->count({}).value(), last);
    EXPECT_TRUE(opened.value()->check().value().empty());
}
#endif

} // namespace
} // namespace dalvex::journal
