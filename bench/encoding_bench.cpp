// Cost of the encoding rules on a dictionary: reads it the way a check run
// does (LineReader, the translation-character test per line), once plain
// and once with an EncodingScanner seeing the bytes, plus the detection
// that `--encoding auto` adds. Prints the best of N runs of each, in
// processor time (the machine is shared: waiting for it does not count).
//
//   encoding-bench DICTIONARY [RUNS] [pairs|equals]
#include "chars.h"
#include "encoding/encoding_scanner.h"
#include "encoding/file_kind.h"
#include "text_files.h"

#include <algorithm>
#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <vector>

namespace {

using namespace corvel;
using namespace corvel::encoding;

class CountingSink : public NoteSink {
public:
    bool add(report::RuleId, std::int32_t, std::int32_t, const ByteNote&) override
    {
        ++count;
        return true;
    }
    long count = 0;
};

double cpuMs()
{
    return 1000.0 * static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
}

// The best of `runs` runs of each piece of work, the pieces taken in turn
// so that both see the same moments of the shared machine.
std::vector<double> bestOf(int runs, const std::vector<std::function<void()>>& works)
{
    std::vector<double> best(works.size(), 1e9);
    for (int i = 0; i < runs; ++i)
        for (std::size_t w = 0; w < works.size(); ++w) {
            double start = cpuMs();
            works[w]();
            best[w] = std::min(best[w], cpuMs() - start);
        }
    return best;
}

// Reads every line and classifies it as the line-pair run does; returns
// the translated lines, so that nothing is optimized away.
long readLines(const char* path, ReadObserver* observer)
{
    Error error;
    LineReader reader(File::open(path, File::Access::Read, error));
    if (error) {
        std::fprintf(stderr, "%s\n", error.describe().c_str());
        std::exit(2);
    }
    reader.observe(observer);
    long translated = 0;
    while (!reader.atEnd())
        translated += hasTranslationChar(reader.next());
    return translated;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: encoding-bench DICTIONARY [RUNS] [pairs|equals]\n");
        return 2;
    }
    const char* path = argv[1];
    int runs = argc > 2 ? std::atoi(argv[2]) : 11;
    encoding::Layout layout = argc > 3 && std::strcmp(argv[3], "equals") == 0 ? encoding::Layout::Equals
                                                                      : encoding::Layout::LinePairs;
    long sink = 0;
    FileKind kind;
    CountingSink findings;
    std::vector<double> best = bestOf(
        runs, {[&] { sink += readLines(path, nullptr); },
               [&] { (void)detectFileKind(path, kind); },
               [&] {
                   findings.count = 0;
                   EncodingScanner scanner({resolveEncoding(EncodingChoice::Auto, kind),
                                            LineEnds::CrLf, Charset::Any, layout, kind},
                                           findings);
                   sink += readLines(path, &scanner);
                   scanner.finish();
               }});
    const double plain = best[0], detect = best[1], scanned = best[2];
    std::printf("read and classify lines:           %8.2f ms\n", plain);
    std::printf("detection (--encoding auto):       %8.2f ms\n", detect);
    std::printf("read, classify and encoding rules: %8.2f ms  (%ld findings)\n", scanned,
                findings.count);
    std::printf("added by auto and the rules:       %8.2f ms  (%+.1f%% of the plain reading)\n",
                scanned + detect - plain, 100.0 * (scanned + detect - plain) / plain);
    return sink == 42 ? 1 : 0;
}
