#include "io/atomic_file.h"
#include "io/executable_folder.h"
#include "io/whole_file.h"
#include "temp_folder.h"

#include "bounded_run.h"
#include "node_skips.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#if !defined(_WIN32)
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>
#include <sys/stat.h>
#endif

namespace dalvex {
namespace {

namespace fs = std::filesystem;

class FileIo : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() / ("dalvex-file-io-" + std::to_string(std::random_device{}()));
        fs::create_directories(folder_);
    }
    void TearDown() override {
        std::error_code ec;
        fs::permissions(folder_, fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(folder_, ec);
    }
    std::size_t entryCount() const {
        return static_cast<std::size_t>(
            std::distance(fs::directory_iterator(folder_), fs::directory_iterator()));
    }

    fs::path folder_;
};

TEST_F(FileIo, WritesNewFileAndReadsItBack) {
    const std::string bytes("binary\0\r\n\xFF data", 16);
    const fs::path path = folder_ / "new.dlx";
    ASSERT_TRUE(writeFileAtomically(path, bytes));
    std::string back = "stale";
    ASSERT_TRUE(readWholeFile(path, back, 64u << 20));
    EXPECT_EQ(back, bytes);
    EXPECT_EQ(entryCount(), 1u); // no temporary left beside it
}

TEST_F(FileIo, ReplacesExistingFileWhole) {
    const fs::path path = folder_ / "number.txt";
    ASSERT_TRUE(writeFileAtomically(path, std::string(100000, 'x')));
    ASSERT_TRUE(writeFileAtomically(path, "42"));
    std::string back;
    ASSERT_TRUE(readWholeFile(path, back, 64u << 20));
    EXPECT_EQ(back, "42");
    ASSERT_TRUE(writeFileAtomically(path, ""));
    ASSERT_TRUE(readWholeFile(path, back, 64u << 20));
    EXPECT_EQ(back, "");
    EXPECT_EQ(entryCount(), 1u);
}

TEST_F(FileIo, FailsIntoMissingFolderLeavingNothing) {
    const fs::path path = folder_ / "missing" / "file.txt";
    EXPECT_FALSE(writeFileAtomically(path, "data"));
    EXPECT_FALSE(fs::exists(folder_ / "missing"));
    EXPECT_EQ(entryCount(), 0u);
}

TEST_F(FileIo, FailureLeavesOldFileUntouched) {
    // A directory cannot be replaced by a file.
    const fs::path dir = folder_ / "target";
    fs::create_directories(dir / "inside");
    EXPECT_FALSE(writeFileAtomically(dir, "data"));
    EXPECT_TRUE(fs::is_directory(dir / "inside"));
    EXPECT_EQ(entryCount(), 1u);

    // A name so long that the temporary name beside it is refused by the file system.
    const fs::path longName = folder_ / std::string(250, 'n');
    std::ofstream(longName) << "old";
    EXPECT_FALSE(writeFileAtomically(longName, "new"));
    std::string old;
    ASSERT_TRUE(readWholeFile(longName, old, 64u << 20));
    EXPECT_EQ(old, "old");
    EXPECT_EQ(entryCount(), 2u);

    // A folder the temporary file cannot be created in.
    const fs::path locked = folder_ / "locked";
    fs::create_directories(locked);
    const fs::path path = locked / "order.csv";
    ASSERT_TRUE(writeFileAtomically(path, "old"));
    fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_exec);
    std::ofstream probe(locked / "probe");
    const bool writable = probe.good(); // running as root ignores the permission bits
    probe.close();
    if (!writable) {
        EXPECT_FALSE(writeFileAtomically(path, "new"));
        std::string back;
        ASSERT_TRUE(readWholeFile(path, back, 64u << 20));
        EXPECT_EQ(back, "old");
    }
    fs::permissions(locked, fs::perms::owner_all, fs::perm_options::add);
    std::error_code ec;
    fs::remove(locked / "probe", ec);
    EXPECT_EQ(std::distance(fs::directory_iterator(locked), fs::directory_iterator()), 1);
}

std::vector<std::string> namesIn(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST_F(FileIo, SaveRemovesOnlyTheStaleTemporariesOfItsTarget) {
    DALVEX_SKIP_UNDER_NODE("other processes");
    // No process runs under this id on Linux (ids stay below 2^22) or on Windows (ids are multiples of 4).
    const std::string dead = "2147483646";
    const std::string self = std::to_string(testing::processId());
    const struct {
        std::string name;
        bool kept;
    } cases[] = {
        {".order.dlx.tmp-" + dead + "-0", false},  // left by a killed save of this target
        {".order.dlx.tmp-" + dead + "-17", false}, //
        {".order.dlx.tmp-" + self + "-999", true}, // this process may be saving it in another thread
        {".other.dlx.tmp-" + dead + "-0", true},   // another target's
        {".order.dlx.tmp-x" + dead + "-0", true},  // not a name the writer makes
        {".order.dlx.tmp-" + dead, true},          //
        {"order.dlx.tmp-" + dead + "-0", true},    //
        {".order.dlx.tmp-99999999999-0", true},    // no process id
    };
    std::vector<std::string> expected = {"order.dlx"};
    for (const auto& c : cases) {
        std::ofstream(folder_ / c.name) << "partial";
        if (c.kept) expected.push_back(c.name);
    }
    std::sort(expected.begin(), expected.end());
    ASSERT_TRUE(writeFileAtomically(folder_ / "order.dlx", "new"));
    EXPECT_EQ(namesIn(folder_), expected);
}

#if !defined(_WIN32)
TEST_F(FileIo, NextSaveCleansUpAfterAKilledSave) {
    DALVEX_SKIP_UNDER_NODE("child processes");
    const fs::path path = folder_ / "order.dlx";
    ASSERT_TRUE(writeFileAtomically(path, "old"));
    // A save killed while it writes leaves its temporary file; a few tries in case one finishes first.
    bool killedMidway = false;
    for (int attempt = 0; attempt < 5 && !killedMidway; ++attempt) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            writeFileAtomically(path, std::string(std::size_t{128} << 20, 'x'));
            ::_exit(0);
        }
        int status = 0;
        bool started = false;
        while (!started && ::waitpid(child, &status, WNOHANG) == 0) {
            std::error_code ec;
            for (const auto& entry : fs::directory_iterator(folder_))
                started = started || (entry.path() != path && fs::file_size(entry.path(), ec) > 0 && !ec);
        }
        if (!started) continue; // it ended before it was seen writing
        ::kill(child, SIGKILL);
        ::waitpid(child, &status, 0);
        killedMidway = WIFSIGNALED(status) && namesIn(folder_).size() == 2;
    }
    ASSERT_TRUE(killedMidway);
    std::string back;
    ASSERT_TRUE(readWholeFile(path, back, 64u << 20));
    EXPECT_EQ(back, "old");
    ASSERT_TRUE(writeFileAtomically(path, "new"));
    EXPECT_EQ(namesIn(folder_), std::vector<std::string>{"order.dlx"});
}
#endif

