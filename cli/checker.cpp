#include "checker.h"

#include "report/rule_listing.h"
#include "report/text_writer.h"

#include "batch_host.h"
#include "fullwidth_fix.h"
#include "report/report_session.h"
#include "corvel/check_runs.h"
#include "corvel/display_path.h"
#include "corvel/file_identity.h"
#include "corvel/file_kind.h"
#include "messages.h"
#include "options.h"
#include "print_turn.h"
#include "report/text_writer.h"
#include "version.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <atomic>
#include <filesystem>
#include <future>
#include <map>
#include <sstream>
#include <thread>

namespace corvel::cli {

namespace {

namespace fs = std::filesystem;

enum class ExitStatus { Clean = 0, Flagged = 1, Failed = 2 };

const std::string kVersion = std::string("corvel-check ") + version::kFull +
                             "\nCopyright (c) 2026 The Corvel developers; MIT licence.\n";

// An absolute path, so that messages and outputs never depend on where a
// relative name would resolve later.
fs::path absolutePath(const std::string& argument)
{
    std::error_code ec;
    fs::path path = pathFromUtf8(argument);
    fs::path absolute = fs::absolute(path, ec);
    if (ec)
        return path;
#ifdef PATH_MAX
    // A path longer than the system takes whole stays as given, relative
    // to the working folder, which still reaches it.
    if (absolute.native().size() >= PATH_MAX && path.is_relative())
        return path.lexically_normal();
#endif
    return absolute;
}

// Records what the summary line needs: the stop that ended the check early.
class SummarySink : public RunSink {
public:
    void stopped(const Stop& stop, const RunCounts& counts) override
    {
        stop_ = stop;
        lastLine_ = counts.lines;
    }
    const std::optional<Stop>& stop() const { return stop_; }
    // The line the check read last before it stopped.
    std::int32_t lastLine() const { return lastLine_; }

private:
    std::optional<Stop> stop_;
    std::int32_t lastLine_ = 0;
};

std::string summaryLine(const std::string& name, Layout layout, const RunReport& r,
                        const SummarySink& summary, const Messages& m)
{
    const auto number = [](auto n) { return std::to_string(n); };
    std::string out = m.format("%s: ", {oneLine(name)});
    out += m.format(r.lines == 1 ? "%s line, " : "%s lines, ", {number(r.lines)});
    out += m.format("%s untranslated, ", {number(r.untranslated)});
    if (layout == Layout::Equals) {
        out += m.format("%s without \"=\"", {number(r.erroneous)});
    } else {
        out += m.format("%s erroneous, ", {number(r.erroneous)});
        out += m.format("%s empty", {number(r.empty)});
    }
    if (summary.stop())
        out += m.text(summary.stop()->cause == StopCause::EmptyLine
                          ? "; stopped at an empty line"
                          : "; stopped after a row of erroneous lines");
    out += m.format("; log %s", {oneLine(displayPath(r.log))});
    out += '\n';
    return out;
}

// One dictionary of the command line and what its check printed.
struct Job {
    std::string name;  // as given
    RunRequest request;
    std::string refusal;  // why it is not checked, when it is not
    std::string out;
    std::string err;
    std::string failure;  // why it could not be checked, when it could not
    ExitStatus status = ExitStatus::Clean;
    // What the report needs of a dictionary that was checked.
    bool checked = false;
    RunReport run;
    std::optional<Stop> stop;
    std::int32_t stopLine = 0;
    encoding::FileKind kind;  // what the file is, when it was looked at
    FileStamp stamp;          // the file its check read, when a report reads it again
    // A translation file: its format and, for one of one language, its
    // source. It has no check run and writes nothing; its report is all.
    std::optional<FileFormat> format;
    std::optional<fs::path> source;
};

void refuse(Job& job, const std::string& why)
{
    if (job.refusal.empty())
        job.refusal = displayPath(job.request.dictionary) + ": " + why;
}

// Refuses every dictionary whose log or corrected dictionary would be a file
// that another dictionary of the call also writes (they would overwrite
// each other) or that is another dictionary of the call (it would be
// overwritten, and read while it is written). Files are told apart by what
// they are, not by how their paths are spelt: a hard link, a symbolic link
// or a linked folder does not make a second file.
void refuseSharedOutputs(std::vector<Job>& jobs, const Messages& m)
{
    // Each output file, by what it is: the first job that writes it and
    // that job's own name for it (each job's message names its own).
    struct Writer {
        std::size_t job;
        fs::path file;
    };
    std::map<FileIdentity, Writer> writer;
    for (std::size_t i = 0; i < jobs.size(); ++i) {
        if (jobs[i].format)
            continue;  // writes nothing
        auto names = outputNames(jobs[i].request);
        if (!names)
            continue;  // the run itself reports the name
        for (const fs::path& file : {names->log, names->corrected}) {
            if (file.empty())
                continue;
            auto [at, added] = writer.emplace(fileIdentity(file), Writer {i, file});
            if (added || at->second.job == i)
                continue;
            Job& first = jobs[at->second.job];
            refuse(first, m.format("its output %s would also be written for %s",
                                   {displayPath(at->second.file),
                                    displayPath(jobs[i].request.dictionary)}));
            refuse(jobs[i], m.format("its output %s would also be written for %s",
                                     {displayPath(file), displayPath(first.request.dictionary)}));
        }
    }
    for (Job& reader : jobs) {
        auto at = writer.find(fileIdentity(reader.request.dictionary));
        if (at == writer.end() || &jobs[at->second.job] == &reader)
            continue;  // its own output is refused by its run
        Job& writing = jobs[at->second.job];
        refuse(reader, m.format("it would be written as an output of %s",
                                {displayPath(writing.request.dictionary)}));
        refuse(writing, m.format("its output %s is also the dictionary %s of this call",
                                 {displayPath(at->second.file),
                                  displayPath(reader.request.dictionary)}));
    }
}

class Checker {
public:
    Checker(const CliOptions& options, const Messages& messages)
        : options_(options), messages_(messages)
    {
        if (options.time) {
            LocalTime fixed = *options.time;
            clock_ = [fixed] { return fixed; };
        } else {
            clock_ = localNow;
        }
        if (!options.workdir.empty())
            workdir_ = absolutePath(options.workdir);
    }

