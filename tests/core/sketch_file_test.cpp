#include "calc/systems.h"
#include "catalogue/catalogue.h"
#include "io/binary_stream.h"
#include "io/whole_file.h"
#include "project/project.h"
#include "project/project_editor.h"
#include "project/project_files.h"

#include "bounded_run.h"
#include "node_skips.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <limits>
#include <random>

#if !defined(_WIN32)
#include <sys/stat.h>
#endif

namespace dalvex {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;

// One catalogue (built from the sample data, so materials exist) shared by all tests of this file.
Catalogue& sampleCatalogue() {
    static Catalogue catalogue(DALVEX_BINARY_DIR);
    return catalogue;
}

// Splits door `door` of the project with a vertical divider at `position` by editing the maps directly, the
// way a split leaves them: insert 1 keeps the left part, a new insert takes the right part.
void splitVertically(Door& door, int32_t position, const DividerProfile* profile) {
    const int32_t dividerId = door.nextDividerId++;
    const int32_t insertId = door.nextInsertId++;
    Insert& left = door.inserts.begin()->second;
    Divider d;
    d.position = position;
    d.vertical = 1;
    d.length = door.height;
    d.profile = profile;
    door.dividers.emplace(dividerId, d);
    Insert right = left;
    left.rightId = dividerId;
    left.right = position;
    right.leftId = dividerId;
    right.left = position;
    door.inserts.emplace(insertId, right);
}

struct SketchFileTest : ::testing::Test {
    TempFolder folder;
    Project project{sampleCatalogue(), folder.path() / "config"};
    ProjectEditor editor{project};

