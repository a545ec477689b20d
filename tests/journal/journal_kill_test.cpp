// `dalvex-cli save OUT --record` killed (kill -9) at random instants of the whole save, then started once
// more: every file that was written is in the journal exactly once, and no save whose file was never written
// is.
#include "journal_test_support.h"

#include "io/utf8_path.h"

#include <cstdlib>
#include <map>
#include <random>

#if !defined(_WIN32)
#include <csignal>
#include <ctime>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace dalvex::journal {
namespace {

namespace fs = std::filesystem;

#if !defined(_WIN32) && defined(DALVEX_CLI)

struct Kills {
    testing::Backend backend;
    int kills;
};

// Starts dalvex-cli saving `out` into the journal; its pid.
pid_t startSave(const fs::path& out, const std::string& journal) {
    const pid_t child = ::fork();
    if (child == 0) {
        const std::string file = pathToUtf8(out);
        ::execl(DALVEX_CLI, DALVEX_CLI, "save", file.c_str(), "--system", "Зеркан", "--doors", "2", "--journal",
                journal.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    return child;
}

int waitExit(pid_t child) {
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

long long nowMicros() {
    timespec t{};
    ::clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<long long>(t.tv_sec) * 1000000 + t.tv_nsec / 1000;
}

class JournalKills : public ::testing::TestWithParam<Kills> {};

TEST_P(JournalKills, EveryWrittenFileIsRecordedOnce) {
    testing::TempFolder folder;
    std::string journal = pathToUtf8(folder / "journal.sqlite");
    if (GetParam().backend == testing::Backend::Server) {
        DALVEX_NEED_SERVER(conninfo);
        journal = conninfo;
    }
    // The server's queue lives in the user's data folder: this test's own.
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    const std::string savedDataHome = dataHome ? dataHome : "";
    ::setenv("XDG_DATA_HOME", pathToUtf8(folder / "data").c_str(), 1);

    // One whole save measures the span the kills fall in.
    const long long start = nowMicros();
    ASSERT_EQ(waitExit(startSave(folder / "whole.dlx", journal)), 0);
    const long long span = std::max(1LL, nowMicros() - start);

    std::mt19937 random(20240611);
    std::vector<fs::path> outs;
    for (int i = 0; i < GetParam().kills; ++i) {
        outs.push_back(folder / ("out-" + std::to_string(i) + ".dlx"));
        const pid_t child = startSave(outs.back(), journal);
        ::usleep(static_cast<useconds_t>(std::uniform_int_distribution<long long>(0, span)(random)));
        ::kill(child, SIGKILL);
        waitExit(child);
    }
    // The next start of a program that records.
    ASSERT_EQ(waitExit(startSave(folder / "after.dlx", journal)), 0);
    if (dataHome)
        ::setenv("XDG_DATA_HOME", savedDataHome.c_str(), 1);
    else
        ::unsetenv("XDG_DATA_HOME");

    auto opened = testing::openJournal(GetParam().backend, folder / "journal.sqlite", GetParam().backend ==
                                           testing::Backend::Server ? journal : std::string());
    ASSERT_TRUE(opened) << opened.status().message;
    std::map<std::string, int> versions; // file path -> versions recorded for it
    const auto orders = opened.value()->find({});
    ASSERT_TRUE(orders);
    for (const OrderSummary& o : *orders) {
        const auto details = opened.value()->order(o.number);
        ASSERT_TRUE(details);
        for (const VersionInfo& v : details->versions)
            ++versions[v.filePath];
    }
    int written = 0;
    std::error_code ec;
    for (const fs::path& out : outs) {
        const int recorded = versions[pathToUtf8(out)];
        if (fs::exists(out, ec)) {
            ++written;
            EXPECT_EQ(recorded, 1) << pathToUtf8(out) << " was written";
        } else {
            EXPECT_EQ(recorded, 0) << pathToUtf8(out) << " was never written";
        }
    }
    EXPECT_EQ(versions[pathToUtf8(folder / "after.dlx")], 1);
    // The kills fell across the whole save: some before its file, some after.
    EXPECT_GT(written, 0);
    EXPECT_LT(written, GetParam().kills);
}

INSTANTIATE_TEST_SUITE_P(Backends, JournalKills,
                         ::testing::Values(Kills{testing::Backend::Sqlite, 110}, Kills{testing::Backend::Server, 100}),
                         [](const auto& kills) {
                             return kills.param.backend == testing::Backend::Sqlite ? "Sqlite" : "PostgreSql";
                         });

#endif

} // namespace
} // namespace dalvex::journal
