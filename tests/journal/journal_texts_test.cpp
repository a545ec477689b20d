// What dalvex-cli prints of the journal is valid UTF-8 whatever bytes a note holds.
#include "journal_test_support.h"

#include "io/utf8_path.h"
#include "io/whole_file.h"
#include "text/encoding.h"

#include <cstdlib>

namespace dalvex::journal {
namespace {

#if !defined(_WIN32) && defined(DALVEX_CLI)

TEST(JournalTexts, InvalidBytesArePrintedAsReplacementCharacters) {
    testing::TempFolder folder;
    const std::string j = "'" + pathToUtf8(folder / "journal.sqlite") + "'";
    const std::string cli = "'" DALVEX_CLI "'";
    const std::string out = "'" + pathToUtf8(folder / "show.json") + "'";
    const std::string script = cli + " save '" + pathToUtf8(folder / "a.dlx") + "' --order-number 5 --journal " + j +
                               " && " + cli + " journal pay 5 100 \"$(printf 'a\\377\\300\\257b')\" --journal " + j +
                               " > /dev/null && " + cli + " journal show 5 --journal " + j + " > " + out;
    ASSERT_EQ(std::system(script.c_str()), 0) << script;
    std::string shown;
    ASSERT_TRUE(readWholeFile(folder / "show.json", shown, 1 << 20));
    EXPECT_EQ(utf16ToUtf8(utf8ToUtf16(shown)), shown) << "not UTF-8: " << shown;
    EXPECT_NE(shown.find("a\xEF\xBF\xBD"), std::string::npos) << shown;
}

#endif

} // namespace
} // namespace dalvex::journal
