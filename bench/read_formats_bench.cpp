// Reads a translation file with one reader and counts its entries: the
// reader's own time, without the rules. Usage: read-formats-bench
// xliff|android|json FILE
#include "formats/android_reader.h"
#include "formats/json_locale_reader.h"
#include "formats/xliff_reader.h"

#include <chrono>
#include <cstdio>
#include <string>

namespace {

class Count : public corvel::formats::EntrySink {
public:
    bool entry(corvel::formats::Entry&& e) override
    {
        ++entries;
        bytes += e.source.size() + e.target.size();
        return true;
    }
    long entries = 0;
    long bytes = 0;
};

}  // namespace

int main(int argc, char** argv)
{
    using namespace corvel::formats;
    if (argc != 3) {
        std::fprintf(stderr, "usage: read-formats-bench xliff|android|json FILE\n");
        return 2;
    }
    const std::string format = argv[1];
    Reader reader = format == "xliff" ? readXliff : format == "android" ? readAndroidStrings : readJsonLocale;
    Count count;
    auto start = std::chrono::steady_clock::now();
    ReadOutcome outcome = reader(argv[2], count);
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (outcome.io || outcome.parse) {
        std::fprintf(stderr, "read failed\n");
        return 1;
    }
    std::printf("%ld entries, %ld text bytes, %.3f s\n", count.entries, count.bytes, seconds);
    return 0;
}
