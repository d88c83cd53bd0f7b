// Writes a synthetic GBK dictionary for benchmarks: about 16 bytes a line,
// about 1% of the lines flagged (erroneous, untranslated, empty or, in the
// equals layout, without "=").
//
// With "report" the translations belong to their sources, as in a real
// dictionary: each English word has its Chinese word, the number is carried
// over and 5% of the pairs hold a placeholder on both sides; besides the 1%
// of flagged lines, about 1% of the pairs hold one fault that the report's
// rules find (a lost placeholder, a full-width one, a dropped number, a
// trailing space, another translation of the same source).
//
//   gen-dictionary pairs|equals LINES OUTPUT [report]
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <utility>

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

    // The translation of english(): the Chinese of each word and the number.
    static std::string translate(const std::string& english)
    {
        std::string out;
        std::size_t start = 0;
        for (;;) {
            std::size_t space = english.find(' ', start);
            std::string word = english.substr(start, space - start);
            if (space == std::string::npos)
                return out + " " + word;  // the number
            for (unsigned i = 0; i < 16; ++i)
                if (word == kWords[i])
                    out += kChinese[i % 8];
            start = space + 1;
        }
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

// One pair of the "report" kind: a placeholder on both sides now and then,
// and about one pair in a hundred with a fault of the report's rules.
std::pair<std::string, std::string> reportPair(std::string english, Generator& g)
{
    std::string chinese = Generator::translate(english);
    if (g.oneIn(20)) {
        english += " %s";
        chinese += " %s";
    }
    if (g.oneIn(100)) {
        switch (g.pick(5)) {
        case 0: english += " {0}"; break;                                     // placeholder lost
        case 1: english += " %d"; chinese += " \xA3\xA5\xA3\xE4"; break;     // ％ｄ
        case 2: chinese = chinese.substr(0, chinese.rfind(' ')); break;      // number dropped
        case 3: chinese += ' '; break;                                      // trailing space
        default: chinese = kChinese[g.pick(8)] + chinese; break;            // another translation
        }
    }
    return {english, chinese};
}

void writePairsForReport(std::FILE* out, long lines, Generator& g)
{
    for (long n = 1; n + 1 <= lines; n += 2) {
        auto [english, chinese] = reportPair(g.english(), g);
        if (g.oneIn(50)) {  // one of the pair's lines flagged: 1% of the lines
            switch (g.pick(3)) {
            case 0: english += kChinese[0]; break;
            case 1: chinese = g.english(); break;
            default: chinese.clear(); break;
            }
        }
        writeLine(out, english);
        writeLine(out, chinese);
    }
    if (lines % 2 != 0)
        writeLine(out, g.english());
}

void writeEqualsForReport(std::FILE* out, long lines, Generator& g)
{
    for (long n = 1; n <= lines; ++n) {
        std::string key = std::string(kWords[g.pick(16)]) + " " + std::to_string(g.pick(100));
        auto [english, chinese] = reportPair(key, g);
        std::string line = english + "=" + chinese;
        if (g.oneIn(100))
            line = g.oneIn(2) ? english + "=" + kWords[g.pick(16)] : english;
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
    bool forReport = argc == 5 && std::strcmp(argv[4], "report") == 0;
    if ((argc != 4 && !forReport) ||
        (std::strcmp(argv[1], "pairs") != 0 && std::strcmp(argv[1], "equals") != 0)) {
        std::fprintf(stderr, "usage: gen-dictionary pairs|equals LINES OUTPUT [report]\n");
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
        (forReport ? writePairsForReport : writePairs)(out, lines, g);
    else
        (forReport ? writeEqualsForReport : writeEquals)(out, lines, g);
    return std::fclose(out) == 0 ? 0 : 1;
}
