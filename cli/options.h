// The command line of corvel-check.
#pragma once

#include "corvel/file_format.h"
#include "corvel/local_time.h"
#include "corvel/run_request.h"
#include "corvel/reading_options.h"
#include "report/report_writer.h"
#include "corvel/report/rule_selection.h"

#include <array>

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace corvel::cli {

// The options of the command line: those of a fresh main window, changed
// by its switches.
class CliOptionSource : public OptionSource {
public:
    CliOptionSource();
    void set(Option option, bool on) { on_[static_cast<std::size_t>(option)] = on; }
    bool option(Option option) const override { return on_[static_cast<std::size_t>(option)]; }

private:
    std::array<bool, 7> on_ {};
};

// The options of the report (--format and the others after it in the
// usage). Without any of them corvel-check prints only its summary lines
// and its exit status follows the check log's classes.
struct ReportOptions {
    bool wanted = false;  // some report option was given
    const ReportFormat* format = &reportFormats().front();
    std::string file;      // --report: the same report to this file as well
    report::RuleSelection rules;
    report::PlaceholderSyntaxes placeholders;  // --placeholders
    report::FailOn failOn = report::FailOn::Error;
    std::string baseline;  // --baseline: an earlier JSON report
    bool fixFullwidth = false;
};

// How the dictionaries are read (--encoding, --line-ends, --charset).
struct ReadingChoice {
    encoding::EncodingChoice encoding = encoding::EncodingChoice::Gbk;
    LineEnds lineEnds = LineEnds::CrLf;
    encoding::Charset charset = encoding::Charset::Any;
};

// --list-rules prints the report's rules instead of checking.
enum class ListRules { No, Text, Json };

// How the files of the command line are read (--input): recognised from
// their names and content, forced to a translation format, or forced to a
// dictionary of the layout.
enum class InputChoice { Recognise, Format, Dictionary };

struct CliOptions {
    Layout layout = Layout::LinePairs;
    InputChoice input = InputChoice::Recognise;
    FileFormat inputFormat = FileFormat::Po;  // with InputChoice::Format
    ReadingChoice reading;
    Mode mode = Mode::Check;
    CliOptionSource options;
    std::string workdir;                  // empty: each dictionary's own folder
    std::optional<LocalTime> time;        // fixed time for the date lines
    unsigned jobs = 0;                    // dictionaries checked at once; 0: one per core
    bool quiet = false;
    ReportOptions report;
    bool help = false;
    bool version = false;
    ListRules listRules = ListRules::No;
    std::vector<std::string> dictionaries;
    // --source SOURCE: the source file of the translation file that
    // follows it, at the same index (empty: none).
    std::vector<std::string> sources;
};

struct ParseResult {
    CliOptions options;
    std::string error;  // empty when the command line is valid
};

ParseResult parseCommandLine(const std::vector<std::string>& args);

// Parses "YYYY-MM-DD HH:MM:SS"; none for a date that does not exist.
std::optional<LocalTime> parseTime(const std::string& text);

// The help text.
std::string usage();

}  // namespace corvel::cli
