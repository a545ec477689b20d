#include "io/utf8_path.h"
#include "records/material_library.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace dalvex {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;

const char* const kHeader = "Код;Изображение;Цена;Название;Длина;Ширина;Толщина\n";

// A collection folder under materials/ with the given list and picture files.
MaterialCollection makeCollection(const TempFolder& folder, const std::string& name, const std::string& list,
                                  const std::vector<std::string>& pictures) {
    const std::string base = "materials/" + name;
    folder.makeFolder(base + "/images");
    for (const std::string& picture : pictures)
        folder.writeBytes(base + "/images/" + picture, "pic");
    MaterialCollection collection;
    collection.name = name;
    collection.listPath = pathToUtf8(folder.writeText(base + "/price.csv", list));
    return collection;
}

std::vector<std::string> keysOf(const MaterialCollection& collection) {
    std::vector<std::string> keys;
    for (const Material& m : collection.materials)
        keys.push_back(m.key());
    return keys;
}

TEST(MaterialLibraryTest, ScanKeepsFoldersWithListAndPicturesSortedByName) {
    TempFolder folder;
    makeCollection(folder, "Зеркала", kHeader, {});
    makeCollection(folder, "ДСП", kHeader, {});
    makeCollection(folder, "Alpha", kHeader, {});
    folder.writeText("materials/NoPictures/price.csv", kHeader);
    folder.makeFolder("materials/NoList/images");
    folder.writeText("materials/loose.csv", kHeader);
    folder.makeFolder("materials/ImagesIsFile");
    folder.writeText("materials/ImagesIsFile/price.csv", kHeader);
    folder.writeBytes("materials/ImagesIsFile/images", "x");

    const std::vector<MaterialCollection> collections = scanCollections(folder / "materials");
    std::vector<std::string> names;
    for (const MaterialCollection& c : collections)
        names.push_back(c.name);
    // Byte order of the UTF-8 names: Latin before Cyrillic, Д before З.
    EXPECT_EQ(names, (std::vector<std::string>{"Alpha", "ДСП", "Зеркала"}));
    EXPECT_EQ(pathFromUtf8(collections[0].listPath), folder / "materials/Alpha/price.csv");
    EXPECT_EQ(pathFromUtf8(collections[0].picturesFolder), folder / "materials/Alpha/images");

    EXPECT_TRUE(scanCollections(folder / "no such folder").empty());
    EXPECT_TRUE(scanCollections(folder / "materials/loose.csv").empty());
}

TEST(MaterialLibraryTest, LoadResultCodes) {
    TempFolder folder;
    struct Case {
        const char* label;
        std::string list;
        int result;
    };
    const std::vector<Case> cases = {
        {"header only", kHeader, 0},
        {"empty", "", 2},
        {"no line end", "Код;Изображение;Цена", 2},
        {"no code column", "Изображение;Цена\nx.jpg;1\n", 3},
        {"no picture column", "Код;Цена\nA;1\n", 3},
        {"no price column", "Код;Изображение\nA;x.jpg\n", 3},
        {"optional columns missing", "Цена;Изображение;Код\n5;a.jpg;A\n", 0},
    };
    for (const Case& c : cases) {
        MaterialCollection collection = makeCollection(folder, "c", c.list, {"a.jpg"});
        collection.materials.resize(3); // load starts afresh
        EXPECT_EQ(collection.load(), c.result) << c.label;
        EXPECT_EQ(collection.materials.size(), c.result == 0 && c.list != kHeader ? 1u : 0u) << c.label;
    }
    MaterialCollection missing;
    missing.listPath = pathToUtf8(folder / "materials/none/price.csv");
    EXPECT_EQ(missing.load(), 1);
    EXPECT_TRUE(missing.materials.empty());
}

TEST(MaterialLibraryTest, ReadsFieldsOfALine) {
    TempFolder folder;
    MaterialCollection collection =
        makeCollection(folder, "Стекло",
                       std::string(kHeader) + "G-1;a.jpg;1234,99;Стекло матовое;2800,9;1200.5;3,5\n"
                                              "G-2;b.png; 99.99 ;;;;\n"
                                              "G-3;c.bmp;-5;;abc;-7;x\n",
                       {"a.jpg", "b.png", "c.bmp"});
    ASSERT_EQ(collection.load(), 0);
    ASSERT_EQ(collection.materials.size(), 3u);
    const Material& a = collection.materials[0];
    EXPECT_EQ(a.collection, "Стекло");
    EXPECT_EQ(a.code, "G-1");
    EXPECT_EQ(a.name, "Стекло матовое");
    EXPECT_EQ(a.pricePerSquareMetre, 123400); // whole roubles only
    EXPECT_EQ(a.thickness, 30);               // whole millimetres only
    EXPECT_EQ(a.length, 2800);
    EXPECT_EQ(a.width, 1200);
    EXPECT_EQ(pathFromUtf8(a.picturePath), pathFromUtf8(collection.picturesFolder) / "a.jpg");
    EXPECT_FALSE(a.fromFolder);
    EXPECT_EQ(collection.materials[1].pricePerSquareMetre, 9900);
    EXPECT_EQ(collection.materials[1].thickness, 0);
    EXPECT_EQ(collection.materials[2].pricePerSquareMetre, -500);
    EXPECT_EQ(collection.materials[2].length, 0);
    EXPECT_EQ(collection.materials[2].width, -7);
    EXPECT_EQ(collection.picturePaths(), (std::vector<std::string>{collection.materials[0].picturePath,
                                                                   collection.materials[1].picturePath,
                                                                   collection.materials[2].picturePath}));
}