TEST_F(FileIo, SaveThroughALinkReplacesTheFileItPointsTo) {
    const fs::path real = folder_ / "orders" / "real.dlx";
    fs::create_directories(real.parent_path());
    ASSERT_TRUE(writeFileAtomically(real, "old"));
    std::error_code ec;
    fs::create_symlink(fs::path("orders") / "real.dlx", folder_ / "link.dlx", ec); // relative to the link
    if (ec) GTEST_SKIP() << "no symbolic links here: " << ec.message();
    fs::create_symlink(folder_ / "link.dlx", folder_ / "chain.dlx"); // a link to a link
    for (const char* through : {"link.dlx", "chain.dlx"}) {
        ASSERT_TRUE(writeFileAtomically(folder_ / through, through));
        EXPECT_TRUE(fs::is_symlink(folder_ / "link.dlx"));
        EXPECT_TRUE(fs::is_symlink(folder_ / "chain.dlx"));
        std::string back;
        ASSERT_TRUE(readWholeFile(real, back, 64u << 20));
        EXPECT_EQ(back, through);
    }
    EXPECT_EQ(namesIn(real.parent_path()), std::vector<std::string>{"real.dlx"});
    // A dangling link gets the file it names.
    fs::create_symlink("new.dlx", folder_ / "dangling.dlx");
    ASSERT_TRUE(writeFileAtomically(folder_ / "dangling.dlx", "made"));
    EXPECT_TRUE(fs::is_symlink(folder_ / "dangling.dlx"));
    EXPECT_TRUE(fs::is_regular_file(folder_ / "new.dlx"));
}

TEST_F(FileIo, ReadingMissingFileOrFolderFails) {
    std::string bytes = "stale";
    EXPECT_FALSE(readWholeFile(folder_ / "absent.csv", bytes, 64u << 20));
    EXPECT_TRUE(bytes.empty());
    bytes = "stale";
    EXPECT_FALSE(readWholeFile(folder_, bytes, 64u << 20));
    EXPECT_TRUE(bytes.empty());
}

#if !defined(_WIN32)
// Only a regular file within the caller's limit is read; nothing else may hang or grow without end.
TEST_F(FileIo, ReadsOnlyRegularFilesWithinTheLimit) {
    DALVEX_SKIP_UNDER_NODE("child processes (a FIFO is read in one)");
    constexpr std::uint64_t limit = 1000;
    const fs::path fifo = folder_ / "fifo.csv";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    fs::create_symlink(fifo, folder_ / "to-fifo.csv");
    fs::create_symlink("/dev/zero", folder_ / "zero.csv");
    const fs::path atLimit = folder_ / "at-limit.csv";
    std::ofstream(atLimit).put('x');
    fs::resize_file(atLimit, limit);
    fs::create_symlink(atLimit, folder_ / "to-file.csv");
    const fs::path overLimit = folder_ / "over-limit.csv";
    std::ofstream(overLimit).put('x');
    fs::resize_file(overLimit, limit + 1);
    using testing::Bounded;
    const struct {
        const char* name;
        bool regular;
        Bounded read;
    } cases[] = {
        {"fifo.csv", false, Bounded::kFalse},   {"to-fifo.csv", false, Bounded::kFalse},
        {"zero.csv", false, Bounded::kFalse},   {"over-limit.csv", true, Bounded::kFalse},
        {"at-limit.csv", true, Bounded::kTrue}, {"to-file.csv", true, Bounded::kTrue},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path path = folder_ / c.name;
        EXPECT_EQ(testing::runBounded([&] {
                      std::string bytes;
                      return readWholeFile(path, bytes, limit);
                  }),
                  c.read);
        EXPECT_EQ(regularFileSize(path).has_value(), c.regular);
    }
}
#endif

TEST(FileIoFolder, ExecutableFolderHoldsTheTests) {
    DALVEX_SKIP_UNDER_NODE("/proc/self/exe naming this program");
    const fs::path folder = executableFolder();
    EXPECT_TRUE(fs::is_directory(folder));
    EXPECT_TRUE(fs::equivalent(folder, fs::path(DALVEX_BINARY_DIR)));
}

} // namespace
} // namespace dalvex
