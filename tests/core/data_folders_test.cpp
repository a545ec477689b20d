// Where the program finds its data: beside the executable first, else the installed share folder; and the
// order counter moved to the user's folder without losing what the user changed there.
#include "io/data_folders.h"
#include "io/whole_file.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

namespace dalvex {
namespace {

using testing::TempFolder;

TEST(DataFolders, BesideTheExecutableFirstElseTheInstalledShareFolder) {
    TempFolder root;
    const auto bin = root.makeFolder("bin");
    EXPECT_EQ(dataFolderFor(bin), bin); // nothing anywhere: the program's folder, as before
    root.makeFolder("share/dalvex/profiles");
    EXPECT_EQ(dataFolderFor(bin), root / "share/dalvex");
    root.makeFolder("bin/profiles");
    EXPECT_EQ(dataFolderFor(bin), bin); // a portable copy wins
}

TEST(DataFolders, TheUserFolderIsSeededWithoutOverwriting) {
    TempFolder root;
    root.writeBytes("installed/number.txt", "17");
    root.writeBytes("installed/info.txt", "installed shop");
    root.writeBytes("user/config/info.txt", "my shop");
    EXPECT_EQ(writableConfigFolder(root / "installed", root / "user/config"), root / "installed");
    EXPECT_EQ(seededConfigFolder(root / "installed", root / "user/config"), root / "user/config");
    std::string number, info;
    ASSERT_TRUE(readWholeFile(root / "user/config/number.txt", number, 64u << 20));
    ASSERT_TRUE(readWholeFile(root / "user/config/info.txt", info, 64u << 20));
    EXPECT_EQ(number, "17");
    EXPECT_EQ(info, "my shop");
}

TEST(DataFolders, AnInstalledProgramKeepsItsConfigInTheUserFolderEvenWhereItCouldWrite) {
    TempFolder root;
    root.writeBytes("share/dalvex/config/number.txt", "17");
    root.writeBytes("bin/config/number.txt", "5");
    const auto bin = root / "bin";
    const auto user = root / "user/config";
    const struct {
        std::filesystem::path data;
        std::filesystem::path config;
    } cases[] = {
        {root / "share/dalvex", user},          // installed: the installer's files stay as installed
        {bin, bin / "config"},                  // a portable copy keeps its own counter
        {root / "elsewhere", user},             // --data naming a folder without config/
    };
    for (const auto& c : cases) EXPECT_EQ(configFolderFor(bin, c.data, user), c.config) << c.data;
    std::string number;
    ASSERT_TRUE(readWholeFile(user / "number.txt", number, 64u << 20));
    EXPECT_EQ(number, "17");
}

} // namespace
} // namespace dalvex