TEST(MaterialLibraryTest, GrainColumnSaysYesNoOrNothing) {
    TempFolder folder;
    MaterialCollection collection = makeCollection(
        folder, "ЛДСП",
        "Код;Изображение;Цена;Текстура\n"
        "A;a.jpg;1;да\nB;a.jpg;1; Нет \nC;a.jpg;1;вдоль\nD;a.jpg;1;\nE;a.jpg;1;может быть\nF;a.jpg;1;0\n",
        {"a.jpg"});
    ASSERT_EQ(collection.load(), 0);
    const std::vector<std::optional<bool>> expected{true, false, true, std::nullopt, std::nullopt, false};
    ASSERT_EQ(collection.materials.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(collection.materials[i].grain, expected[i]) << collection.materials[i].code;
    // Without the column the shop's rule decides.
    MaterialCollection plain =
        makeCollection(folder, "П", std::string(kHeader) + "A;a.jpg;1;;;;\n", {"a.jpg"});
    ASSERT_EQ(plain.load(), 0);
    EXPECT_EQ(plain.materials.front().grain, std::nullopt);
}

TEST(MaterialLibraryTest, HugeNumbersSaturate) {
    TempFolder folder;
    MaterialCollection collection = makeCollection(
        folder, "c", std::string(kHeader) + "A;a.jpg;1e30;;99999999999;-99999999999;-1e300\n", {"a.jpg"});
    ASSERT_EQ(collection.load(), 0);
    ASSERT_EQ(collection.materials.size(), 1u);
    EXPECT_EQ(collection.materials[0].pricePerSquareMetre, INT32_MAX);
    EXPECT_EQ(collection.materials[0].length, INT32_MAX);
    EXPECT_EQ(collection.materials[0].width, INT32_MIN);
    EXPECT_EQ(collection.materials[0].thickness, INT32_MIN);
}

TEST(MaterialLibraryTest, SkipsUnusableLines) {
    TempFolder folder;
    MaterialCollection collection =
        makeCollection(folder, "c",
                       std::string(kHeader) + "ok1;good.jpg;1\n"
                                              ";good.jpg;1\n"
                                              "no picture;;1\n"
                                              "capitals;upper.JPG;1\n"
                                              "jpeg;photo.jpeg;1\n"
                                              "leading dot;.jpg;1\n"
                                              "missing;absent.png;1\n"
                                              "folder;dir.jpg;1\n"
                                              "outside;../escape.jpg;1\n"
                                              "backslash;sub\\x.jpg;1\n"
                                              "no extension;plain.;1\n"
                                              "ok2;good.bmp;1\n",
                       {"good.jpg", "good.bmp", "upper.JPG", "photo.jpeg", ".jpg"});
    folder.makeFolder("materials/c/images/dir.jpg");
    folder.writeBytes("materials/c/escape.jpg", "pic");
    ASSERT_EQ(collection.load(), 0);
    std::vector<std::string> codes;
    for (const Material& m : collection.materials)
        codes.push_back(m.code);
    EXPECT_EQ(codes, (std::vector<std::string>{"ok1", "ok2"}));
}

TEST(MaterialLibraryTest, SkipsPicturesThatCannotBeRead) {
    if (testing::permissionsCannotDenyReading())
        GTEST_SKIP() << "permissions do not stop this user from reading";
    TempFolder folder;
    MaterialCollection collection =
        makeCollection(folder, "c", std::string(kHeader) + "A;locked.jpg;1\nB;open.jpg;1\nC;set;1\n",
                       {"locked.jpg", "open.jpg", "set/1.jpg", "set/2.jpg"});
    fs::permissions(folder / "materials/c/images/locked.jpg", fs::perms::none);
    fs::permissions(folder / "materials/c/images/set/1.jpg", fs::perms::none);
    ASSERT_EQ(collection.load(), 0);
    EXPECT_EQ(keysOf(collection), (std::vector<std::string>{"open.jpg", "set\\2.jpg"}));
}

TEST(MaterialLibraryTest, ExpandsPictureFoldersInPlaceSortedByName) {
    TempFolder folder;
    MaterialCollection collection = makeCollection(
        folder, "Фотопечать",
        std::string(kHeader) + "first;a.jpg;1\nP-7;Лес;350,5;Пейзаж\nlast;z.png;1\nnone;empty;1\n"
                               "gone;nowhere;1\n",
        {"a.jpg", "z.png", "Лес/c.png", "Лес/a.jpg", "Лес/b.bmp", "Лес/B.JPG", "Лес/.png", "Лес/notes.txt"});
    folder.makeFolder("materials/Фотопечать/images/empty");
    folder.makeFolder("materials/Фотопечать/images/Лес/inner.jpg");
    ASSERT_EQ(collection.load(), 0);
    EXPECT_EQ(keysOf(collection),
              (std::vector<std::string>{"a.jpg", "Лес\\a.jpg", "Лес\\b.bmp", "Лес\\c.png", "z.png"}));
    for (std::size_t i = 1; i <= 3; ++i) {
        const Material& m = collection.materials[i];
        EXPECT_TRUE(m.fromFolder);
        EXPECT_EQ(m.code, "P-7");
        EXPECT_EQ(m.name, "Пейзаж");
        EXPECT_EQ(m.pricePerSquareMetre, 35000);
        EXPECT_EQ(pathFromUtf8(m.picturePath).parent_path(),
                  pathFromUtf8(collection.picturesFolder) / pathFromUtf8("Лес"));
    }
    EXPECT_FALSE(collection.materials[0].fromFolder);
}

TEST(MaterialLibraryTest, SamePictureTwiceFindsTheFirst) {
    TempFolder folder;
    MaterialCollection collection =
        makeCollection(folder, "c", std::string(kHeader) + "first;a.jpg;10\nsecond;a.jpg;20\nthird;set;30\n",
                       {"a.jpg", "set/a.jpg"});
    ASSERT_EQ(collection.load(), 0);
    ASSERT_EQ(collection.materials.size(), 3u);
    ASSERT_NE(collection.find("a.jpg"), nullptr);
    EXPECT_EQ(collection.find("a.jpg")->code, "first");
    ASSERT_NE(collection.find("set\\a.jpg"), nullptr);
    EXPECT_EQ(collection.find("set\\a.jpg")->code, "third");
    EXPECT_EQ(collection.find("A.jpg"), nullptr); // keys keep their letter case
}

TEST(MaterialLibraryTest, AFolderNamedByManyLinesIsExpandedOnce) {
    TempFolder folder;
    std::string list = kHeader;
    for (int i = 0; i < 50; ++i)
        list += "line" + std::to_string(i) + ";set;" + std::to_string(i + 1) + "\n";
    MaterialCollection collection = makeCollection(folder, "c", list, {"set/a.jpg", "set/b.jpg"});
    ASSERT_EQ(collection.load(), 0);
    EXPECT_EQ(keysOf(collection), (std::vector<std::string>{"set\\a.jpg", "set\\b.jpg"}));
    EXPECT_EQ(collection.find("set\\b.jpg")->code, "line0");
}

TEST(MaterialLibraryTest, CollectionsAreSeparate) {
    TempFolder folder;
    makeCollection(folder, "one", std::string(kHeader) + "A;set;1\n", {"set/x.jpg"});
    makeCollection(folder, "two", std::string(kHeader) + "B;set;2\n", {"set/x.jpg"});
    const std::vector<MaterialCollection> collections = scanCollections(folder / "materials");
    ASSERT_EQ(collections.size(), 2u);
    ASSERT_NE(collections[0].find("set\\x.jpg"), nullptr);
    ASSERT_NE(collections[1].find("set\\x.jpg"), nullptr);
    EXPECT_EQ(collections[0].find("set\\x.jpg")->code, "A");
    EXPECT_EQ(collections[1].find("set\\x.jpg")->code, "B");
    EXPECT_EQ(collections[1].materials[0].collection, "two");
}

TEST(MaterialLibraryTest, DamagedListsLeaveTheCollectionEmpty) {
    TempFolder folder;
    std::string junk;
    for (int i = 0; i < 2048; ++i)
        junk.push_back(static_cast<char>((i * 73 + 11) & 0xFF));
    folder.makeFolder("materials/junk/images");
    folder.writeBytes("materials/junk/price.csv", junk);
    makeCollection(folder, "flat", "Код;Изображение;Цена", {});
    makeCollection(folder, "long", std::string(kHeader) + "A;" + std::string(1 << 20, 'p') + ".jpg;1\n", {});
    const std::vector<MaterialCollection> collections = scanCollections(folder / "materials");
    ASSERT_EQ(collections.size(), 3u); // listed even with nothing usable
    for (const MaterialCollection& c : collections)
        EXPECT_TRUE(c.materials.empty()) << c.name;
}

} // namespace
} // namespace dalvex

namespace dalvex {
namespace {

TEST(MaterialLibraryTest, SampleLibraryLoadsWhole) {
    const std::vector<MaterialCollection> collections =
        scanCollections(std::filesystem::path(DALVEX_BINARY_DIR) / "materials");
    ASSERT_FALSE(collections.empty());
    for (const MaterialCollection& c : collections) {
        MaterialCollection again = c;
        EXPECT_EQ(again.load(), 0) << c.name;
        EXPECT_FALSE(c.materials.empty()) << c.name;
        for (const Material& m : c.materials)
            EXPECT_TRUE(std::filesystem::is_regular_file(pathFromUtf8(m.picturePath))) << m.picturePath;
    }
}

} // namespace
} // namespace dalvex
