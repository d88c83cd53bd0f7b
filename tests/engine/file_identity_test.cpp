// Whether two paths name one file, however they are spelt, and the output
// that replaces its file only once it is whole.
#include "corvel/file_identity.h"
#include "corvel/replacing_file.h"
#include "test_support.h"

namespace corvel::test {
namespace {

class FileIdentities : public TempFolderTest {};

#ifndef _WIN32
// Each case: two spellings and whether they are (or would be) one file.
// "dic" holds game.txt, "hard.txt" is a hard link of it, "soft.txt" a
// symbolic one, "up" a link to the test folder, "dangling" a link to the
// missing "new.txt".
TEST_F(FileIdentities, LinksAndLinkedFoldersAreSeenThrough)
{
    makeFile("dic/game.txt", "x");
    makeFile("dic/other.txt", "x");
    fs::create_hard_link(root() / "dic/game.txt", root() / "dic/hard.txt");
    fs::create_symlink("game.txt", root() / "dic/soft.txt");
    fs::create_directory_symlink("..", root() / "dic/up");
    fs::create_symlink("new.txt", root() / "dic/dangling");
    struct Case {
        const char* a;
        const char* b;
        bool same;
    };
    const Case cases[] = {
        {"dic/game.txt", "dic/hard.txt", true},
        {"dic/game.txt", "dic/soft.txt", true},
        {"dic/game.txt", "dic/up/dic/game.txt", true},
        {"dic/game.txt", "dic/./../dic/game.txt", true},
        {"dic/game/game.log", "dic/up/dic/game/game.log", true},  // neither exists yet
        {"dic/dangling", "dic/new.txt", true},
        {"dic/game.txt", "dic/other.txt", false},
        {"dic/game/game.log", "dic/game/game.txt", false},
        {"dic/game/game.log", "dic/Game/game.log", false},  // this folder tells case apart
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.a) + " and " + c.b);
        EXPECT_EQ(sameFile(root() / c.a, root() / c.b), c.same);
        EXPECT_EQ(fileIdentity(root() / c.a) == fileIdentity(root() / c.b), c.same);
    }
    EXPECT_EQ(linkTarget(root() / "dic/dangling"), root() / "dic/new.txt");
    EXPECT_EQ(linkTarget(root() / "dic/game.txt"), root() / "dic/game.txt");
}
#endif

TEST_F(FileIdentities, AReplacingFileTakesItsTargetsPlaceOnlyWhenCommitted)
{
    const fs::path target = makeFile("out/report.txt", "old report");
    {
        ReplacingFile discarded;
        ASSERT_FALSE(discarded.open(target));
        discarded.stream() << "half a report";
        EXPECT_EQ(readBytes(target), "old report");
    }
    EXPECT_EQ(readBytes(target), "old report");
    EXPECT_EQ(listTree(root() / "out"), std::vector<std::string> {"report.txt"})
        << "a file not committed is removed";

    ReplacingFile replacing;
    ASSERT_FALSE(replacing.open(target));
    const std::string big(200000, 'r');  // past the buffer
    replacing.stream() << big << "end";
    EXPECT_EQ(readBytes(target), "old report");
    EXPECT_FALSE(replacing.commit());
    EXPECT_EQ(readBytes(target), big + "end");
    EXPECT_EQ(listTree(root() / "out"), std::vector<std::string> {"report.txt"});

    ReplacingFile nowhere;
    Error error = nowhere.open(root() / "missing/report.txt");
    EXPECT_TRUE(error);
    EXPECT_NE(error.path().find("report.txt"), std::string::npos);
}

}  // namespace
}  // namespace corvel::test
