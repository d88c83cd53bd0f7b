// Helpers shared by the engine and command-line tests: a fresh temporary
// folder per test, byte-exact file access, GBK text built from UTF-8
// literals, the fixture files and the real dictionaries.
#pragma once

#include "corvel/local_time.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace corvel::test {

namespace fs = std::filesystem;

// The whole content of a file, as bytes; fails the test when it is missing.
std::string readBytes(const fs::path& path);
void writeBytes(const fs::path& path, std::string_view bytes);

// A fixture from tests/fixtures, by file name (an absolute path, so it
// stays valid whatever the working directory).
fs::path fixture(const std::string& name);
std::string fixtureBytes(const std::string& name);

// The real dictionaries of tests/data/realdata: five projects, each as
// NAME.eq.txt and NAME.pairs.txt. Both name them by absolute path, sorted
// by file name. A dictionary that is not there fails the test, naming the
// missing file; the list then holds only those that are.
std::vector<fs::path> realDictionaries();
fs::path realDictionary(const std::string& name);

// UTF-8 text as GBK bytes.
std::string gbk(std::string_view utf8);
// Lines of GBK text, each ended with CR LF. The lines are UTF-8; a tab in a
// line stands for the print-zone filler (spaces up to the next multiple of
// 14 bytes of the GBK text).
std::string gbkLines(std::initializer_list<std::string_view> utf8Lines);
// Raw byte lines, each ended with CR LF.
std::string crlfLines(std::initializer_list<std::string_view> lines);

// The date and time every test log shows: 2002-05-30 14:05:09.
LocalTime fixedTime();
Clock fixedClock();
// The date line of fixedTime(), GBK.
std::string fixedDateLine();

// Every file and folder under `root`, relative, sorted; folders end in "/".
std::vector<std::string> listTree(const fs::path& root);

// The lines of a CR LF text, without their terminators.
std::vector<std::string> splitCrlf(const std::string& bytes);
// The same text with each CR LF turned into LF (lone CRs stay).
std::string withLfEnds(std::string_view text);

// Compares two byte strings and, when they differ, names the first line
// that differs and shows both lines with non-ASCII bytes escaped.
::testing::AssertionResult sameBytes(const std::string& actual, const std::string& expected);

#ifndef _WIN32
// A dictionary read through a pipe, as `cat source |` gives it: a FIFO made
// at `fifo`, fed from the file `source` by a thread in small pieces. A run
// that stops early leaves the rest; the thread ends with the object.
class PipeFeed {
public:
    PipeFeed(const fs::path& fifo, const fs::path& source);
    ~PipeFeed();
    PipeFeed(const PipeFeed&) = delete;
    PipeFeed& operator=(const PipeFeed&) = delete;

private:
    fs::path fifo_;
    std::atomic<bool> done_ {false};
    std::thread writer_;
};
#endif

// Gives every test a fresh empty folder as its working directory (where
// the command line's relative names resolve) and puts the working
// directory back afterwards. No run may change it: a test fails when the
// working directory has moved by its end.
class TempFolderTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The test's own folder (absolute).
    const fs::path& root() const { return root_; }
    // Creates a folder (and its parents) under the test's folder.
    fs::path makeFolder(const fs::path& relative);
    // Writes a file under the test's folder and returns its absolute path.
    fs::path makeFile(const fs::path& relative, std::string_view bytes);

private:
    fs::path root_;
    fs::path previous_;
};

}  // namespace corvel::test
