#include "test_support.h"

#include "platform.h"

#ifndef _WIN32
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#endif

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <fstream>
#include <random>
#include <sstream>

namespace corvel::test {

namespace {

// Resolved before main() runs, while the working directory is still the
// one the test runner started in.
const fs::path kFixtures = fs::absolute(CORVEL_FIXTURES_DIR);
const fs::path kRealData = fs::absolute(CORVEL_REALDATA_DIR);

const char* const kRealProjects[] = {"hexchat", "i18n_iso_countries", "minetest_game",
                                     "storagedrawers", "theoneprobe"};

std::string escaped(const std::string& bytes)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : bytes) {
        if (c >= 0x20 && c < 0x7F && c != '\\') {
            out.push_back(static_cast<char>(c));
        } else {
            out += "\\x";
            out.push_back(digits[c >> 4]);
            out.push_back(digits[c & 15]);
        }
    }
    return out;
}

}  // namespace

std::string readBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    EXPECT_TRUE(in.good()) << "cannot read " << path;
    if (!in.good())
        return {};
    std::string bytes(static_cast<std::size_t>(in.tellg()), '\0');
    in.seekg(0);
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return bytes;
}

void writeBytes(const fs::path& path, std::string_view bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(out.good()) << "cannot write " << path;
}

fs::path fixture(const std::string& name)
{
    return kFixtures / name;
}

std::string fixtureBytes(const std::string& name)
{
    return readBytes(fixture(name));
}

fs::path realDictionary(const std::string& name)
{
    const fs::path path = kRealData / name;
    EXPECT_TRUE(fs::is_regular_file(path)) << "missing test data: " << path;
    return path;
}

std::vector<fs::path> realDictionaries()
{
    std::vector<fs::path> files;
    for (const char* project : kRealProjects)
        for (const char* layout : {".eq.txt", ".pairs.txt"})
            if (fs::path path = realDictionary(project + std::string(layout)); fs::is_regular_file(path))
                files.push_back(path);
    return files;
}

std::string gbk(std::string_view utf8)
{
    return toGbk(utf8);
}

std::string gbkLines(std::initializer_list<std::string_view> utf8Lines)
{
    std::string out;
    for (std::string_view utf8 : utf8Lines) {
        std::string line = gbk(utf8);
        if (auto tab = line.find('\t'); tab != std::string::npos)
            line.replace(tab, 1, (14 - tab % 14) % 14, ' ');
        out += line;
        out += "\r\n";
    }
    return out;
}

std::string crlfLines(std::initializer_list<std::string_view> lines)
{
    std::string out;
    for (std::string_view line : lines) {
        out += line;
        out += "\r\n";
    }
    return out;
}

LocalTime fixedTime()
{
    return LocalTime {2002, 5, 30, 14, 5, 9};
}

Clock fixedClock()
{
    return [] { return fixedTime(); };
}

std::string fixedDateLine()
{
    return gbk("检查时间：2002年05月30日　14:05:09");
}

std::vector<std::string> listTree(const fs::path& root)
{
    std::vector<std::string> entries;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        std::string name = entry.path().lexically_relative(root).generic_string();
        if (entry.is_directory() && !entry.is_symlink())
            name += '/';
        entries.push_back(name);
    }
    std::sort(entries.begin(), entries.end());
    return entries;
}

std::string withLfEnds(std::string_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n'))
            out += text[i];
    return out;
}

std::vector<std::string> splitCrlf(const std::string& bytes)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(bytes.substr(start));
            break;
        }
        lines.push_back(bytes.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

::testing::AssertionResult sameBytes(const std::string& actual, const std::string& expected)
{
    if (actual == expected)
        return ::testing::AssertionSuccess();
    std::vector<std::string> a = splitCrlf(actual);
    std::vector<std::string> e = splitCrlf(expected);
    std::size_t line = 0;
    while (line < a.size() && line < e.size() && a[line] == e[line])
        ++line;
    std::ostringstream message;
    message << "the bytes differ (" << actual.size() << " written, " << expected.size()
            << " expected); first difference in line " << line + 1
            << "\n  written:  " << (line < a.size() ? escaped(a[line]) : "<no line>")
            << "\n  expected: " << (line < e.size() ? escaped(e[line]) : "<no line>");
    return ::testing::AssertionFailure() << message.str();
}

void TempFolderTest::SetUp()
{
    previous_ = fs::current_path();
    // Test processes run side by side: names from a random source and the
    // clock, and create_directory() decides which process gets a name.
    std::random_device device;
    std::mt19937_64 random(
        device() ^
        static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()));
    fs::path base = fs::temp_directory_path();
    for (int attempt = 0; attempt < 100 && root_.empty(); ++attempt) {
        fs::path candidate = base / ("corvel-test-" + std::to_string(random()));
        if (fs::create_directory(candidate))
            root_ = fs::canonical(candidate);
    }
    ASSERT_FALSE(root_.empty()) << "no temporary folder could be made in " << base;
    fs::current_path(root_);
}

void TempFolderTest::TearDown()
{
    if (root_.empty())
        return;
    EXPECT_EQ(fs::current_path(), root_) << "the working directory was changed";
    fs::current_path(previous_);
    std::error_code ec;
    // A test may leave a folder without write permission behind.
    for (const auto& entry : fs::recursive_directory_iterator(root_, ec))
        if (entry.is_directory(ec) && !entry.is_symlink(ec))
            fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(root_, ec);
}

fs::path TempFolderTest::makeFolder(const fs::path& relative)
{
    fs::path folder = root_ / relative;
    fs::create_directories(folder);
    return folder;
}

fs::path TempFolderTest::makeFile(const fs::path& relative, std::string_view bytes)
{
    fs::path file = root_ / relative;
    if (file.has_parent_path())
        fs::create_directories(file.parent_path());
    writeBytes(file, bytes);
    return file;
}

#ifndef _WIN32
PipeFeed::PipeFeed(const fs::path& fifo, const fs::path& source) : fifo_(fifo)
{
    ::signal(SIGPIPE, SIG_IGN);  // a reader that stops early must not end the test
    EXPECT_EQ(::mkfifo(fifo.c_str(), 0600), 0) << fifo;
    writer_ = std::thread([this, fifo, source] {
        const int in = ::open(source.c_str(), O_RDONLY | O_CLOEXEC);
        const int out = ::open(fifo.c_str(), O_WRONLY | O_CLOEXEC);
        std::vector<char> piece(64 * 1024);
        bool open = in >= 0 && out >= 0;
        while (open) {
            const ssize_t got = ::read(in, piece.data(), piece.size());
            open = got > 0;
            for (ssize_t done = 0; open && done < got;) {
                const ssize_t n = ::write(out, piece.data() + done, static_cast<std::size_t>(got - done));
                if (n < 0 && errno == EINTR)
                    continue;
                open = n > 0;  // else the reader is gone
                done += n;
            }
        }
        if (in >= 0)
            ::close(in);
        if (out >= 0)
            ::close(out);
        done_ = true;
    });
}

// Takes what the run left unread, so that the writer always ends (also
// when the run never opened the FIFO).
PipeFeed::~PipeFeed()
{
    if (!done_) {
        const int fd = ::open(fifo_.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        std::vector<char> sink(64 * 1024);
        while (fd >= 0 && !done_) {
            if (::read(fd, sink.data(), sink.size()) <= 0)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        if (fd >= 0)
            ::close(fd);
    }
    writer_.join();
}
#endif

}  // namespace corvel::test
