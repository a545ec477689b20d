// Orders sent as links: base64url of the sketch file in the page's fragment, opened through the editor as
// the file itself is; and the file pack the shop's web page loads its data from.
#include "files/sketch_link.h"
#include "io/file_pack.h"
#include "project/project_editor.h"
#include "project/project_files.h"
#include "project_test_support.h"
#include "text/base64.h"

#include <gtest/gtest.h>

#include <string>

namespace dalvex {
namespace {

TEST(Base64Url, EncodesAndReadsBack) {
    const std::pair<std::string, std::string> known[] = {
        {"", ""}, {"f", "Zg"}, {"fo", "Zm8"}, {"foo", "Zm9v"}, {"foob", "Zm9vYg"}, {"\xFB\xFF", "-_8"},
    };
    for (const auto& [bytes, text] : known) {
        EXPECT_EQ(base64UrlEncode(bytes), text);
        EXPECT_EQ(base64UrlDecode(text), bytes) << text;
    }
    std::string every;
    for (int b = 0; b < 256; ++b)
        every.push_back(static_cast<char>(b));
    for (std::size_t n = 0; n <= every.size(); n += 37)
        EXPECT_EQ(base64UrlDecode(base64UrlEncode(every.substr(0, n))), every.substr(0, n)) << n;
    EXPECT_EQ(base64UrlDecode("Zg=="), "f"); // padding is taken too
    EXPECT_EQ(base64UrlDecode("Zm8="), "fo");
    for (const char* bad : {"Z", "Zm9v!", "Zg+/", "Zg=A", "Zg==Zg", "=Zg=", "Zm9vY", "Z==="})
        EXPECT_FALSE(base64UrlDecode(bad)) << bad;
}

TEST(SketchLink, CarriesTheFileInTheFragment) {
    EXPECT_EQ(sketchLink("https://shop.example/calc/index.html#dlx=old", "foo"),
              "https://shop.example/calc/index.html#dlx=Zm9v");
    EXPECT_EQ(sketchLinkBytes(" \thttps://shop.example/index.html#dlx=Zm9v\r\n"), "foo");
    for (const char* none : {"https://shop.example/index.html", "https://shop.example/#dlx=", "#dlx=Zm9v!", ""})
        EXPECT_FALSE(sketchLinkBytes(none)) << none;
}

class SketchLinkOpening : public testing::ProjectTest {};

TEST_F(SketchLinkOpening, OpensAsTheFileDoes) {
    ProjectEditor editor(*project_);
    ASSERT_TRUE(editor.apply(edit::SetWidth{24000}).applied);
    ASSERT_TRUE(editor.apply(edit::Split{0, 1, 8000, false}).applied);
    const std::string file = writeSketchBytes(*project_);

    Project other(*catalogue_, folder_.path() / "config");
    ProjectEditor otherEditor(other);
    const std::string before = writeSketchBytes(other);
    // Bytes that are no sketch file leave the order as it was.
    for (const std::string& bad : {std::string("\x06not a sketch"), file.substr(0, file.size() / 2), std::string()}) {
        EXPECT_EQ(otherEditor.openBytes(bad), kSketchCannotOpen);
        EXPECT_EQ(writeSketchBytes(other), before);
    }
    const auto bytes = sketchLinkBytes(sketchLink("https://shop.example/index.html", file));
    ASSERT_TRUE(bytes);
    EXPECT_EQ(otherEditor.openBytes(*bytes), kSketchOk);
    EXPECT_EQ(writeSketchBytes(other), file);
    EXPECT_EQ(other.grandTotalText(), project_->grandTotalText());
    EXPECT_FALSE(otherEditor.canUndo()); // an opened order starts its history anew
}

TEST(FilePack, KeepsEveryFileWhole) {
    const std::vector<PackedFile> files = {{"profiles/price.csv", "Код;Цена\r\nJB01;10\r\n"},
                                           {"materials/Зеркала/images/mirror.jpg", std::string("\xFF\xD8\0\x01", 4)},
                                           {"config/empty.txt", ""}};
    const std::string pack = packFiles(files);
    const auto back = unpackFiles(pack);
    ASSERT_TRUE(back);
    ASSERT_EQ(back->size(), files.size());
    for (std::size_t i = 0; i < files.size(); ++i) {
        EXPECT_EQ((*back)[i].path, files[i].path);
        EXPECT_EQ((*back)[i].bytes, files[i].bytes);
    }
    // A pack cut anywhere, or with more after it, is no pack.
    for (std::size_t n = 0; n < pack.size(); ++n)
        EXPECT_FALSE(unpackFiles(pack.substr(0, n))) << n;
    EXPECT_FALSE(unpackFiles(pack + "x"));
}

TEST(FilePack, RefusesPathsThatLeadOutOfItsFolder) {
    for (const char* path : {"", "/etc/passwd", "../x", "a/../../x", "a//b", "a/./b", "a/", "a\\b", "."}) {
        EXPECT_FALSE(isPackPath(path)) << path;
        EXPECT_FALSE(unpackFiles(packFiles({{path, "x"}}))) << path;
    }
    for (const char* path : {"a", "a/b.c", "Зеркала/images/x.jpg", "..a/b.."})
        EXPECT_TRUE(isPackPath(path)) << path;
}

} // namespace
} // namespace dalvex
