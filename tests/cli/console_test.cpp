// How output for a console is cut between writes: a character split across
// two writes waits for its last bytes; anything else goes at once.
#include "console.h"

#include <gtest/gtest.h>

#include <string>

namespace corvel::cli {
namespace {

struct Cut {
    const char* what;
    std::string bytes;
    std::size_t complete;
};

TEST(ConsoleOutput, WholeCharactersGoAtOnce)
{
    const std::string han = "\xE5\xAD\x97";       // 字, three bytes
    const std::string cent = "\xC2\xA2";          // ¢, two bytes
    const std::string emoji = "\xF0\x9F\x98\x80"; // U+1F600, four bytes
    const Cut cuts[] = {
        {"nothing", "", 0},
        {"ASCII", "game.txt\n", 9},
        {"whole han", "a" + han, 4},
        {"han missing one byte", std::string("a") + han.substr(0, 2), 1},
        {"han lead byte only", std::string("ab") + han.substr(0, 1), 2},
        {"whole two-byte", cent, 2},
        {"two-byte lead only", std::string("x") + cent.substr(0, 1), 1},
        {"whole four-byte", emoji, 4},
        {"four-byte missing one", emoji.substr(0, 3), 0},
        {"stray continuation bytes", "a\x80\x80", 3},
        {"five continuation bytes", "\x80\x80\x80\x80\x80", 5},
        {"invalid lead 0xFF", "a\xFF", 2},
        {"overlong lead 0xC0", "a\xC0", 2},
        {"han after han", han + han.substr(0, 1), 3},
    };
    for (const Cut& cut : cuts)
        EXPECT_EQ(completeUtf8Length(cut.bytes), cut.complete) << cut.what;
}

}  // namespace
}  // namespace corvel::cli
