// Writes a synthetic GBK dictionary for benchmarks: about 16 bytes a line,
// about 1% of the lines flagged (erroneous, untranslated, empty or, in the
// equals layout, without "=").
//
// With "report" the translations belong to their sources, as in a real
// dictionary: each English word has its Chinese word, the number is carried
// over and 5% of the pairs hold a placeholder on both sides; besides the 1%
// of flagged lines, about 1% of the pairs hold one fault that the report's
// rules find (a lost placeholder, a full-width one, a dropped number, a
// trailing space, another translation of a source written earlier). A pair
// holds one planted fault at most. With MANIFEST, each planted fault the
// report must find is listed there as "LINE KIND" (the translation's line;
// KIND one of placeholder, fullwidth, number, trailing-space, untranslated,
// inconsistent).
//
//   gen-dictionary pairs|equals LINES OUTPUT [report [MANIFEST]]
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <utility>
#include <vector>

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

enum class Fault { None, Placeholder, Fullwidth, Number, TrailingSpace, Untranslated, Inconsistent };

const char* faultName(Fault fault)
{
    switch (fault) {
    case Fault::Placeholder: return "placeholder";
    case Fault::Fullwidth: return "fullwidth";
    case Fault::Number: return "number";
    case Fault::TrailingSpace: return "trailing-space";
    case Fault::Untranslated: return "untranslated";
    case Fault::Inconsistent: return "inconsistent";
    case Fault::None: break;
    }
    return "";
}

struct ReportPair {
    std::string english;
    std::string chinese;
    Fault fault = Fault::None;
};

// Clean pairs written so far (a sample), whose sources a planted
// inconsistency writes again with another translation; and pairs owed: the
// right translation of a source whose first pair had a wrong one, written
// twice further on, so that the first pair is the odd one out.
class Written {
public:
    void add(const ReportPair& pair, Generator& g)
    {
        if (pairs_.size() < kKept)
            pairs_.push_back(pair);
        else
            pairs_[g.pick(kKept)] = pair;
    }
    const ReportPair* pick(Generator& g) const
    {
        return pairs_.empty() ? nullptr : &pairs_[g.pick(static_cast<unsigned>(pairs_.size()))];
    }
    void owe(ReportPair pair)
    {
        pair.fault = Fault::None;
        owed_.push_back(pair);
        owed_.push_back(pair);
    }
    // A pair owed: now and then while there are any, near the end at once.
    bool takeOwed(Generator& g, ReportPair& pair, bool late)
    {
        if (owed_.empty() || (!late && !g.oneIn(8)))
            return false;
        pair = owed_.back();
        owed_.pop_back();
        return true;
    }

private:
    static constexpr std::size_t kKept = 256;
    std::vector<ReportPair> pairs_;
    std::vector<ReportPair> owed_;
};

// One pair of the "report" kind: a placeholder on both sides now and then,
// and about one pair in a hundred with a fault of the report's rules.
// `late`: too near the end of the dictionary to owe pairs.
ReportPair reportPair(std::string english, Generator& g, Written& written, bool late)
{
    ReportPair p {english, Generator::translate(english), Fault::None};
    if (g.oneIn(100)) {
        static const Fault kFaults[] = {Fault::Placeholder, Fault::Fullwidth, Fault::Number,
                                        Fault::TrailingSpace, Fault::Inconsistent};
        p.fault = kFaults[g.pick(5)];
    }
    if (p.fault == Fault::Number)
        p.chinese.erase(p.chinese.rfind(' '));  // the number dropped
    if (g.oneIn(20)) {
        p.english += " %s";
        p.chinese += " %s";
    }
    switch (p.fault) {
    case Fault::Placeholder: p.english += " {0}"; break;                          // lost
    case Fault::Fullwidth: p.english += " %d"; p.chinese += " \xA3\xA5\xA3\xE4"; break;  // ％ｄ
    case Fault::TrailingSpace: p.chinese += ' '; break;
    case Fault::Inconsistent:
        if (!late && g.oneIn(2)) {  // the first pair of its source is the wrong one
            written.owe(p);
            p.chinese = kChinese[g.pick(8)] + p.chinese;
        } else if (const ReportPair* earlier = written.pick(g)) {
            p.english = earlier->english;
            p.chinese = kChinese[g.pick(8)] + earlier->chinese;
        } else {
            p.fault = Fault::None;
        }
        break;
    default: break;
    }
    return p;
}

