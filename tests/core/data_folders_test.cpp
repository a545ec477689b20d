// Where the program finds its data: beside the executable first, else the installed share folder; the
// order counter moved to the user's folder without losing what the user changed there; and no file of the
// data folders that is not a plain file stopping the programs.
#include "catalogue/catalogue.h"
#include "cutting/cutting_settings.h"
#include "io/data_folders.h"
#include "io/utf8_path.h"
#include "io/whole_file.h"
#include "orders/order_numbers.h"
#include "orders/shop_files.h"
#include "project/project.h"
#include "temp_folder.h"

#include "bounded_run.h"
#include "node_skips.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#if !defined(_WIN32)
#include <sys/stat.h>
#endif

namespace dalvex {
namespace {

namespace fs = std::filesystem;
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

#if !defined(_WIN32)
// The names the programs read or make in the data folders: every file of the sample data (the first picture
// of each picture folder standing for the rest) and the files the programs make in config/ themselves.
std::vector<std::string> namesUsed(const fs::path& data) {
    std::vector<std::string> names = {"config/number.txt", "config/number.txt.lock", "config/cutting.txt",
                                      "config/.dalvex-write-probe"};
    std::set<fs::path> pictureFolders;
    std::vector<fs::path> files;
    for (const auto& entry : fs::recursive_directory_iterator(data))
        if (entry.is_regular_file()) files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    for (const fs::path& file : files) {
        const std::string name = pathToUtf8(fs::relative(file, data));
        const bool picture = name.find("/images/") != std::string::npos;
        if (picture && !pictureFolders.insert(file.parent_path()).second) continue;
        if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
    }
    return names;
}

// What the desktop program and dalvex-cli do with the data folders: start (the config folder, the catalogue,
// the order counter, the cutting settings), take an order number and give it back, read what the reports
// print. A price list among them that is no plain file is named in the warnings, and only then.
bool runAsThePrograms(const fs::path& data, const fs::path& userConfig, const fs::path& replaced) {
    const fs::path config = writableConfigFolder(data / "config", userConfig);
    Catalogue catalogue(data);
    Project project(catalogue, config);
    project.cutting = loadCuttingSettings(config).settings;
    releaseOrderNumber(config,
                       claimOrderNumber(config, project.orderCard.orderNumber, project.offeredOrderNumber));
    shopLogoBytes(config);
    shopInfoText(config);
    const std::vector<std::string>& warnings = catalogue.priceListWarnings();
    const bool named = std::any_of(warnings.begin(), warnings.end(), [&](const std::string& warning) {
        return warning.find(pathToUtf8(replaced)) != std::string::npos;
    });
    return named == (replaced.parent_path() == data / "profiles");
}

bool isCharacterDevice(const fs::path& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISCHR(st.st_mode);
}

// Every file name the programs use, put in turn as a FIFO and as a link to /dev/zero: nothing may wait for a
// writer, read a device without end, or write through the entry.
TEST(DataFolders, NoFileThatIsNoPlainFileStopsThePrograms) {
    DALVEX_SKIP_UNDER_NODE("child processes (FIFOs are read in them)");
    TempFolder root;
    const fs::path data = root.makeFolder("data");
    for (const char* folder : {"profiles", "materials", "config"})
        fs::copy(fs::path(DALVEX_BINARY_DIR) / folder, data / folder, fs::copy_options::recursive);
    const std::vector<std::string> names = namesUsed(data);
    ASSERT_GE(names.size(), 15u);
    for (const std::string& name : names) {
        const fs::path path = data / pathFromUtf8(name);
        const fs::path kept = root / "kept";
        const bool existed = fs::exists(path);
        if (existed) fs::rename(path, kept);
        for (const bool fifo : {true, false}) {
            SCOPED_TRACE(name + (fifo ? " as a FIFO" : " as a link to /dev/zero"));
            if (fifo)
                ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
            else
                fs::create_symlink("/dev/zero", path);
            EXPECT_EQ(testing::runBounded([&] { return runAsThePrograms(data, root / "user/config", path); }),
                      testing::Bounded::kTrue);
            EXPECT_EQ(fs::symlink_status(path).type(), fifo ? fs::file_type::fifo : fs::file_type::symlink);
            fs::remove(path);
        }
        if (existed) fs::rename(kept, path);
    }
    EXPECT_TRUE(isCharacterDevice("/dev/zero"));
}
#endif

} // namespace
} // namespace dalvex
