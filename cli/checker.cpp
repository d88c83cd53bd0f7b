#include "checker.h"

#include "batch_window.h"
#include "check_runs.h"
#include "options.h"
#include "platform.h"
#include "version.h"

#include <algorithm>
#include <filesystem>

namespace corvel::cli {

namespace {

namespace fs = std::filesystem;

enum class ExitStatus { Clean = 0, Flagged = 1, Failed = 2 };

fs::path pathFromArgument(const std::string& utf8)
{
#ifdef _WIN32
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
#else
    return fs::path(utf8);
#endif
}

fs::path absoluteFrom(const fs::path& base, const fs::path& path)
{
    return path.is_absolute() ? path : base / path;
}

const char* stopNote(RunEnding ending)
{
    switch (ending) {
    case RunEnding::EmptyLineStop: return "; stopped at an empty line";
    case RunEnding::SeriousErrorStop: return "; stopped after a row of erroneous lines";
    default: return "";
    }
}

void printSummary(std::ostream& out, const std::string& name, Layout layout, const RunReport& r)
{
    out << name << ": " << r.lines << " lines, " << r.untranslated << " untranslated, ";
    if (layout == Layout::Equals)
        out << r.erroneous << " without \"=\"";
    else
        out << r.erroneous << " erroneous, " << r.empty << " empty";
    out << stopNote(r.ending) << "; log " << displayPath(r.log) << '\n';
}

class Checker {
public:
    Checker(const CliOptions& options, std::ostream& out, std::ostream& err)
        : options_(options), out_(out), err_(err), startFolder_(currentFolder())
    {
        window_.setMode(options.mode);
        for (auto [option, on] : options.optionChanges)
            window_.setOption(option, on);
        if (options.time) {
            LocalTime fixed = *options.time;
            clock_ = [fixed] { return fixed; };
        } else {
            clock_ = localNow;
        }
    }

    ~Checker() { (void)enterFolder(startFolder_); }

    ExitStatus checkAll()
    {
        ExitStatus worst = ExitStatus::Clean;
        for (const std::string& name : options_.dictionaries)
            worst = std::max(worst, check(name));
        return worst;
    }

private:
    ExitStatus check(const std::string& name)
    {
        fs::path dictionary = absoluteFrom(startFolder_, pathFromArgument(name));
        fs::path workdir = options_.workdir.empty()
                               ? dictionary.parent_path()
                               : absoluteFrom(startFolder_, pathFromArgument(options_.workdir));
        if (Error e = enterFolder(workdir)) {
            err_ << "corvel-check: " << e.describe() << '\n';
            return ExitStatus::Failed;
        }
        window_.setChosenPath(dictionary);
        RunReport report = options_.layout == Layout::Equals ? runEqualsCheck(window_, clock_)
                                                             : runLinePairCheck(window_, clock_);
        if (report.ending == RunEnding::FileNotFound || report.ending == RunEnding::UnknownError) {
            err_ << "corvel-check: " << report.error.describe() << '\n';
            return ExitStatus::Failed;
        }
        if (!options_.quiet)
            printSummary(out_, name, options_.layout, report);
        return report.flagged() ? ExitStatus::Flagged : ExitStatus::Clean;
    }

    const CliOptions& options_;
    std::ostream& out_;
    std::ostream& err_;
    fs::path startFolder_;
    BatchWindow window_;
    Clock clock_;
};

}  // namespace

int runChecker(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    ParseResult parsed = parseCommandLine(args);
    if (!parsed.error.empty()) {
        err << "corvel-check: " << parsed.error << "\n" << kUsage;
        return static_cast<int>(ExitStatus::Failed);
    }
    if (parsed.options.help) {
        out << kUsage;
        return 0;
    }
    if (parsed.options.version) {
        out << "corvel-check " << version::kFull << "\n";
        return 0;
    }
    Checker checker(parsed.options, out, err);
    return static_cast<int>(checker.checkAll());
}

}  // namespace corvel::cli
