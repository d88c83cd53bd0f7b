// Writes a synthetic GBK dictionary for benchmarks: about 16 bytes a line,
// about 1% of the lines flagged (erroneous, untranslated, empty or, in the
// equals layout, without "=").
//
//   gen-dictionary pairs|equals LINES OUTPUT
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

namespace {

const char* const kWords[] = {"Open", "Save", "Exit", "Help", "File", "Edit", "View", "Tools",
                              "Find", "Copy", "Cut", "Paste", "Undo", "Redo", "Zoom", "Print"};
// GBK: 打开 保存 退出 帮助 文件 编辑 视图 工具
const char* const kChinese[] = {"\xB4\xF2\xBF\xAA", "\xB1\xA3\xB4\xE6", "\xCD\xCB\xB3\xF6",
                                "\xB0\xEF\xD6\xFA", "\xCE\xC4\xBC\xFE", "\xB1\xE0\xBC\xAD",
                                "\xCA\xD3\xCD\xBC", "\xB9\xA4\xBE\xDF"};

class Generator {
public:
    explicit Generator(unsigned seed) : rng_(seed) {}

    std::string english()
    {
        std::string s = kWords[pick(16)];
        s += ' ';
        s += kWords[pick(16)];
        s += ' ';
        s += std::to_string(100 + pick(900));
        return s;
    }

    std::string chinese()
    {
        std::string s;
        for (int i = 0; i < 4; ++i)
            s += kChinese[pick(8)];
        return s;
    }

    // True about once in `n` calls.
    bool oneIn(unsigned n) { return pick(n) == 0; }
    unsigned pick(unsigned n) { return std::uniform_int_distribution<unsigned>(0, n - 1)(rng_); }

private:
    std::mt19937 rng_;
};

void writeLine(std::FILE* out, const std::string& line)
{
    std::fwrite(line.data(), 1, line.size(), out);
    std::fwrite("\r\n", 1, 2, out);
}

void writePairs(std::FILE* out, long lines, Generator& g)
{
    for (long n = 1; n <= lines; ++n) {
        bool english = n % 2 != 0;
        std::string line = english ? g.english() : g.chinese();
        if (g.oneIn(100)) {
            switch (g.pick(3)) {
            case 0: line = english ? line + kChinese[0] : g.english(); break;  // flagged
            case 1: line = english ? g.chinese() : g.english(); break;          // flagged
            default: line.clear(); break;                                       // empty
            }
        }
        writeLine(out, line);
    }
}

void writeEquals(std::FILE* out, long lines, Generator& g)
{
    for (long n = 1; n <= lines; ++n) {
        std::string key = std::string(kWords[g.pick(16)]) + " " + std::to_string(g.pick(100));
        std::string line;
        if (!g.oneIn(100))
            line = key + "=" + kChinese[g.pick(8)] + kChinese[g.pick(8)];
        else if (g.oneIn(2))
            line = key + "=" + kWords[g.pick(16)];  // untranslated
        else
            line = key;  // no "="
        writeLine(out, line);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 4 || (std::strcmp(argv[1], "pairs") != 0 && std::strcmp(argv[1], "equals") != 0)) {
        std::fprintf(stderr, "usage: gen-dictionary pairs|equals LINES OUTPUT\n");
        return 2;
    }
    long lines = std::strtol(argv[2], nullptr, 10);
    std::FILE* out = std::fopen(argv[3], "wb");
    if (!out) {
        std::perror(argv[3]);
        return 2;
    }
    static char buffer[1 << 20];
    std::setvbuf(out, buffer, _IOFBF, sizeof buffer);
    Generator g(20261207);
    if (argv[1][0] == 'p')
        writePairs(out, lines, g);
    else
        writeEquals(out, lines, g);
    return std::fclose(out) == 0 ? 0 : 1;
}
