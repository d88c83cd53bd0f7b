// Whether two paths name one file, however they are spelt, and the output
// that replaces its file only once it is whole.
#include "corvel/file_identity.h"
#include "corvel/replacing_file.h"
#include "test_support.h"

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/types.h>
#include <unistd.h>

#include <future>
#endif

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

#ifndef _WIN32
// What is at a report's name decides how the report lands there. Each case
// makes something at "out/NAME" (NAME as the case gives it), writes a
// report to it and looks at what is there after.
struct Landing {
    const char* name;
    // Makes the thing at `at`; false when this system or user cannot.
    bool (*make)(const fs::path& at);
    enum class Then { Replaced, InPlace, Refused } then;
    fs::perms mode = fs::perms::none;  // of the replaced file, kept
};

// Everything written into `path` by the time its writer closes it, read
// by another thread (a FIFO's writer waits for its reader).
std::future<std::string> drain(const fs::path& path)
{
    return std::async(std::launch::async, [path] {
        std::string bytes;
        const int fd = ::open(path.c_str(), O_RDONLY);
        char chunk[4096];
        for (ssize_t n; fd >= 0 && (n = ::read(fd, chunk, sizeof chunk)) > 0;)
            bytes.append(chunk, static_cast<std::size_t>(n));
        if (fd >= 0)
            ::close(fd);
        return bytes;
    });
}

bool privateFile(const fs::path& at)
{
    writeBytes(at, "old report");
    fs::permissions(at, fs::perms::owner_read | fs::perms::owner_write);
    return true;
}

const Landing kLandings[] = {
    {"missing", [](const fs::path&) { return true; }, Landing::Then::Replaced},
    {"private", privateFile, Landing::Then::Replaced,
     fs::perms::owner_read | fs::perms::owner_write},
    {"linkToPrivate",
     [](const fs::path& at) {
         privateFile(at.parent_path() / "real");
         fs::create_symlink("real", at);
         return true;
     },
     Landing::Then::Replaced, fs::perms::owner_read | fs::perms::owner_write},
    {"longName", privateFile, Landing::Then::Replaced,
     fs::perms::owner_read | fs::perms::owner_write},
    {"linkToDevNull",
     [](const fs::path& at) {
         fs::create_symlink("/dev/null", at);
         return true;
     },
     Landing::Then::InPlace},
    {"device",
     [](const fs::path& at) { return ::mknod(at.c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0; },
     Landing::Then::InPlace},
    {"fifo", [](const fs::path& at) { return ::mkfifo(at.c_str(), 0666) == 0; },
     Landing::Then::InPlace},
    {"folder",
     [](const fs::path& at) {
         fs::create_directory(at);
         return true;
     },
     Landing::Then::Refused},
};

class ReportLandings : public TempFolderTest, public ::testing::WithParamInterface<Landing> {};

TEST_P(ReportLandings, ReplaceOnlyAFileAndWriteIntoOthers)
{
    const Landing& c = GetParam();
    makeFolder("out");
    // The longest name a folder here holds: the new file's name must
    // still fit beside it.
    const std::string name = c.name == std::string("longName") ? std::string(255, 'n') : c.name;
    const fs::path at = root() / "out" / name;
    if (!c.make(at))
        GTEST_SKIP() << "cannot make a " << c.name << " here";
    const bool fifo = fs::is_fifo(at);
    std::future<std::string> read;
    if (fifo)
        read = drain(at);
    const fs::file_status before = fs::symlink_status(at);
    const fs::file_type followedBefore = fs::status(at).type();
    const auto tree = listTree(root() / "out");

    ReplacingFile report;
    Error opened = report.open(at);
    if (c.then == Landing::Then::Refused) {
        ASSERT_TRUE(opened);
        EXPECT_NE(opened.describe().find(systemErrorText(EISDIR)), std::string::npos)
            << opened.describe();
        EXPECT_TRUE(fs::is_empty(at));
        return;
    }
    ASSERT_FALSE(opened) << opened.describe();
    report.stream() << "new report";
    ASSERT_FALSE(report.commit());
    if (fs::exists(before)) {
        EXPECT_EQ(fs::symlink_status(at).type(), before.type()) << "a link stays a link";
    }
    if (c.then == Landing::Then::Replaced) {
        EXPECT_EQ(readBytes(at), "new report");
        if (c.mode != fs::perms::none) {
            EXPECT_EQ(fs::status(at).permissions() & fs::perms::all, c.mode);
        }
    } else {
        if (fifo) {
            EXPECT_EQ(read.get(), "new report");
        }
        EXPECT_EQ(fs::status(at).type(), followedBefore) << "still what it was";
        EXPECT_EQ(fs::status("/dev/null").type(), fs::file_type::character);
    }
    EXPECT_EQ(listTree(root() / "out").size(), tree.size() + (c.name == std::string("missing")))
        << "no new file is left beside it";
}

INSTANTIATE_TEST_SUITE_P(Cases, ReportLandings, ::testing::ValuesIn(kLandings),
                         [](const auto& info) { return std::string(info.param.name); });

// A name that stands for an open descriptor is written to what it stands
// for, never replaced: `--report /dev/stdout` and `--report >(...)`.
TEST_F(FileIdentities, ADescriptorNameIsWrittenInPlace)
{
    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    ReplacingFile report;
    ASSERT_FALSE(report.open("/dev/fd/" + std::to_string(ends[1])));
    report.stream() << "through the pipe";
    EXPECT_FALSE(report.commit());
    ::close(ends[1]);
    char got[64] = {};
    EXPECT_EQ(::read(ends[0], got, sizeof got), 16);
    EXPECT_EQ(std::string(got), "through the pipe");
    ::close(ends[0]);
}
#endif

}  // namespace
}  // namespace corvel::test