// Lines this near the end of the dictionary owe no more pairs and write
// those still owed.
constexpr long kLate = 2000;

// Where the planted faults are, when a manifest was asked for.
class Manifest {
public:
    explicit Manifest(std::FILE* file) : file_(file) {}
    void add(long line, Fault fault)
    {
        if (file_ != nullptr && fault != Fault::None)
            std::fprintf(file_, "%ld %s\n", line, faultName(fault));
    }

private:
    std::FILE* file_;
};

void writePairsForReport(std::FILE* out, long lines, Generator& g, Manifest& manifest)
{
    Written written;
    for (long n = 1; n + 1 <= lines; n += 2) {
        const bool late = lines - n < kLate;
        ReportPair p;
        const bool owed = written.takeOwed(g, p, late);
        if (!owed)
            p = reportPair(g.english(), g, written, late);
        if (owed) {
            // written as it is
        } else if (p.fault == Fault::None && g.oneIn(50)) {  // a line flagged: 1% of the lines
            switch (g.pick(3)) {
            case 0: p.english += kChinese[0]; break;
            case 1: p.chinese = g.english(); p.fault = Fault::Untranslated; break;
            default: p.chinese.clear(); break;
            }
        } else if (p.fault == Fault::None) {
            written.add(p, g);
        }
        writeLine(out, p.english);
        writeLine(out, p.chinese);
        manifest.add(n + 1, p.fault);
    }
    if (lines % 2 != 0)
        writeLine(out, g.english());
}

void writeEqualsForReport(std::FILE* out, long lines, Generator& g, Manifest& manifest)
{
    Written written;
    for (long n = 1; n <= lines; ++n) {
        const bool late = lines - n < kLate;
        ReportPair p;
        const bool owed = written.takeOwed(g, p, late);
        if (!owed) {
            std::string key = std::string(kWords[g.pick(16)]) + " " + std::to_string(g.pick(100));
            p = reportPair(key, g, written, late);
        }
        std::string line = p.english + "=" + p.chinese;
        if (owed) {
            // written as it is
        } else if (p.fault == Fault::None && g.oneIn(100)) {
            const bool untranslated = g.oneIn(2);
            line = untranslated ? p.english + "=" + kWords[g.pick(16)] : p.english;
            if (untranslated)
                p.fault = Fault::Untranslated;
        } else if (p.fault == Fault::None) {
            written.add(p, g);
        }
        writeLine(out, line);
        manifest.add(n, p.fault);
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
    bool forReport = argc >= 5 && std::strcmp(argv[4], "report") == 0;
    if ((argc != 4 && !(forReport && argc <= 6)) ||
        (std::strcmp(argv[1], "pairs") != 0 && std::strcmp(argv[1], "equals") != 0)) {
        std::fprintf(stderr, "usage: gen-dictionary pairs|equals LINES OUTPUT [report [MANIFEST]]\n");
        return 2;
    }
    long lines = std::strtol(argv[2], nullptr, 10);
    std::FILE* out = std::fopen(argv[3], "wb");
    if (!out) {
        std::perror(argv[3]);
        return 2;
    }
    std::FILE* manifestFile = nullptr;
    if (argc == 6 && (manifestFile = std::fopen(argv[5], "w")) == nullptr) {
        std::perror(argv[5]);
        return 2;
    }
    static char buffer[1 << 20];
    std::setvbuf(out, buffer, _IOFBF, sizeof buffer);
    Generator g(20261207);
    Manifest manifest(manifestFile);
    if (!forReport)
        (argv[1][0] == 'p' ? writePairs : writeEquals)(out, lines, g);
    else
        (argv[1][0] == 'p' ? writePairsForReport : writeEqualsForReport)(out, lines, g, manifest);
    const bool written = std::fclose(out) == 0;
    return written && (manifestFile == nullptr || std::fclose(manifestFile) == 0) ? 0 : 1;
}
