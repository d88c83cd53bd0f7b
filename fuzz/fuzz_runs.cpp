// libFuzzer target: feeds arbitrary bytes as a dictionary of either layout,
// in either mode with options and host answers taken from the input, and
// holds every run to the promises the product makes about its files:
// the dictionary is never changed, the log quotes every flagged line exactly
// and counts what it lists, the findings reported are the log's entries, the
// corrected dictionary only ever drops whole entries, and nothing is written
// or reported after the application has been ended. The dictionary then
// goes through the report's rules and its three writers (report_check.h),
// and is read again under each encoding and kind of line end.
//
// Input: byte 0 scenario flags, byte 1 the option boxes, bytes 2-9 the seed
// of the host's answers, the rest the dictionary.
#include "corvel/check_runs.h"
#include "log_reader.h"
#include "random_host.h"
#include "reference.h"
#include "report_check.h"
#include "short_reads.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using namespace corvel;
using namespace corvel::fuzz;

namespace {

constexpr std::size_t kHeader = 10;
const std::string kOldLog = "old log\r\n";
const std::string kOldCorrected = "old corrected\r\n";
const std::string kBlocker = "a file in the way\r\n";

enum class Setup {
    Plain,           // a dictionary in a fresh folder
    OldFiles,        // the output folder already holds a log and a corrected file
    InsideOutput,    // the dictionary lies in its own output folder
    BlockedOutput,   // a file has the output folder's name
};

struct Scenario {
    LogLayout layout = LogLayout::LinePairs;
    Mode mode = Mode::Check;
    bool liveOptions = false;
    std::string fileName;
    Setup setup = Setup::Plain;
    std::uint8_t options = 0;
    std::uint64_t seed = 0;
    std::string dictionary;
};

Scenario readScenario(const std::uint8_t* data, std::size_t size)
{
    std::uint8_t head[kHeader] = {};
    std::memcpy(head, data, size < kHeader ? size : kHeader);
    static const char* const names[] = {"d.txt", "d.log", "d.LOG", "a.b.DAT",
                                        "nodot", "d.txt", "d.txt", "d.txt"};
    Scenario s;
    s.layout = (head[0] & 1) ? LogLayout::Equals : LogLayout::LinePairs;
    s.mode = (head[0] & 2) ? Mode::Correct : Mode::Check;
    s.liveOptions = (head[0] & 4) != 0;
    s.fileName = names[(head[0] >> 3) & 7];
    s.setup = static_cast<Setup>(head[0] >> 6);
    s.options = head[1];
    for (int i = 0; i < 8; ++i)
        s.seed = (s.seed << 8) | head[2 + i];
    if (size > kHeader)
        s.dictionary.assign(reinterpret_cast<const char*>(data) + kHeader, size - kHeader);
    return s;
}

[[noreturn]] void violated(const char* what, const std::string& detail = {})
{
    std::fprintf(stderr, "INVARIANT VIOLATED: %s %s\n", what, detail.c_str());
    std::abort();
}

void require(bool ok, const char* what, const std::string& detail = {})
{
    if (!ok)
        violated(what, detail);
}

std::string readFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void writeFile(const fs::path& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

// Every file under `folder` with its bytes, by relative path.
using Tree = std::map<std::string, std::string>;
Tree snapshot(const fs::path& folder)
{
    Tree tree;
    for (const auto& e : fs::recursive_directory_iterator(folder)) {
        std::string rel = fs::relative(e.path(), folder).string();
        tree[rel] = e.is_regular_file() ? readFile(e.path()) : std::string("<folder>");
    }
    return tree;
}

// The folder all runs of this process work in: memory-backed where possible,
// removed when the process exits.
class Sandbox {
public:
    Sandbox()
    {
        fs::path base = fs::exists("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
        root_ = base / ("corvel-fuzz-" + std::to_string(::getpid()));
        fs::create_directories(root_);
    }
    ~Sandbox()
    {
        std::error_code ec;
        fs::remove_all(root_, ec);
    }
    const fs::path& root() const { return root_; }

private:
    fs::path root_;
};

const fs::path& sandbox()
{
    static const Sandbox box;
    return box.root();
}

struct Names {
    std::string base;  // the output folder
    std::string log;
};

std::optional<Names> namesOf(const std::string& fileName)
{
    std::size_t dot = fileName.rfind('.');
    if (dot == std::string::npos)
        return std::nullopt;
    std::string ext = fileName.substr(dot);
    for (char& c : ext)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    std::string base = fileName.substr(0, dot);
    return Names {base, base + (ext == ".log" ? "1.log" : ".log")};
}

// The case under test: its folder, the files laid out before the run.
struct Stage {
    fs::path work;
    fs::path dictionary;
    std::optional<Names> names;
    Tree before;
};

Stage lay(const Scenario& s)
{
    Stage st;
    st.work = sandbox() / "w";
    fs::remove_all(st.work);
    fs::create_directories(st.work);
    st.names = namesOf(s.fileName);
    st.dictionary = st.work / s.fileName;
    if (st.names) {
        fs::path out = st.work / st.names->base;
        switch (s.setup) {
        case Setup::Plain: break;
        case Setup::OldFiles:
            fs::create_directory(out);
            writeFile(out / st.names->log, kOldLog);
            writeFile(out / s.fileName, kOldCorrected);
            break;
        case Setup::InsideOutput:
            fs::create_directory(out);
            st.dictionary = out / s.fileName;
            break;
        case Setup::BlockedOutput: writeFile(out, kBlocker); break;
        }
    }
    writeFile(st.dictionary, s.dictionary);
    st.before = snapshot(st.work);
    return st;
}

bool flagged(Kind k)
{
    return k != Kind::Good;
}

Kind kindOf(const Scenario& s, std::string_view line, std::int32_t number)
{
    return s.layout == LogLayout::LinePairs ? pairKind(line, number) : equalsKind(line);
}

bool fixedOption(const Scenario& s, Option o)
{
    return (s.options >> static_cast<int>(o)) & 1u;
}

Kind kindOf(LineClass what)
{
    switch (what) {
    case LineClass::Empty: return Kind::Empty;
    case LineClass::Erroneous: return Kind::Erroneous;
    case LineClass::Untranslated: return Kind::Untranslated;
    case LineClass::MissingEquals: return Kind::SeriousError;
    case LineClass::Good: break;
    }
    return Kind::Good;
}

// The sinks heard one finding for each entry of the log, in its order.
void checkFindings(const ParsedLog& log, const HostTrace& trace)
{
    require(log.entries.size() == trace.findings.size(),
            "the findings reported differ from the log's entries");
    for (std::size_t i = 0; i < log.entries.size(); ++i) {
        const auto& [line, what] = trace.findings[i];
        require(log.entries[i].line == line && log.entries[i].kind == kindOf(what),
                "a finding differs from its log entry", std::to_string(line));
    }
}

// The log lists exactly the flagged lines read, each quoted unchanged, and
// its summary or trailer counts what it lists.
void checkLog(const Scenario& s, const Stage& st, const RunReport& r,
              const std::vector<std::string_view>& lines, const HostTrace& trace)
{
    fs::path path = st.work / st.names->base / st.names->log;
    if (!fs::exists(path)) {
        require(r.lines == 0, "lines were read but no log was written");
        require(trace.findings.empty(), "findings were reported but no log was written");
        return;
    }
    std::string bytes = readFile(path);
    std::string_view section = bytes;
    if (s.setup == Setup::OldFiles) {
        bool kept = section.substr(0, kOldLog.size()) == kOldLog;
        if (s.layout == LogLayout::Equals || !s.liveOptions) {
            bool append = s.layout == LogLayout::LinePairs && !fixedOption(s, Option::ReplaceLog);
            require(kept == append, "the earlier log was not kept or replaced as chosen");
        }
        if (kept)
            section.remove_prefix(kOldLog.size());
    }
    ParsedLog log = parseLog(section, s.layout);
    require(log.problem.empty(), "log does not read", log.problem);
    checkFindings(log, trace);

    LogCounts listed;
    std::int32_t next = 1;
    for (const LogEntry& e : log.entries) {
        require(e.line >= next && e.line <= r.lines, "entry out of order or beyond the lines read");
        for (; next < e.line; ++next)
            require(!flagged(kindOf(s, lines[next - 1], next)), "flagged line without entry",
                    std::to_string(next));
        ++next;
        std::string_view text = lines[e.line - 1];
        require(kindOf(s, text, e.line) == e.kind, "entry of the wrong kind",
                std::to_string(e.line));
        if (e.kind != Kind::Empty)
            require(e.quoted == text, "entry does not quote its line", std::to_string(e.line));
        if (e.kind == Kind::Empty) ++listed.empty;
        else if (e.kind == Kind::Untranslated) ++listed.untranslated;
        else ++listed.erroneous;
    }
    for (; next <= r.lines; ++next)
        require(!flagged(kindOf(s, lines[next - 1], next)), "flagged line without entry",
                std::to_string(next));
    require(listed.untranslated == r.untranslated && listed.erroneous == r.erroneous &&
                listed.empty == r.empty,
            "the run's counts differ from the entries");
    if (log.counts) {
        const LogCounts& c = *log.counts;
        require(c.untranslated == listed.untranslated && c.erroneous == listed.erroneous &&
                    c.empty == listed.empty,
                "the summary's counts differ from the entries");
        require(c.lines == r.lines, "the summary's line count differs from the lines read");
    }
    if (r.ending == RunEnding::Finished)
        require(log.closingBanner && log.counts && !log.stopAt &&
                    r.lines == std::int32_t(lines.size()),
                "a finished run without its summary");
    if (r.ending == RunEnding::EmptyLineStop || r.ending == RunEnding::SeriousErrorStop)
        require(log.stopAt && log.counts && !log.closingBanner, "a stop without its trailer");
    if (r.ending == RunEnding::Ended)
        require(!log.counts && !log.stopAt && !log.closingBanner, "an ended run with a summary");
    if (log.stopAt)
        require(!log.entries.empty() && log.entries.back().line == r.lines,
                "the stop trailer does not follow the stopping line's entry");
}

// Check mode with fixed options: the run stops exactly where the rules say.
void checkStop(const Scenario& s, const RunReport& r, const std::vector<std::string_view>& lines,
               const ParsedLog* log)
{
    auto stop = pairStop(lines, fixedOption(s, Option::StopOnEmpty),
                         fixedOption(s, Option::StopOnErrors));
    if (r.ending == RunEnding::Ended) {
        require(!stop || r.lines < stop->line, "ran on past its stop");
        return;
    }
    if (!stop) {
        require(r.lines == std::int32_t(lines.size()), "stopped early without cause");
        require(r.ending != RunEnding::EmptyLineStop && r.ending != RunEnding::SeriousErrorStop,
                "stopped without cause");
        return;
    }
    require(r.lines == stop->line, "did not stop where the rules stop", std::to_string(stop->line));
    if (r.ending == RunEnding::EmptyLineStop || r.ending == RunEnding::SeriousErrorStop) {
        bool empty = stop->cause == PairStop::Cause::EmptyLine;
        require((r.ending == RunEnding::EmptyLineStop) == empty, "stopped for the wrong cause");
    }
    if (log && log->stopAt)
        require(*log->stopAt == stop->eventLine, "the trailer names the wrong line",
                std::to_string(*log->stopAt));
}

bool dropped(const Scenario& s, Kind k)
{
    switch (k) {
    case Kind::Empty: return fixedOption(s, Option::DeleteEmpty);
    case Kind::Erroneous: return fixedOption(s, Option::DeleteErroneous);
    case Kind::Untranslated: return fixedOption(s, Option::DeleteUntranslated);
    default: return false;
    }
}

// Whether `out` holds the input entries it may: with fixed options exactly
// the kept ones among lines 1 to `limit`, otherwise some of them in order.
bool correctedMatches(const Scenario& s, const std::vector<std::string_view>& lines,
                      const std::vector<std::string_view>& out, std::int32_t limit,
                      std::string& why)
{
    // Equals-line verdicts depend on no option; line-pair ones on fixed options.
    bool exact = s.layout == LogLayout::Equals || !s.liveOptions;
    std::size_t step = s.layout == LogLayout::LinePairs ? 2 : 1;
    std::size_t o = 0;
    for (std::size_t i = 0; i + step <= std::size_t(std::max(limit, 0)); i += step) {
        bool kept = true;
        for (std::size_t j = i; j < i + step; ++j) {
            Kind k = kindOf(s, lines[j], std::int32_t(j + 1));
            kept = kept && (s.layout == LogLayout::Equals ? k == Kind::Good : !dropped(s, k));
        }
        bool present = o + step <= out.size();
        for (std::size_t j = 0; present && j < step; ++j)
            present = out[o + j] == lines[i + j];
        if (exact && kept && !present) {
            why = "a kept entry is missing from the corrected dictionary: " + std::to_string(i + 1);
            return false;
        }
        if (present && (kept || !exact))
            o += step;
    }
    if (o != out.size()) {
        why = "the corrected dictionary holds a line that is not a kept input entry";
        return false;
    }
    return true;
}

// The corrected dictionary holds input entries only, in order, pairs whole;
// with fixed options exactly the kept ones read before the run ended.
void checkCorrected(const Scenario& s, const Stage& st, const RunReport& r,
                    const std::vector<std::string_view>& lines)
{
    fs::path path = st.work / st.names->base / s.fileName;
    if (path == st.dictionary || !fs::exists(path))
        return;
    std::string bytes = readFile(path);
    if (s.mode == Mode::Check) {
        require(s.setup == Setup::OldFiles && bytes == kOldCorrected,
                "check mode wrote a corrected dictionary");
        return;
    }
    std::vector<std::string_view> out;
    for (std::size_t at = 0; at < bytes.size();) {
        std::size_t end = bytes.find("\r\n", at);
        require(end != std::string::npos, "corrected dictionary ends inside a line");
        out.emplace_back(bytes.data() + at, end - at);
        at = end + 2;
    }
    // Pairs (lines) are appended just before the next read: a run ended by
    // ESC never appends the one in hand; a failed read may or may not.
    bool readFailure = r.ending == RunEnding::UnknownError && r.error.op() == FileOp::Read;
    std::int32_t limit = r.ending == RunEnding::Ended ? r.lines - 1 : r.lines;
    std::string why;
    bool ok = correctedMatches(s, lines, out, limit, why);
    if (!ok && readFailure)
        ok = correctedMatches(s, lines, out, limit - 1, why);
    require(ok, why.c_str());
}

// The run ended the application exactly when the failure rule says, wrote
// and reported nothing after that, and honoured an ESC.
void checkEnding(const RunReport& r, const RandomHost& w, const Tree& after,
                 const std::optional<Tree>& atEnd)
{
    require(!w.trace().callAfterEnd, "the run went on after ending the application");
    if (w.trace().endedApplication) {
        require(after == *atEnd, "files changed after the application was ended");
        require(r.ending == RunEnding::SeriousErrorStop || r.ending == RunEnding::UnknownError,
                "ended the application for a harmless ending");
    } else {
        // A missing editor at the serious-error stop takes the place of the end.
        bool editorMissing = w.trace().openLogFailed && r.ending == RunEnding::SeriousErrorStop;
        require(r.ending != RunEnding::UnknownError &&
                    (r.ending != RunEnding::SeriousErrorStop || editorMissing),
                "a fatal ending left the application running");
    }
    require(w.trace().answeredStop == (r.ending == RunEnding::Ended),
            "an ESC stop was not honoured");
}

// Only the log and the corrected dictionary appear, in the output folder.
void checkFilesWritten(const Scenario& s, const Stage& st, const Tree& after)
{
    for (const auto& [name, bytes] : after) {
        bool known = st.before.count(name) || name == st.names->base ||
                     name == st.names->base + "/" + st.names->log ||
                     name == st.names->base + "/" + s.fileName;
        require(known, "an unexpected file was written", name);
    }
}

void checkStopOfCheckRun(const Scenario& s, const Stage& st, const RunReport& r,
                         const std::vector<std::string_view>& lines)
{
    std::string logBytes = readFile(st.work / st.names->base / st.names->log);
    std::string_view section = logBytes;
    if (section.substr(0, kOldLog.size()) == kOldLog)
        section.remove_prefix(kOldLog.size());
    ParsedLog log = parseLog(section, s.layout);
    checkStop(s, r, lines, &log);
}

void checkRun(const Scenario& s, const Stage& st, const RunReport& r, const RandomHost& w,
              const std::optional<Tree>& atEnd, bool readFailed)
{
    require(readFile(st.dictionary) == s.dictionary, "the dictionary was changed");
    Tree after = snapshot(st.work);
    checkEnding(r, w, after, atEnd);
    if (!st.names || s.setup == Setup::BlockedOutput) {
        require(r.ending == RunEnding::UnknownError && after == st.before,
                "a run that cannot name or enter its folder wrote something");
        return;
    }
    if (s.setup == Setup::InsideOutput && s.mode == Mode::Correct)
        require(r.ending == RunEnding::UnknownError, "the corrected dictionary would overwrite it");
    checkFilesWritten(s, st, after);
    std::vector<std::string_view> lines = splitDictionary(s.dictionary);
    require(r.lines <= std::int32_t(lines.size()), "more lines read than there are");
    if (readFailed && r.ending != RunEnding::Ended) {
        // A failed read is an unknown error: no summary, every whole line read logged.
        require(r.ending == RunEnding::UnknownError, "a read failure passed unnoticed");
    } else {
        if (lines.empty() && r.ending != RunEnding::UnknownError)
            require(r.ending == RunEnding::Finished || r.ending == RunEnding::FileNotFound,
                    "an empty dictionary is a run of zero lines");
        if (s.layout == LogLayout::LinePairs && s.mode == Mode::Check && !s.liveOptions)
            checkStopOfCheckRun(s, st, r, lines);
    }
    checkLog(s, st, r, lines, w.trace());
    checkCorrected(s, st, r, lines);
}

}  // namespace

// A plain host for comparing the two ways of reading: it answers Ok, and keeps what a sink hears (long lines joined).
class PlainHost : public RunHost, public RunSink, public OptionSource {
public:
    explicit PlainHost(std::uint8_t options) : options_(options) {}
    bool lineDone(std::int32_t) override { return true; }
    Answer ask(Question) override { return Answer::Ok; }
    Error openLog(const fs::path&, LogOpening) override { return {}; }
    void beep() override {}
    void endApplication() override {}
    bool option(Option o) const override { return (options_ >> static_cast<int>(o)) & 1; }
    void finding(const Finding& f) override
    {
        heard += std::to_string(f.line) + ' ' + std::to_string(static_cast<int>(f.what)) + ' ';
        if (f.longText == nullptr)
            heard.append(f.text);
        else
            (void)f.longText->forEachPiece(
                [](void* to, std::string_view p) { static_cast<std::string*>(to)->append(p); },
                &heard);
        heard += '\n';
    }
    std::string heard;

private:
    std::uint8_t options_;
};

// How a plain run reads the dictionary.
struct Reading {
    TextEncoding encoding = TextEncoding::Gbk;
    LineEnds lineEnds = LineEnds::CrLf;
};

// The outputs and report of one run with a plain host, in a folder of its
// own: what the host heard, then every file, then the counts.
std::string plainRun(const Scenario& s, bool follows, Reading reading = {})
{
    const fs::path work = sandbox() / (follows ? "by-lines" : "by-blocks");
    std::error_code ec;
    fs::remove_all(work, ec);
    fs::create_directories(work);
    writeFile(work / "d.txt", s.dictionary);
    PlainHost host(s.options);
    RunRequest request;
    request.layout = s.layout == LogLayout::LinePairs ? Layout::LinePairs : Layout::Equals;
    request.dictionary = work / "d.txt";
    request.outputParent = work;
    request.mode = s.mode;
    const LocalTime fixedTime {2002, 5, 30, 14, 5, 9};
    request.clock = [fixedTime] { return fixedTime; };
    request.options = &host;
    request.linePath = follows ? LinePath::EveryLine : LinePath::FlaggedLines;
    request.encoding = reading.encoding;
    request.lineEnds = reading.lineEnds;
    const RunReport report = runCheck(request, host, {&host});
    std::string all = host.heard;
    for (const auto& [name, bytes] : snapshot(work))
        all += "\n--- " + name + "\n" + bytes;
    all += "\n--- " + std::to_string(static_cast<int>(report.ending)) + ' ' +
           std::to_string(report.lines) + ' ' + std::to_string(report.empty) + ' ' +
           std::to_string(report.erroneous) + ' ' + std::to_string(report.untranslated);
    return all;
}

bool holdsLoneLf(const std::string& bytes)
{
    for (std::size_t i = 0; i < bytes.size(); ++i)
        if (bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r'))
            return true;
    return false;
}

// What the host heard and the counts, without the files (whose texts
// differ between the encodings of the log).
std::string heardAndCounts(const std::string& run)
{
    return run.substr(0, run.find("\n--- ")) + run.substr(run.rfind("\n--- "));
}

// The same dictionary read with any line end and as UTF-8, in the reading
// the seed picks. Without a lone LF, any line end reads it as CR LF does;
// without a byte of 0x80 or a byte-order mark, UTF-8 finds the lines and
// classes GBK finds.
void checkOtherReadings(const Scenario& s, const std::string& usual)
{
    const Reading reading {(s.seed >> 44) & 1 ? TextEncoding::Utf8 : TextEncoding::Gb18030,
                           (s.seed >> 45) & 1 ? LineEnds::Any : LineEnds::CrLf};
    const std::string other = plainRun(s, (s.seed >> 46) & 1, reading);
    const bool sameLines = reading.lineEnds == LineEnds::CrLf || !holdsLoneLf(s.dictionary);
    const bool sameClasses = reading.encoding != TextEncoding::Utf8 ||
                             (s.dictionary.find('\x80') == std::string::npos &&
                              s.dictionary.rfind("\xEF\xBB\xBF", 0) != 0);
    if (sameLines && reading.encoding == TextEncoding::Gb18030)
        require(other == usual, "another reading of the same lines differs");
    else if (sameLines && sameClasses)
        require(heardAndCounts(other) == heardAndCounts(usual),
                "UTF-8 finds other lines or classes in a text without 0x80");
}

// The block scan (a host that does not follow the lines) and the loop line
// by line give the same log, corrected dictionary, findings and counts.
void checkBothReadings(const Scenario& s)
{
    const std::string usual = plainRun(s, false);
    require(usual == plainRun(s, true), "the block scan and the line-by-line loop differ");
    checkOtherReadings(s, usual);
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const fs::path start = fs::current_path();
    Scenario s = readScenario(data, size);
    Stage st = lay(s);
    RandomHost host({s.options, s.liveOptions}, s.seed);
    std::optional<Tree> atEnd;
    host.onEndApplication = [&] { atEnd = snapshot(st.work); };
    RunRequest request;
    request.layout = s.layout == LogLayout::LinePairs ? Layout::LinePairs : Layout::Equals;
    request.dictionary = st.dictionary;
    request.outputParent = st.work;
    request.mode = s.mode;
    const LocalTime fixedTime {2002, 5, 30, 14, 5, 9};
    request.clock = [fixedTime] { return fixedTime; };
    request.options = &host;
    ReadPlan reads(s.seed);
    RunReport report;
    {
        ReadPlan::Scope during(reads);
        report = runCheck(request, host, {&host});
    }
    require(fs::current_path() == start, "the run changed the working directory");
    checkRun(s, st, report, host, atEnd, reads.failed());
    checkReports(st.dictionary, request.layout, report, s.seed);
    checkBothReadings(s);
    return 0;
}