    std::vector<Job> jobs() const
    {
        std::vector<Job> jobs;
        for (const std::string& name : options_.dictionaries) {
            Job job;
            job.name = name;
            job.request.layout = options_.layout;
            job.request.dictionary = absolutePath(name);
            job.request.outputParent =
                workdir_.empty() ? job.request.dictionary.parent_path() : workdir_;
            job.request.mode = options_.mode;
            job.request.clock = clock_;
            job.request.options = &options_.options;
            job.request.lineEnds = options_.reading.lineEnds;
            job.request.encoding = fixedEncoding(options_.reading.encoding);
            job.request.linePath = LinePath::FlaggedLines;
            job.request.outputs = OutputPlacement::NewFile;
            const std::size_t index = jobs.size();
            if (index < options_.sources.size() && !options_.sources[index].empty())
                job.source = absolutePath(options_.sources[index]);
            decideFormat(job);
            jobs.push_back(std::move(job));
        }
        refuseSharedOutputs(jobs, messages_);
        return jobs;
    }

    void check(Job& job) const
    {
        if (!job.refusal.empty()) {
            fail(job, job.refusal);
            return;
        }
        if (job.format) {  // read by its report alone, twice for consistency
            if (canReread(job.request.dictionary) != Rereading::Yes ||
                (job.source && canReread(*job.source) != Rereading::Yes)) {
                fail(job, messages_.format("%s: a translation file is read more than once, which a "
                                           "pipe cannot give; save it to a file first",
                                           {displayPath(job.request.dictionary)}));
                return;
            }
            job.checked = true;
            return;
        }
        if (!workdir_.empty()) {
            if (Error e = folderError(workdir_)) {
                fail(job, e.describe());
                return;
            }
        }
        const Rereading rereading = canReread(job.request.dictionary);
        const bool rereadable = rereading == Rereading::Yes;
        if (options_.report.wanted && !rereadable) {
            // The report reads the dictionary after its check: a pipe or a
            // device would give it nothing, and an empty report would pass.
            fail(job, messages_.format(
                          rereading == Rereading::Device
                              ? "%s: is a device, not a file: a report reads the dictionary a "
                                "second time, which a device cannot give; save it to a file first"
                              : "%s: a report reads the dictionary a second time, which a pipe "
                                "cannot give; save it to a file first",
                          {displayPath(job.request.dictionary)}));
            return;
        }
        if (rereadable)  // a pipe is read once, by the run
            lookAtFile(job);
        if (options_.report.wanted)
            job.stamp = fileStamp(job.request.dictionary);
        BatchHost host;
        SummarySink summary;
        RunReport report;
        try {
            report = runCheck(job.request, host, {&summary});
        } catch (const std::exception& failure) {
            // The run's files are closed by then; the other dictionaries go on.
            fail(job, Error::fromException(failure, displayPath(job.request.dictionary)).describe());
            return;
        }
        if (report.ending == RunEnding::FileNotFound || report.ending == RunEnding::UnknownError) {
            fail(job, report.error.describe());
            return;
        }
        if (options_.report.fixFullwidth && !fixFullwidth(job))
            return;
        if (!options_.quiet)
            job.out = summaryLine(job.name, options_.layout, report, summary, messages_);
        job.status = report.flagged() ? ExitStatus::Flagged : ExitStatus::Clean;
        job.checked = true;
        job.run = std::move(report);
        job.stop = summary.stop();
        job.stopLine = summary.lastLine();
    }

