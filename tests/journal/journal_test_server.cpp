// The throwaway server the test run started, and a schema of its own for each test.
#include "journal_server.h"
#include "journal_test_support.h"
#if DALVEX_JOURNAL_SERVER
#include "pg_db.h"
#endif

#include "io/utf8_path.h"
#include "io/whole_file.h"

#include <atomic>
#include <cstdlib>

#if !defined(_WIN32)
#include <unistd.h>
#endif

namespace dalvex::journal::testing {

std::string serverConninfo() {
    const char* state = std::getenv("DALVEX_TEST_PG_STATE");
    if (!state || !*state || !serverJournalsBuilt()) return {};
    std::string folder;
    if (!readWholeFile(pathFromUtf8(state), folder, 4096)) return {};
    while (!folder.empty() && (folder.back() == '\n' || folder.back() == '\r'))
        folder.pop_back();
    return "host=" + folder + " user=dalvex_admin dbname=postgres";
}

std::string serverSql(const std::string& conninfo, const std::string& sql) {
#if DALVEX_JOURNAL_SERVER
    PgDb db;
    if (PgError e = db.connect(conninfo, 10)) return e.message;
    return db.script(sql).message;
#else
    (void)conninfo;
    (void)sql;
    return "no PostgreSQL in this build";
#endif
}

std::string freshServerJournal() {
    const std::string admin = serverConninfo();
    if (admin.empty()) return {};
    static std::atomic<int> made{0};
#if defined(_WIN32)
    const long long pid = 0;
#else
    const long long pid = ::getpid();
#endif
    const std::string schema = "t" + std::to_string(pid) + "_" + std::to_string(made++);
    const std::string conninfo = admin + " options='-c search_path=" + schema + "'";
    // The schema anew: a test that ran before under the same name left its tables.
    const std::string problem = serverSql(admin, "DROP SCHEMA IF EXISTS " + schema + " CASCADE; CREATE SCHEMA " + schema);
    EXPECT_EQ(problem, "");
    const JournalStatus migrated = migrateServerJournal(conninfo, {});
    EXPECT_TRUE(migrated) << migrated.message;
    return conninfo;
}

Outcome<std::unique_ptr<Journal>> openJournal(Backend backend, const std::filesystem::path& file,
                                             const std::string& server) {
    if (backend == Backend::Server) return openServerJournal(server);
    auto opened = SqliteJournal::open(file);
    if (!opened) return opened.status();
    return std::unique_ptr<Journal>(std::move(opened.value()));
}

} // namespace dalvex::journal::testing
