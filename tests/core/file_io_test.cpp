#include "io/atomic_file.h"
#include "io/executable_folder.h"
#include "io/whole_file.h"

#include "bounded_run.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include <sys/stat.h>

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

TEST_F(FileIo, ReadingMissingFileOrFolderFails) {
    std::string bytes = "stale";
    EXPECT_FALSE(readWholeFile(folder_ / "absent.csv", bytes, 64u << 20));
    EXPECT_TRUE(bytes.empty());
    bytes = "stale";
    EXPECT_FALSE(readWholeFile(folder_, bytes, 64u << 20));
    EXPECT_TRUE(bytes.empty());
}

// Only a regular file within the caller's limit is read; nothing else may hang or grow without end.
TEST_F(FileIo, ReadsOnlyRegularFilesWithinTheLimit) {
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

TEST(FileIoFolder, ExecutableFolderHoldsTheTests) {
    const fs::path folder = executableFolder();
    EXPECT_TRUE(fs::is_directory(folder));
    EXPECT_TRUE(fs::equivalent(folder, fs::path(DALVEX_BINARY_DIR)));
}

} // namespace
} // namespace dalvex