    // How the report reads the job's dictionary: as its check run did.
    encoding::ScanSettings reading(const Job& job) const
    {
        encoding::ScanSettings settings;
        settings.encoding = job.request.encoding;
        settings.lineEnds = job.request.lineEnds;
        settings.charset = options_.reading.charset;
        settings.layout = job.request.layout;
        settings.kind = job.kind;
        return settings;
    }

private:
    enum class Rereading { Yes, Pipe, Device };
    // Whether the file is a translation file, and which: as --input says,
    // else from its name and content. --source needs one of one language.
    void decideFormat(Job& job) const
    {
        if (options_.input == InputChoice::Format)
            job.format = options_.inputFormat;
        else if (options_.input == InputChoice::Recognise)
            job.format = recogniseFormat(job.request.dictionary);
        if (job.source && (!job.format || !needsSource(*job.format)))
            refuse(job, std::string(messages_.text(
                            "--source applies to a translation file of one language (android, "
                            "json, properties), which this is not")));
    }

    // Whether the dictionary can be read again after its check: a file,
    // not a pipe or a device. A dictionary that does not exist, or a
    // folder, is left to its run, which says what it is.
    static Rereading canReread(const fs::path& dictionary)
    {
        std::error_code ec;
        const fs::file_status status = fs::status(dictionary, ec);
        if (!fs::exists(status) || fs::is_regular_file(status) || fs::is_directory(status))
            return Rereading::Yes;
        return fs::is_character_file(status) || fs::is_block_file(status) ? Rereading::Device
                                                                            : Rereading::Pipe;
    }

    static TextEncoding fixedEncoding(encoding::EncodingChoice choice)
    {
        return encoding::resolveEncoding(choice, encoding::FileKind {});
    }

    // Finds out what the dictionary is when the encoding is to be decided
    // from it or the report tells it. A file that cannot be read is left
    // to its run, which reports why.
    void lookAtFile(Job& job) const
    {
        const bool automatic = options_.reading.encoding == encoding::EncodingChoice::Auto;
        if (!automatic && !options_.report.wanted)
            return;
        if (encoding::detectFileKind(job.request.dictionary, job.kind))
            return;
        if (automatic)
            job.request.encoding = encoding::resolveEncoding(options_.reading.encoding, job.kind);
    }

    // Rewrites the corrected dictionary's full-width placeholders; false
    // when that failed (the job has failed then).
    static bool fixFullwidth(Job& job)
    {
        auto names = outputNames(job.request);
        std::error_code ec;
        if (!names || !fs::exists(names->corrected, ec))
            return true;  // stopped before the corrected dictionary was written
        FullwidthFix fix =
            cli::fixFullwidth(names->corrected, job.request.layout, job.request.encoding);
        if (fix.error) {
            fail(job, fix.error.describe());
            return false;
        }
        return true;
    }