    // A project that uses every stored field.
    void fillEverything() {
        const Catalogue& cat = project.catalogue();
        editor.apply(edit::SelectSystem{cat.findSystem("Далвекс")});
        editor.apply(edit::SetWidth{32000});
        editor.apply(edit::SetHeight{24000});
        editor.apply(edit::SetChipboardWidth{180});
        editor.apply(edit::SetPlinthHeight{700});
        editor.apply(edit::SetDiscount{7.5});
        ASSERT_TRUE(editor.apply(edit::Split{1, 1, 5000, true}));
        if (!cat.collections().empty() && !cat.collections().front().materials.empty()) {
            const Material* m = &cat.collections().front().materials.front();
            const int32_t insert = project.sketch.doors[1].inserts.begin()->first;
            ASSERT_TRUE(editor.apply(edit::Fill{1, insert, m, 0, 2}));
        }
        project.orderCard.orderNumber = "00042";
        project.orderCard.customerName = "Иванов & сыновья";
        project.orderCard.address = "Москва, ул. Ленина, 1";
        project.orderCard.phone = "+7 495 123-45-67";
        project.orderCard.orderDate = 1700000000;
        project.orderCard.readyDate = 1700600000;
        project.orderCard.assemblyCost = 1500;
        project.orderCard.deliveryCost = 700;
    }
};

TEST_F(SketchFileTest, RoundTripRestoresEveryStoredField) {
    fillEverything();
    const std::string written = writeSketchBytes(project);

    TempFolder other;
    Project reread(sampleCatalogue(), other.path() / "config");
    ASSERT_EQ(ProjectEditor(reread).openBytes(written), kSketchOk);
    EXPECT_EQ(writeSketchBytes(reread), written);

    EXPECT_EQ(reread.calculator->code, "Далвекс");
    EXPECT_EQ(reread.handleProfile, project.handleProfile);
    EXPECT_EQ(reread.profileColor, project.profileColor);
    EXPECT_EQ(reread.dividerProfile, project.dividerProfile);
    EXPECT_EQ(reread.width, 32000);
    EXPECT_EQ(reread.height, 24000);
    EXPECT_EQ(reread.chipboardWidth, 180);
    EXPECT_EQ(reread.plinthHeight, 700);
    EXPECT_DOUBLE_EQ(reread.discountPercent, 7.5);
    EXPECT_DOUBLE_EQ(reread.result.discountPercent, 7.5);
    EXPECT_EQ(reread.orderCard.customerName, "Иванов & сыновья");
    EXPECT_EQ(reread.orderCard.phone, "+7 495 123-45-67");
    EXPECT_EQ(reread.orderCard.assemblyCost, 1500);
    EXPECT_EQ(reread.orderCard.deliveryCost, 700);
    EXPECT_EQ(reread.orderCard.readyDate, 1700600000);
    const Door& door = reread.sketch.doors[1];
    ASSERT_EQ(door.dividers.size(), 1u);
    EXPECT_EQ(door.dividers.begin()->second.position, 5000);
    EXPECT_EQ(door.dividers.begin()->second.profile, project.dividerProfile);
    EXPECT_EQ(door.inserts.size(), 2u);
    EXPECT_EQ(door.inserts.begin()->second.material,
              project.sketch.doors[1].inserts.begin()->second.material);
    EXPECT_EQ(reread.result.articleLines.size(), project.result.articleLines.size());
    EXPECT_EQ(reread.itemsTotal(), project.itemsTotal());
}

TEST_F(SketchFileTest, TextsAreUtf16WithAUnitCount) {
    editor.apply(edit::SelectSystem{project.catalogue().findSystem("Сенфил-Н")});
    const std::string bytes = writeSketchBytes(project);
    ASSERT_GT(bytes.size(), 19u);
    EXPECT_EQ(static_cast<uint8_t>(bytes[0]), 6);
    EXPECT_EQ(static_cast<uint8_t>(bytes[1]), 8); // "Сенфил-Н": 8 code units ...
    EXPECT_EQ(static_cast<uint8_t>(bytes[2]), 0);
    EXPECT_EQ(bytes.substr(3, 4), std::string("\x21\x04\x35\x04", 4)); // ... "С" U+0421, "е" U+0435
    BinaryReader in(bytes);
    in.u8();
    EXPECT_EQ(in.str(), "Сенфил-Н");
    EXPECT_EQ(in.position(), 1u + 2u + 16u);
}

// The blocks of an older file, written field by field as that format version lays them out.
std::string craftFile(int version, const std::string& system, int32_t doorCount, bool earlierCard,
                      const std::string& orderNumber = "00077") {
    BinaryWriter out;
    out.u8(static_cast<uint8_t>(version));
    out.str(system);
    out.str("JB01");
    out.str("Хром глянец");
    out.str("JB09");
    out.i32(25000);
    out.i32(21000);
    out.i32(doorCount);
    out.f64(3.0);
    if (version >= 2) {
        out.i32(170);
        out.i32(600);
    }
    if (version >= 3) out.u8(1); // noEdgeProfiles
    if (version >= 5) {
        out.str("JB010/011B");
        if (system == "Борвик") out.u8(0);
        if (system == "Фелдор") out.i32(1);
    }
    if (version >= 6 && system == "Борвик") out.i32(-33);
    out.i32(25000);
    out.i32(21000);
    out.i32(doorCount);
    if (version >= 5) out.i32(25260);
    for (int i = 0; i < doorCount; ++i) {
        out.i32(12630);
        out.i32(20600);
        out.i32(2);
        out.i32(1);
        if (version >= 5) out.i32(i % 2);
        for (int side = 0; side < 4; ++side) {
            out.i32(0);
            out.str("");
        }
        out.u16(0);
        out.u16(1);
        out.i32(1);
        for (int k = 0; k < 8; ++k)
            out.i32(0);
        out.u8(0);
        for (int k = 0; k < 4; ++k)
            out.i32(0);
        out.u8(0);
        out.i32(0);
        out.i32(0);
        out.str("");
        out.str("");
    }
    if (earlierCard) {
        out.str(orderNumber);
        out.str("Петров");
        out.str("Тверь");
        out.i64(1600000000);
        out.i64(1600100000);
    } else {
        out.u8(2);
        out.str(orderNumber);
        out.str("Петров");
        out.str("Тверь");
        out.str("555");
        out.i64(1600000000);
        out.i64(1600100000);
        out.i32(100);
        out.i32(200);
    }
    return out.bytes();
}

TEST_F(SketchFileTest, OlderVersionsKeepTheFieldsTheyLack) {
    struct Case {
        int version;
        bool readsPlinth, readsEdges, readsRollerSet, readsTotalAndRows;
    };
    const Case cases[] = {{1, false, false, false, false}, {2, true, false, false, false},
                          {3, true, true, false, false},   {4, true, true, false, false},
                          {5, true, true, true, true},     {6, true, true, true, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.version);
        TempFolder f;
        Project p(sampleCatalogue(), f.path() / "config");
        SystemOptions& borvik = p.options.of(kSystemBorvik);
        borvik.noEdgeProfiles = 0;
        borvik.rollerSet = nullptr;
        p.chipboardWidth = 111;
        p.plinthHeight = 555;
        p.sketch.doors[1].row = 0; // so that a row read from the file shows
        ASSERT_EQ(ProjectEditor(p).openBytes(craftFile(c.version, "Борвик", 2, false)), kSketchOk);
        EXPECT_EQ(p.width, 25000);
        EXPECT_EQ(p.doorCount, 2);
        EXPECT_EQ(p.chipboardWidth, c.readsPlinth ? 170 : 111);
        EXPECT_EQ(p.plinthHeight, c.readsPlinth ? 600 : 555);
        const SystemOptions& read = p.options.of(kSystemBorvik);
        EXPECT_EQ(read.noEdgeProfiles, c.readsEdges ? 1 : 0);
        EXPECT_EQ(read.rollerSet ? read.rollerSet->code : "", c.readsRollerSet ? "JB010/011B" : "");
        EXPECT_EQ(p.sketch.doors[1].row, c.readsTotalAndRows ? 1 : 0);
        EXPECT_EQ(p.orderCard.phone, "555");
        EXPECT_EQ(read.heightOffset, c.version >= 6 ? -33 : -40);
    }
}

TEST_F(SketchFileTest, RefusedFilesLeaveTheProjectExactlyAsItWas) {
    fillEverything();
    const std::string before = writeSketchBytes(project);
    const int32_t totalBefore = project.itemsTotal();

    std::string version7 = craftFile(6, "Борвик", 2, false);
    version7[0] = 7;
    const struct {
        const char* what;
        std::string bytes;
        int expected;
    } cases[] = {
        {"version 7", version7, kSketchNewerVersion},
        {"unknown system", craftFile(6, "Венлор", 2, false), kSketchUnknownSystem},
        {"eleven doors", craftFile(6, "Борвик", 11, false), kSketchCannotOpen},
        {"no doors", craftFile(6, "Борвик", 0, false), kSketchCannotOpen},
        {"empty file", std::string(), kSketchCannotOpen},
        {"trailing junk", craftFile(6, "Борвик", 2, false) + "xyz", kSketchCannotOpen},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(editor.openBytes(c.bytes), c.expected);
        EXPECT_EQ(writeSketchBytes(project), before);
        EXPECT_EQ(project.itemsTotal(), totalBefore);
    }
}

// A file may carry only what the editor could have made: a field patched outside its range is damage, and
// pricing it would give negative or absurd amounts. The edges of each range still open.
TEST_F(SketchFileTest, ValuesOutsideTheEditorsRangesAreRefusedAsDamaged) {
    fillEverything();
    const std::string before = writeSketchBytes(project);
    const struct {
        const char* what;
        std::function<void(SketchFileData&)> patch;
        int expected;
    } cases[] = {
        {"unchanged", [](SketchFileData&) {}, kSketchOk},
        {"opening width -30000", [](SketchFileData& d) { d.width = d.sketch.width = -30000; },
         kSketchCannotOpen},
        {"opening width 99 mm", [](SketchFileData& d) { d.width = d.sketch.width = 990; }, kSketchCannotOpen},
        {"opening width 100 mm", [](SketchFileData& d) { d.width = d.sketch.width = 1000; }, kSketchOk},
        {"opening width 100 m", [](SketchFileData& d) { d.width = d.sketch.width = 1000000; }, kSketchOk},
        {"opening width above 100 m", [](SketchFileData& d) { d.width = d.sketch.width = 1000010; },
         kSketchCannotOpen},
        {"sketch width alone", [](SketchFileData& d) { d.sketch.width = -30000; }, kSketchCannotOpen},
        {"opening height 99 mm", [](SketchFileData& d) { d.height = 990; }, kSketchCannotOpen},
        {"opening height above 10 m", [](SketchFileData& d) { d.height = 100010; }, kSketchCannotOpen},
        {"sketch height 0", [](SketchFileData& d) { d.sketch.height = 0; }, kSketchCannotOpen},
        {"chipboard -1", [](SketchFileData& d) { d.chipboardWidth = -1; }, kSketchCannotOpen},
        {"chipboard above 100 mm", [](SketchFileData& d) { d.chipboardWidth = 1010; }, kSketchCannotOpen},
        {"chipboard 0", [](SketchFileData& d) { d.chipboardWidth = 0; }, kSketchOk},
        {"plinth 0 (no plinth)", [](SketchFileData& d) { d.plinthHeight = 0; }, kSketchOk},
        {"plinth 53 mm", [](SketchFileData& d) { d.plinthHeight = 530; }, kSketchCannotOpen},
        {"plinth above 2 m", [](SketchFileData& d) { d.plinthHeight = 20010; }, kSketchCannotOpen},
        {"door count of the sketch alone", [](SketchFileData& d) { d.sketch.doorCount = 2; },
         kSketchCannotOpen},
        {"door width 0", [](SketchFileData& d) { d.sketch.doors[0].width = 0; }, kSketchCannotOpen},
        {"door height -1", [](SketchFileData& d) { d.sketch.doors[2].height = -1; }, kSketchCannotOpen},
        {"doors total width -1", [](SketchFileData& d) { d.sketch.doorsTotalWidth = -1; }, kSketchCannotOpen},
        {"assembly 99999", [](SketchFileData& d) { d.card.assemblyCost = 99999; }, kSketchOk},
        {"assembly 100000", [](SketchFileData& d) { d.card.assemblyCost = 100000; }, kSketchCannotOpen},
        {"assembly -1", [](SketchFileData& d) { d.card.assemblyCost = -1; }, kSketchCannotOpen},
        {"delivery INT32_MAX",
         [](SketchFileData& d) { d.card.deliveryCost = std::numeric_limits<int32_t>::max(); },
         kSketchCannotOpen},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_EQ(editor.openBytes(before), kSketchOk);
        SketchFileData data = fileDataOf(project);
        c.patch(data);
        const std::string patched = writeSketchFile(data);
        EXPECT_EQ(editor.openBytes(patched), c.expected);
        if (c.expected != kSketchOk) {
            EXPECT_EQ(writeSketchBytes(project), before);
        }
    }
    // A door count the system does not offer: Фелдор mounted inside comes as one, two or four doors.
    const std::string feldor = craftFile(6, "Фелдор", 3, false);
    EXPECT_EQ(editor.openBytes(feldor), kSketchCannotOpen);
    EXPECT_EQ(editor.openBytes(craftFile(6, "Фелдор", 4, false)), kSketchOk);
}

TEST_F(SketchFileTest, ReferencesThatNameNoDividerAreRejected) {
    // A door with one divider whose end names divider 9, which the door does not hold.
    editor.apply(edit::SelectSystem{project.catalogue().findSystem("Борвик")});
    Door& door = project.sketch.doors[0];
    splitVertically(door, 4000, project.dividerProfile);
    door.dividers.begin()->second.endId = 9;
    const std::string bad = writeSketchBytes(project);
    door.dividers.begin()->second.endId = 0;
    const std::string before = writeSketchBytes(project);
    EXPECT_EQ(editor.openBytes(bad), kSketchCannotOpen);
    EXPECT_EQ(writeSketchBytes(project), before);

    door.inserts.rbegin()->second.leftId = 5;
    const std::string badInsert = writeSketchBytes(project);
    door.inserts.rbegin()->second.leftId = 1;
    EXPECT_EQ(editor.openBytes(badInsert), kSketchCannotOpen);
}

// Doors whose every field is sane alone but which are not whole (or whose ids leave no next id), each made
// from a whole door: insert 1 on the left of vertical divider 1, the right part split by horizontal divider 2
// into inserts 2 (upper) and 3 (lower).
TEST_F(SketchFileTest, DoorsThatAreNotWholeAreRejected) {
    editor.apply(edit::SelectSystem{project.catalogue().findSystem("Борвик")});
    ASSERT_TRUE(editor.apply(edit::Split{0, 1, 4000, true}));
    Door& door = project.sketch.doors[0];
    Divider h;
    h.vertical = 0;
    h.position = door.height / 2;
    h.startId = 1;
    h.length = door.width - 4000;
    door.dividers.emplace(2, h);
    Insert lower = door.inserts.at(2);
    door.inserts.at(2).bottomId = 2;
    door.inserts.at(2).bottom = h.position;
    lower.topId = 2;
    lower.top = h.position;
    door.inserts.emplace(3, lower);
    door.nextDividerId = 3;
    door.nextInsertId = 4;
    const DoorSketch whole = project.sketch;
    const std::string before = writeSketchBytes(project);
    ASSERT_EQ(editor.openBytes(before), kSketchOk);

    static constexpr int32_t top = std::numeric_limits<int32_t>::max();
    const struct {
        const char* what;
        std::function<void(Door&)> breakIt;
    } cases[] = {
        {"insert reaching far out",
         [](Door& d) { d.inserts.at(3).right = d.inserts.at(3).bottom = 9'000'000; }},
        {"insert of negative width", [](Door& d) { d.inserts.at(3).right = -9'000'000; }},
        {"insert covering the door twice", [](Door& d) { d.inserts.at(1).right = d.width; }},
        {"insert edge off its divider", [](Door& d) { d.inserts.at(1).right = 3000; }},
        {"two inserts on top of each other",
         [](Door& d) {
             d.inserts.at(3) = d.inserts.at(2);
             d.inserts.at(1).right = d.width; // areas sum to the door's
             d.inserts.at(1).rightId = 0;
         }},
        {"divider outside its door",
         [](Door& d) {
             d.dividers.at(1).position = d.width + 1000;
             d.inserts.at(1).right = d.width + 1000;
         }},
        {"divider length off its bounds", [](Door& d) { d.dividers.at(2).length += 100; }},
        {"divider starting at the frame across an insert",
         [](Door& d) {
             d.dividers.at(2).startId = 0;
             d.dividers.at(2).length = d.width;
         }},
        {"divider ending where it does not end",
         [](Door& d) {
             d.dividers.at(1).endId = 2;
             d.dividers.at(1).length = d.height / 2;
         }},
        {"side naming a divider across it", [](Door& d) { d.inserts.at(1).rightId = 2; }},
        {"side naming the frame inside the door", [](Door& d) { d.inserts.at(2).bottomId = 0; }},
        {"insert id with no successor",
         [](Door& d) {
             d.inserts.emplace(top, d.inserts.at(3));
             d.inserts.erase(3);
         }},
        {"divider id with no successor",
         [](Door& d) {
             d.dividers.emplace(top, d.dividers.at(2));
             d.dividers.erase(2);
             d.inserts.at(2).bottomId = top;
             d.inserts.at(3).topId = top;
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        project.sketch = whole;
        c.breakIt(project.sketch.doors[0]);
        const std::string bad = writeSketchBytes(project);
        project.sketch = whole;
        EXPECT_EQ(editor.openBytes(bad), kSketchCannotOpen);
        EXPECT_EQ(writeSketchBytes(project), before);
    }
}

TEST_F(SketchFileTest, SavingRefusesWhatCouldNotBeOpenedAndKeepsTheOldFile) {
    const fs::path target = folder.path() / "эскиз.dlx";
    ASSERT_EQ(project.save(target), kSketchOk);
    const std::string old = writeSketchBytes(project);
    const DoorSketch whole = project.sketch;
    const struct {
        const char* what;
        std::function<void(Door&)> make;
    } cases[] = {
        // More dividers than the 16-bit counts of the file can say, in strips 1 mm wide.
        {"66,000 dividers",
         [](Door& door) {
             constexpr int32_t strips = 66'001;
             door.width = 10 * strips;
             Insert strip = door.inserts.begin()->second;
             for (int32_t k = 1; k < strips; ++k) {
                 Divider d;
                 d.vertical = 1;
                 d.position = 10 * k;
                 d.length = door.height;
                 door.dividers.emplace(k, d);
                 strip.leftId = k - 1;
                 strip.left = 10 * (k - 1);
                 strip.rightId = k;
                 strip.right = 10 * k;
                 door.inserts[k] = strip;
             }
             strip.leftId = strips - 1;
             strip.left = 10 * (strips - 1);
             strip.rightId = 0;
             strip.right = door.width;
             door.inserts[strips] = strip;
             door.nextDividerId = strips;
             door.nextInsertId = strips + 1;
         }},
        {"a door that is not whole", [](Door& door) { door.inserts.begin()->second.right = -5; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        project.sketch = whole;
        c.make(project.sketch.doors[0]);
        EXPECT_EQ(project.save(target), kSketchCannotOpen);
        std::string kept;
        ASSERT_TRUE(readWholeFile(target, kept, 64u << 20));
        EXPECT_EQ(kept, old);
    }
}

#if !defined(_WIN32)
TEST_F(SketchFileTest, OpeningWhatIsNoSketchFileFailsAtOnce) {
    DALVEX_SKIP_UNDER_NODE("child processes (a FIFO is opened in one)");
    const fs::path fifo = folder.path() / "fifo.dlx";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    fs::create_symlink("/dev/zero", folder.path() / "zero.dlx");
    const fs::path huge = folder.path() / "huge.dlx";
    std::ofstream(huge, std::ios::binary) << writeSketchBytes(project);
    fs::resize_file(huge, kSketchFileLimit + 1);
    for (const char* name : {"fifo.dlx", "zero.dlx", "huge.dlx"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(
            testing::runBounded([&] { return editor.open(folder.path() / name) == kSketchCannotOpen; }),
            testing::Bounded::kTrue);
    }
}
#endif

TEST_F(SketchFileTest, EveryTruncationIsRejectedCleanly) {
    fillEverything();
    const std::string full = writeSketchBytes(project);
    TempFolder f;
    Project target(sampleCatalogue(), f.path() / "config");
    const std::string before = writeSketchBytes(target);
    for (std::size_t cut = 0; cut < full.size(); ++cut) {
        // An exact-size copy, so that the sanitizers catch any read past the end.
        const std::string part = full.substr(0, cut);
        ASSERT_EQ(ProjectEditor(target).openBytes(part), kSketchCannotOpen) << "cut at " << cut;
    }
    EXPECT_EQ(writeSketchBytes(target), before);
    EXPECT_EQ(ProjectEditor(target).openBytes(full), kSketchOk);
}

TEST_F(SketchFileTest, LongTextsAreReadWholeAndKeptToTheirFirst254Units) {
    std::string bytes = craftFile(6, "Борвик", 1, false);
    // Rebuild the card with a 300-character customer name.
    const std::string card = [] {
        BinaryWriter out;
        out.u8(2);
        out.str("00001");
        out.u16(300);
        for (int i = 0; i < 300; ++i) {
            out.u8(static_cast<uint8_t>('a' + i % 26));
            out.u8(0);
        }
        out.str("Тверь");
        out.str("555");
        out.i64(1);
        out.i64(2);
        out.i32(3);
        out.i32(4);
        return out.bytes();
    }();
    const std::string normalCard = [] {
        BinaryWriter out;
        out.u8(2);
        out.str("00077");
        out.str("Петров");
        out.str("Тверь");
        out.str("555");
        out.i64(1600000000);
        out.i64(1600100000);
        out.i32(100);
        out.i32(200);
        return out.bytes();
    }();
    bytes = bytes.substr(0, bytes.size() - normalCard.size()) + card;
    ASSERT_EQ(editor.openBytes(bytes), kSketchOk);
    EXPECT_EQ(project.orderCard.customerName.size(), 254u);
    EXPECT_EQ(project.orderCard.address, "Тверь");
    EXPECT_EQ(project.orderCard.deliveryCost, 4);

    // The writer never writes more than 254 units.
    project.orderCard.customerName.assign(400, 'z');
    const std::string written = writeSketchBytes(project);
    TempFolder f;
    Project reread(sampleCatalogue(), f.path() / "config");
    ASSERT_EQ(ProjectEditor(reread).openBytes(written), kSketchOk);
    EXPECT_EQ(reread.orderCard.customerName, std::string(254, 'z'));
}

TEST_F(SketchFileTest, EarlierCardFormsAreToldApartFromTheCurrentOne) {
    project.orderCard.phone = "kept";
    project.orderCard.assemblyCost = 11;
    project.orderCard.deliveryCost = 22;
    // A two-character number starts the earlier form with the byte 2, like the marker.
    for (const std::string number : {"42", "7", "00042"}) {
        SCOPED_TRACE(number);
        ASSERT_EQ(editor.openBytes(craftFile(6, "Борвик", 1, true, number)), kSketchOk);
        EXPECT_EQ(project.orderCard.orderNumber, number);
        EXPECT_EQ(project.orderCard.customerName, "Петров");
        EXPECT_EQ(project.orderCard.phone, "kept");
        EXPECT_EQ(project.orderCard.assemblyCost, 11);
        EXPECT_EQ(project.orderCard.deliveryCost, 22);
    }
    ASSERT_EQ(editor.openBytes(craftFile(6, "Борвик", 1, false, "42")), kSketchOk);
    EXPECT_EQ(project.orderCard.orderNumber, "42");
    EXPECT_EQ(project.orderCard.phone, "555");
}

TEST_F(SketchFileTest, AResizeAfterOpeningScalesDividersFromTheSizeRead) {
    fillEverything();
    const std::string bytes = writeSketchBytes(project);
    TempFolder f;
    Project reread(sampleCatalogue(), f.path() / "config");
    ProjectEditor(reread).apply(edit::SetHeight{50000}); // a stale previous size before the open
    ASSERT_EQ(ProjectEditor(reread).openBytes(bytes), kSketchOk);
    const Door& door = reread.sketch.doors[1];
    const int32_t position = door.dividers.begin()->second.position;
    const int32_t widthBefore = door.width;
    ProjectEditor(reread).apply(edit::SetHeight{24100}); // a change of height alone must not move the vertical divider
    EXPECT_EQ(reread.sketch.doors[1].width, widthBefore);
    EXPECT_EQ(reread.sketch.doors[1].dividers.begin()->second.position, position);
    for (const auto& [id, ins] : reread.sketch.doors[1].inserts) {
        EXPECT_GE(ins.left, 0);
        EXPECT_LE(ins.right, reread.sketch.doors[1].width);
    }
}

TEST_F(SketchFileTest, SavingGoesThroughATemporaryFileAndReportsFailure) {
    const fs::path target = folder / "эскиз.dlx";
    EXPECT_EQ(project.save(target), kSketchOk);
    std::string bytes;
    {
        std::ifstream in(target, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), {});
    }
    EXPECT_EQ(bytes, writeSketchBytes(project));
    EXPECT_EQ(editor.open(target), kSketchOk);

    EXPECT_EQ(project.save(folder.path() / "missing" / "x.dlx"), kSketchCannotOpen);
    EXPECT_EQ(project.save(folder.path()), kSketchCannotOpen); // a folder is not a file
    EXPECT_EQ(editor.open(folder.path() / "missing.dlx"), kSketchCannotOpen);
    for (const auto& entry : fs::directory_iterator(folder.path()))
        EXPECT_EQ(entry.path().extension(), entry.is_directory() ? "" : ".dlx") << entry.path();
}

} // namespace
} // namespace dalvex
