// The fuzz target of the XML and JSON readers: arbitrary bytes read as an
// XLIFF, Android or JSON locale file, or as a baseline report. Checks,
// beyond the sanitizers: an XML file read in pieces of any size gives the
// same entries and the same failure as read whole; every place lies within
// the document; a failure has a place.
#include "corvel/report/baseline.h"
#include "formats/android_reader.h"
#include "formats/json_locale_reader.h"
#include "formats/xliff_reader.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using namespace corvel;

void require(bool ok, const char* what)
{
    if (ok)
        return;
    std::fprintf(stderr, "formats violated: %s\n", what);
    std::abort();
}

class Keep : public formats::EntrySink {
public:
    bool entry(formats::Entry&& e) override
    {
        entries.push_back(std::move(e));
        return true;
    }
    std::vector<formats::Entry> entries;
};

std::string describe(const std::vector<formats::Entry>& entries, const formats::ReadOutcome& outcome)
{
    std::string out;
    for (const formats::Entry& e : entries) {
        out += e.key + '\x01' + e.source + '\x01' + e.target + '\x01' +
               std::to_string(e.targetPlace.line) + ':' + std::to_string(e.targetPlace.column) +
               ':' + std::to_string(static_cast<int>(e.state)) + '\n';
    }
    if (outcome.parse)
        out += "failure " + std::to_string(outcome.parse->place.line) + ':' +
               std::to_string(outcome.parse->place.column) + ' ' + outcome.parse->expected;
    return out;
}

void checkPlaces(std::string_view document, const std::vector<formats::Entry>& entries,
                 const formats::ReadOutcome& outcome)
{
    std::int32_t lines = 1;
    for (char c : document)
        lines += c == '\n' ? 1 : 0;
    for (const formats::Entry& e : entries) {
        require(e.targetPlace.line >= 0 && e.targetPlace.line <= lines, "an entry placed past the end");
        require(e.targetPlace.column >= 0, "a negative column");
    }
    if (outcome.parse)
        require(outcome.parse->place.line >= 1 && outcome.parse->place.line <= lines + 1,
                "a failure without a place in the document");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    const std::uint8_t mode = data[0];
    std::string_view document(reinterpret_cast<const char*>(data + 1), size - 1);
    formats::ReadLimits limits;
    limits.maxDepth = 64;
    limits.maxTextBytes = 4096;
    switch (mode % 4) {
    case 0:
    case 1: {
        auto read = [&](std::size_t piece, Keep& keep) {
            return mode % 4 == 0 ? formats::readXliffBytes(document, keep, limits, piece)
                                 : formats::readAndroidStringsBytes(document, keep, limits, piece);
        };
        Keep whole;
        formats::ReadOutcome a = read(64 * 1024, whole);
        checkPlaces(document, whole.entries, a);
        Keep pieces;
        formats::ReadOutcome b = read(1 + (mode >> 2) % 7, pieces);
        // A token cut across pieces may be refused at another place only
        // by the bound on unfinished tokens; otherwise the reading is the same.
        if (!(a.parse && a.parse->expected.rfind("a tag", 0) == 0))
            require(describe(whole.entries, a) == describe(pieces.entries, b),
                    "reading in pieces differs from reading whole");
        break;
    }
    case 2: {
        Keep keep;
        formats::ReadOutcome outcome = formats::readJsonLocaleBytes(document, keep, limits);
        checkPlaces(document, keep.entries, outcome);
        break;
    }
    case 3: {
        std::string error;
        report::Baseline baseline = report::Baseline::parse(std::string(document), error);
        require(error.empty() || baseline.dictionaries() == 0, "a failed baseline kept dictionaries");
        break;
    }
    }
    return 0;
}