    static void fail(Job& job, const std::string& message)
    {
        job.failure = message;
        job.err = "corvel-check: " + oneLine(message) + '\n';
        job.status = ExitStatus::Failed;
    }

    static Error folderError(const fs::path& folder)
    {
        std::error_code ec;
        const fs::file_status status = fs::status(folder, ec);
        if (fs::is_directory(status))
            return Error();
        if (!ec)
            ec = std::make_error_code(fs::exists(status) ? std::errc::not_a_directory
                                                         : std::errc::no_such_file_or_directory);
        return Error(ErrorKind::Other, FileOp::EnterFolder, displayPath(folder), ec.message());
    }

    const CliOptions& options_;
    const Messages& messages_;
    Clock clock_;
    fs::path workdir_;
};

// Tells, once, that standard output failed, with the system's cause where
// known; Failed when it did. Whatever was written to it (summaries, a
// report document) counts, also when nothing looked at it then.
ExitStatus outputStatus(Console& console, const Messages& m)
{
    if (!console.outUsed() || console.out())
        return ExitStatus::Clean;
    if (console.takeOutFailure()) {
        const int cause = console.outCause();
        console.err() << "corvel-check: " << m.text("standard output: cannot be written")
                      << (cause != 0 ? ": " + systemErrorText(cause) : std::string()) << '\n'
                      << std::flush;
    }
    return ExitStatus::Failed;
}

// Writes to standard output; the first failure is reported with its cause.
ExitStatus writeOut(Console& console, const std::string& text, const Messages& m)
{
    std::ostream& out = console.out();
    if (out)
        out << text << std::flush;
    return outputStatus(console, m);
}

// Writes out what standard output holds, if anything was printed there.
ExitStatus flushOut(Console& console, const Messages& m)
{
    return console.outUsed() ? writeOut(console, {}, m) : ExitStatus::Clean;
}

// Checks the jobs on `threads` threads and prints each one's lines in
// command-line order, each as soon as those before it are printed.
ExitStatus checkAll(const Checker& checker, std::vector<Job>& jobs, unsigned threads,
                    Console& console, const Messages& m)
{
    std::vector<std::promise<void>> done(jobs.size());
    std::vector<std::future<void>> ready;
    for (auto& d : done)
        ready.push_back(d.get_future());
    std::atomic<std::size_t> next {0};
    auto work = [&] {
        for (std::size_t i = next++; i < jobs.size(); i = next++) {
            checker.check(jobs[i]);
            done[i].set_value();
        }
    };
    if (jobs.empty())
        return ExitStatus::Clean;
    std::vector<std::thread> workers;
    // One dictionary at a time runs on this thread; more on workers while
    // this thread prints.
    const auto count = static_cast<unsigned>(std::min<std::size_t>(threads, jobs.size()));
    if (count == 1)
        work();
    else
        for (unsigned t = 0; t < count; ++t)
            workers.emplace_back(work);
    ExitStatus worst = ExitStatus::Clean;
    for (std::size_t i = 0; i < jobs.size(); ++i) {
        ready[i].wait();
        if (!jobs[i].out.empty())
            worst = std::max(worst, writeOut(console, jobs[i].out, m));
        if (!jobs[i].err.empty())
            console.err() << jobs[i].err << std::flush;
        worst = std::max(worst, jobs[i].status);
    }
    for (std::thread& w : workers)
        w.join();
    return worst;
}

// Findings a dictionary holds while earlier ones print; past this many it
// waits for its turn instead.
constexpr std::size_t kHeldFindings = 65536;

// With a report: each worker checks a dictionary, streams it through the
// report's rules (holding the findings while earlier dictionaries print)
// and prints its report and summary in its turn; the findings decide
// whether it is flagged.
ExitStatus checkAndReportAll(const Checker& checker, std::vector<Job>& jobs, unsigned threads,
                             Console& console, ReportSession& report, const Messages& m)
{
    PrintTurn turn;
    std::vector<ExitStatus> printed(jobs.size(), ExitStatus::Clean);
    auto reportJob = [&](std::size_t i) {
        Job& job = jobs[i];
        checker.check(job);
        HeldFindings held(turn, i, kHeldFindings, [&]() -> report::FindingSink& {
            report.beginDictionary({job.name, job.request.layout, job.format});
            return report.writers();
        });
        if (job.checked && job.format) {
            report::TranslationFiles files {*job.format, job.request.dictionary, job.source};
            ReportSession::Analysed analysed = report.analyseEntries(job.name, files, held);
            held.release();
            report.endEntries(analysed);
            job.status = analysed.counts.failing > 0 ? ExitStatus::Flagged : ExitStatus::Clean;
            if (analysed.error) {
                job.err = "corvel-check: " + oneLine(analysed.error.describe()) + '\n';
                job.status = ExitStatus::Failed;
            }
        } else if (job.checked) {
            ReportSession::Analysed analysed =
                report.analyse(job.name, job.request.dictionary, job.request.layout, job.stop,
                               job.stopLine, checker.reading(job), job.stamp, held);
            (void)held.release();
            report.end(job.run, !job.stop, analysed);
            job.status = analysed.counts.failing > 0 ? ExitStatus::Flagged : ExitStatus::Clean;
            if (analysed.error) {
                job.err = "corvel-check: " + oneLine(analysed.error.describe()) + '\n';
                job.status = ExitStatus::Failed;
            }
        } else {
            turn.wait(i);
            report.notChecked(job.name, job.request.layout, job.format, job.failure);
        }
        if (!report.withSummaries())
            job.out.clear();
        printed[i] = writeOut(console, job.out, m);
        console.err() << job.err << std::flush;
        turn.pass();
    };
    std::atomic<std::size_t> next {0};
    auto work = [&] {
        for (std::size_t i = next++; i < jobs.size(); i = next++)
            reportJob(i);
    };
    const auto count = static_cast<unsigned>(std::min<std::size_t>(threads, jobs.size()));
    std::vector<std::thread> workers;
    for (unsigned t = 1; t < count; ++t)
        workers.emplace_back(work);
    work();
    for (std::thread& w : workers)
        w.join();
    ExitStatus worst = ExitStatus::Clean;
    for (std::size_t i = 0; i < jobs.size(); ++i)
        worst = std::max({worst, jobs[i].status, printed[i]});
    return worst;
}

// A file a call reads or writes besides the report, and what it is to the
// call, for telling the user why the report or the baseline cannot be it.
struct CallFile {
    fs::path path;
    std::string what;  // "the log of DICTIONARY"
    bool written;      // an output of the check, not an input
};

std::vector<CallFile> filesOfTheCall(const std::vector<Job>& jobs, const Messages& m)
{
    std::vector<CallFile> files;
    for (const Job& job : jobs) {
        const std::string dictionary = displayPath(job.request.dictionary);
        if (job.format) {  // only read
            files.push_back({job.request.dictionary, m.format("the translation file %s", {dictionary}),
                             false});
            if (job.source)
                files.push_back({*job.source, m.format("the source file %s", {displayPath(*job.source)}),
                                 false});
            continue;
        }
        files.push_back({job.request.dictionary, m.format("the dictionary %s", {dictionary}),
                         false});
        auto names = outputNames(job.request);
        if (!names)
            continue;
        files.push_back({names->folder, m.format("the output folder of %s", {dictionary}), true});
        files.push_back({names->log, m.format("the log of %s", {dictionary}), true});
        if (!names->corrected.empty())
            files.push_back({names->corrected,
                             m.format("the corrected dictionary of %s", {dictionary}), true});
    }
    return files;
}

std::string clash(const std::string& option, const std::string& given, const CallFile& file,
                  const Messages& m)
{
    return m.format(file.written ? "%s %s is %s, which the check writes"
                                 : "%s %s is %s, which is only read",
                    {option, given, file.what});
}

// Why the call cannot go on: the --report file is a file the call reads or
// writes (the report would replace it), or the --baseline is an output of
// the check (the check would write over it). Empty when neither.
std::string callFileClash(const ReportOptions& wanted, const std::vector<Job>& jobs,
                          const Messages& m)
{
    const std::vector<CallFile> files = filesOfTheCall(jobs, m);
    if (!wanted.baseline.empty()) {
        const FileIdentity baseline = fileIdentity(absolutePath(wanted.baseline));
        for (const CallFile& file : files)
            if (file.written && fileIdentity(file.path) == baseline)
                return clash("--baseline", wanted.baseline, file, m);
    }
    if (wanted.file.empty())
        return {};
    const FileIdentity report = fileIdentity(absolutePath(wanted.file));
    if (!wanted.baseline.empty() && fileIdentity(absolutePath(wanted.baseline)) == report)
        return clash("--report", wanted.file,
                     {absolutePath(wanted.baseline), m.format("the baseline %s", {wanted.baseline}),
                      false},
                     m);
    for (const CallFile& file : files)
        if (fileIdentity(file.path) == report)
            return clash("--report", wanted.file, file, m);
    return {};
}

int checkWithOptions(const std::vector<std::string>& args, Console& console, Language language)
{
    const Messages messages(requestedLanguage(args).value_or(language));
    ParseResult parsed = parseCommandLine(args, messages);
    if (!parsed.error.empty()) {
        console.err() << "corvel-check: " << parsed.error << messages.text(" (corvel-check --help tells more)") << '\n';
        return static_cast<int>(ExitStatus::Failed);
    }
    if (parsed.options.help)
        return static_cast<int>(writeOut(console, usage(messages), messages));
    if (parsed.options.version)
        return static_cast<int>(writeOut(console, kVersion, messages));
    if (parsed.options.listRules != ListRules::No)
        return static_cast<int>(writeOut(console, parsed.options.listRules == ListRules::Json
                                                      ? ruleListJson()
                                                      : ruleListText(),
                                         messages));
    const CliOptions& options = parsed.options;
    Checker checker(options, messages);
    std::vector<Job> jobs = checker.jobs();
    unsigned threads = options.jobs;
    if (threads == 0)  // one per core; the count is read from the system, so only when needed
        threads = jobs.size() > 1 ? std::max(1u, std::thread::hardware_concurrency()) : 1;
    std::unique_ptr<ReportSession> report;
    // A translation file's report is its only output: one is printed
    // (as text, unless a format is asked for) whenever the call has one.
    const bool entries = std::any_of(jobs.begin(), jobs.end(),
                                     [](const Job& job) { return job.format.has_value(); });
    if (options.report.wanted || entries) {
        CliOptions reporting = options;
        reporting.report.wanted = true;
        std::string error = callFileClash(options.report, jobs, messages);
        if (error.empty())
            report = ReportSession::open(reporting, console.out(), error);
        if (!report) {
            console.err() << "corvel-check: " << oneLine(error) << '\n';
            return static_cast<int>(ExitStatus::Failed);
        }
    }
    ExitStatus status = report
        ? checkAndReportAll(checker, jobs, threads, console, *report, messages)
        : checkAll(checker, jobs, threads, console, messages);
    if (report) {
        std::string error = report->finish();
        if (!error.empty()) {
            console.err() << "corvel-check: " << oneLine(error) << '\n';
            status = ExitStatus::Failed;
        }
        if (report->failed())
            status = std::max(status, ExitStatus::Flagged);
    }
    return static_cast<int>(std::max(status, flushOut(console, messages)));
}

}  // namespace

// A failure thrown past the dictionaries' own handling (memory ran out
// while setting up or printing) still ends with status 2 and its cause.
int runChecker(const std::vector<std::string>& args, Console& console, Language language)
{
    try {
        return checkWithOptions(args, console, language);
    } catch (const std::exception& failure) {
        console.err() << "corvel-check: " << Error::fromException(failure, "").cause() << '\n'
                      << std::flush;
        return static_cast<int>(ExitStatus::Failed);
    }
}

int runChecker(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    Console console(out, err);
    return runChecker(args, console);
}

int finishOutput(int status, Console& console, Language language)
{
    ExitStatus flushed = flushOut(console, Messages(language));
    return flushed == ExitStatus::Failed ? static_cast<int>(flushed) : status;
}

}  // namespace corvel::cli
