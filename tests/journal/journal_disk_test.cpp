// A journal on a file system that is full or read-only: the save is written all the same, told with the
// reason in the user's words, kept in the next place that takes it, and recorded once the file system mends.
#include "journal_test_support.h"

#include "io/utf8_path.h"
#include "io/whole_file.h"

#include <cstdlib>

namespace dalvex::journal {
namespace {

#if !defined(_WIN32) && defined(DALVEX_CLI)

struct Spoiled {
    const char* name;
    const char* spoil; // shell lines that spoil the journal's file system J
    const char* mend;  // and mend it again
    const char* told;  // what the save says
};

const Spoiled kSpoiled[] = {
    {"Full", "head -c 4M /dev/zero > \"$J/filler\" 2>/dev/null || true", "rm -f \"$J/filler\"", "диск заполнен"},
    {"ReadOnly", "mount --bind \"$J\" \"$J\" && mount -o remount,bind,ro \"$J\"", "umount \"$J\"",
     "только для чтения"},
};

class JournalDisk : public ::testing::TestWithParam<Spoiled> {};

TEST_P(JournalDisk, ASaveOnASpoiledDiskIsToldAndRecordedLater) {
    if (std::system("unshare -m true 2>/dev/null") != 0) GTEST_SKIP() << "no mount namespace on this machine";
    testing::TempFolder folder;
    const Spoiled& s = GetParam();
    // The journal on a small file system of its own (gone with the namespace); the saves and the user's
    // data folder outside it.
    const std::string script =
        "set -e; J='" + pathToUtf8(folder / "j") + "'; O='" + pathToUtf8(folder.path()) +
        "'; mkdir -p \"$J\"; mount -t tmpfs -o size=1m tmpfs \"$J\"; export XDG_DATA_HOME=\"$O/data\"; "
        "save() { '" DALVEX_CLI "' save \"$O/$1.dlx\" --order-number \"$2\" --journal \"$J/journal.sqlite\"; }; "
        "save first 1; " + s.spoil + "; save second 2 2> \"$O/second.txt\"; " + s.mend +
        "; save third 3; '" DALVEX_CLI "' journal list --journal \"$J/journal.sqlite\" > \"$O/list.json\"";
    ASSERT_EQ(std::system(("unshare -m sh -c \"$(cat <<'EOF'\n" + script + "\nEOF\n)\"").c_str()), 0) << script;

    std::string told, list;
    ASSERT_TRUE(readWholeFile(folder / "second.txt", told, 1 << 20));
    ASSERT_TRUE(readWholeFile(folder / "list.json", list, 1 << 20));
    EXPECT_NE(told.find(s.told), std::string::npos) << told;
    EXPECT_EQ(told.find("disk I/O error"), std::string::npos) << told;
    EXPECT_NE(told.find(pathToUtf8(folder / "data")), std::string::npos) << "where the save waits: " << told;
    EXPECT_NE(list.find("\"orderNumber\":\"2\""), std::string::npos) << list;
    EXPECT_NE(list.find("\"orderNumber\":\"3\""), std::string::npos) << list;
}

INSTANTIATE_TEST_SUITE_P(Disks, JournalDisk, ::testing::ValuesIn(kSpoiled),
                         [](const auto& spoiled) { return std::string(spoiled.param.name); });

#endif

} // namespace
} // namespace dalvex::journal
