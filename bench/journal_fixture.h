#pragma once
// The journal the benchmarks measure, on either back end: 100,000 made-up orders with their file bytes, made
// once (a minute or so for the file, a few for the server) and reused by later runs. The file lives in the
// build folder; the server is a throwaway one of scripts/pg_test_server.sh on a Unix socket, kept with its data
// between runs (stopped, not removed, when the benchmarks end). Both are measured by the same code.
#include "journal_server.h"
#include "sample_journal.h"
#include "sqlite_journal.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

namespace dalvex::bench {

inline constexpr int kLargeJournalOrders = 100000;

enum class Backend { Sqlite, Server };

inline const char* backendName(Backend backend) {
    return backend == Backend::Sqlite ? "SQLite" : "PostgreSQL";
}

namespace detail {

inline std::filesystem::path benchFolder() {
    return std::filesystem::path(DALVEX_BINARY_DIR).parent_path();
}

// The throwaway server while the benchmarks run.
class BenchServer {
public:
    // Its connection string; empty (with `problem` set) when no server could be started.
    const std::string& conninfo(std::string& problem) {
        if (conninfo_.empty() && problem_.empty()) start();
        problem = problem_;
        return conninfo_;
    }
    // Started anew, without the journal of an earlier run.
    bool restart() {
        conninfo_.clear();
        problem_.clear();
        if (script("start") != 0) problem_ = "scripts/pg_test_server.sh start failed";
        else readConninfo();
        return problem_.empty();
    }
    ~BenchServer() {
        if (!conninfo_.empty()) script("pause");
    }

private:
    void start() {
        // The server of the last run with its journal, else a new one.
        if (script("resume") == 0) readConninfo();
        if (conninfo_.empty()) restart();
    }
    int script(const char* command) const {
        const std::string line = std::string("'" DALVEX_SOURCE_DIR "/scripts/pg_test_server.sh' ") + command + " '" +
                                 (benchFolder() / "bench-journal-server.txt").string() + "' >/dev/null 2>&1";
        return std::system(line.c_str());
    }
    void readConninfo() {
#if defined(_WIN32)
        problem_ = "no throwaway server on Windows";
#else
        const std::string line = std::string("'" DALVEX_SOURCE_DIR "/scripts/pg_test_server.sh' conninfo '") +
                                 (benchFolder() / "bench-journal-server.txt").string() + "'";
        FILE* out = ::popen(line.c_str(), "r");
        char text[1024] = {};
        const bool read = out && std::fgets(text, sizeof text, out);
        if (out) ::pclose(out);
        conninfo_ = read ? std::string(text) : std::string();
        while (!conninfo_.empty() && conninfo_.back() == '\n')
            conninfo_.pop_back();
        if (conninfo_.empty()) problem_ = "the throwaway server gives no connection string";
#endif
    }

    std::string conninfo_;
    std::string problem_;
};

inline BenchServer& benchServer() {
    static BenchServer server;
    return server;
}

inline std::filesystem::path sqliteFile() {
    return benchFolder() / "bench-journal" / "journal-100k.sqlite";
}

inline journal::Outcome<std::unique_ptr<journal::Journal>> open(Backend backend, const std::string& server) {
    if (backend == Backend::Server) return journal::openServerJournal(server);
    auto opened = journal::SqliteJournal::open(sqliteFile());
    if (!opened) return opened.status();
    return std::unique_ptr<journal::Journal>(std::move(opened.value()));
}

inline journal::JournalStatus failed(const std::string& problem) {
    return {journal::JournalErrc::Failed, problem};
}

} // namespace detail

// A desk on the journal of `backend` (each call a connection or file handle of its own), filled first when it
// does not hold the 100,000 orders yet.
inline journal::Outcome<std::unique_ptr<journal::Journal>> openLargeJournal(Backend backend,
                                                                           const std::string& sketchBytes) {
    std::string server;
    if (backend == Backend::Server) {
        if (!journal::serverJournalsBuilt()) return detail::failed("this build has no PostgreSQL journal");
        std::string problem;
        server = detail::benchServer().conninfo(problem);
        if (server.empty()) return detail::failed(problem);
        journal::migrateServerJournal(server, {}); // a new server's tables; nothing on one that has them
    }
    {
        auto opened = detail::open(backend, server);
        if (!opened) return opened;
        const auto count = opened.value()->count({});
        if (count && *count >= kLargeJournalOrders) return opened;
    }
    // Made anew: a journal an earlier run left unfinished would hold other numbers.
    if (backend == Backend::Server) {
        std::string problem;
        if (!detail::benchServer().restart()) return detail::failed("the throwaway server did not start");
        server = detail::benchServer().conninfo(problem);
        if (journal::JournalStatus s = journal::migrateServerJournal(server, {}); !s) return s;
    } else {
        std::error_code ec;
        std::filesystem::remove_all(detail::benchFolder() / "bench-journal", ec);
    }
    auto made = detail::open(backend, server);
    if (!made) return made;
    if (journal::JournalStatus s = sample::fillSampleJournal(*made.value(), kLargeJournalOrders, sketchBytes); !s)
        return s;
    return made;
}

// The SQLite file of openLargeJournal(); empty (with `problem` set) when it cannot be made.
inline std::filesystem::path largeJournal(const std::string& sketchBytes, std::string& problem) {
    const auto opened = openLargeJournal(Backend::Sqlite, sketchBytes);
    if (!opened) problem = opened.status().message;
    return opened ? detail::sqliteFile() : std::filesystem::path();
}

} // namespace dalvex::bench
