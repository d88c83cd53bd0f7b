// The fuzz target of the gettext reader and the report of a catalogue:
// arbitrary bytes as a .po file, read into the report's rules. Checks that
// nothing crashes or trips a sanitizer, that the entries come in file
// order with places inside the file, that a malformed file is named at a
// place inside it (or just past its last line), and that every finding
// sits at a line of the file.
#include "corvel/report/analysis.h"
#include "formats/po_reader.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using namespace corvel;

[[noreturn]] void failed(const char* what)
{
    std::fprintf(stderr, "po fuzz: %s\n", what);
    std::abort();
}

std::int32_t linesOf(std::string_view bytes)
{
    std::int32_t lines = 1;
    for (char c : bytes)
        lines += c == '\n';
    return lines;
}

class OrderCheck : public formats::EntrySink {
public:
    explicit OrderCheck(std::int32_t lines) : lines_(lines) {}
    bool entry(formats::Entry&& entry) override
    {
        const formats::TextPlace& at = entry.targetPlace;
        if (at.line < 1 || at.line > lines_)
            failed("an entry placed outside the file");
        if (at.line < last_)
            failed("entries out of file order");
        last_ = at.line;
        return true;
    }

private:
    std::int32_t lines_;
    std::int32_t last_ = 0;
};

class FindingCheck : public report::FindingSink {
public:
    explicit FindingCheck(std::int32_t lines) : lines_(lines) {}
    bool add(report::Finding finding) override
    {
        if (finding.line < 1 || finding.line > lines_)
            failed("a finding outside the file");
        if (finding.column && *finding.column < 1)
            failed("a column before the line");
        return true;
    }

private:
    std::int32_t lines_;
};

fs::path scratch()
{
    static const fs::path path =
        fs::temp_directory_path() / ("corvel-po-fuzz-" + std::to_string(::getpid()) + ".po");
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const fs::path file = scratch();
    {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    const std::int32_t lines = linesOf(bytes);
    OrderCheck order(lines);
    formats::ReadOutcome outcome = formats::readPo(file, order);
    if (outcome.parse && (outcome.parse->place.line < 1 || outcome.parse->place.line > lines + 1))
        failed("a failure placed outside the file");

    report::DictionaryHeader header;
    header.path = "fuzz.po";
    header.format = FileFormat::Po;
    report::ReportSettings settings;
    if (size > 0 && data[0] % 2 == 0)
        settings.rules.set(report::RuleId::InconsistentTranslation, false);
    FindingCheck findings(lines);
    report::FindingCounts counts;
    report::EntryCounts entries;
    Error error = report::analyseTranslationFile(header, {FileFormat::Po, file, std::nullopt},
                                                 settings, findings, counts, entries);
    if (static_cast<bool>(error) != (outcome.parse.has_value() || static_cast<bool>(outcome.io)))
        failed("the report and the reader disagree on whether the file is whole");
    if (entries.checked + entries.fuzzy + entries.obsolete > entries.entries)
        failed("more entries weighed than read");
    std::error_code ec;
    fs::remove(file, ec);
    return 0;
}
