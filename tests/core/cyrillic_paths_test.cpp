// Cyrillic folder and file names, as a dealer's Windows machine has them: the program's folder, a material
// collection and its pictures, and a sketch file the user names. Runs on Linux and, cross-built, on Windows,
// where a name that went through the ANSI code page would come out as question marks.
#include "catalogue/catalogue.h"
#include "files/sketch_file.h"
#include "io/utf8_path.h"
#include "project/project_editor.h"
#include "project/project.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace dalvex {
namespace {

namespace fs = std::filesystem;

TEST(CyrillicPaths, RoundTripThroughUtf8) {
    for (const char* name :
         {"Зеркала\\серебро.jpg", "C:\\Заказы\\Иванов.dlx", "/дом/ёж/Ёлка №1.dlx", "plain"})
        EXPECT_EQ(pathToUtf8(pathFromUtf8(name)), name);
}

TEST(CyrillicPaths, DataFolderPicturesAndSketchFileOpenAndSave) {
    const testing::TempFolder folder;
    const std::string program = "Программа Далвекс";
    folder.makeFolder(program + "/config");
    folder.writeText(
        program + "/materials/Зеркала/price.csv",
        "Код;Изображение;Цена;Название;Длина;Ширина;Толщина\nЗ-1;серебро.jpg;1500;Серебро;2750;1605;4\n");
    folder.writeBytes(program + "/materials/Зеркала/images/серебро.jpg", "picture");

    Catalogue catalogue(folder / program);
    ASSERT_EQ(catalogue.collections().size(), 1u);
    const MaterialCollection& mirrors = catalogue.collections().front();
    EXPECT_EQ(mirrors.name, "Зеркала");
    ASSERT_EQ(mirrors.materials.size(), 1u);
    const Material& silver = mirrors.materials.front();
    EXPECT_EQ(silver.key(), "серебро.jpg");
    EXPECT_TRUE(fs::equivalent(pathFromUtf8(silver.picturePath),
                               folder / (program + "/materials/Зеркала/images/серебро.jpg")));

    Project project(catalogue, folder / (program + "/config"));
    project.sketch.doors[0].inserts.begin()->second.material = &silver;
    project.orderCard.customerName = "Иванов";
    folder.makeFolder("Заказы");
    const fs::path sketch = pathFromUtf8(pathToUtf8(folder.path()) + "/Заказы/Иванов.dlx");
    ASSERT_EQ(project.save(sketch), kSketchOk);
    EXPECT_TRUE(fs::is_regular_file(folder / "Заказы/Иванов.dlx"));

    Project reopened(catalogue, folder / (program + "/config"));
    ASSERT_EQ(ProjectEditor(reopened).open(sketch), kSketchOk);
    EXPECT_EQ(reopened.orderCard.customerName, "Иванов");
    EXPECT_EQ(reopened.sketch.doors[0].inserts.begin()->second.material, &silver);
}

} // namespace
} // namespace dalvex
