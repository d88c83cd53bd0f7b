// A host for the check runs that is also one of their sinks, and records
// everything the run does: the status events in order, the questions it
// asks by kind, the log it opens and how, beeps, the lines it reports and
// the end of the application. Its answers and its behaviour after each line
// are scripted by the test.
#pragma once

#include "corvel/check_runs.h"

#include <cstdint>
#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace corvel::test {

// Option boxes a test ticks and unticks, starting as a fresh main window
// has them; the run reads them live.
class TestOptions : public OptionSource {
public:
    TestOptions()
    {
        const DefaultOptions fresh;
        for (Option o : {Option::ReplaceLog, Option::PromptAtEnd, Option::StopOnErrors,
                         Option::StopOnEmpty, Option::DeleteEmpty, Option::DeleteErroneous,
                         Option::DeleteUntranslated})
            on[o] = fresh.option(o);
    }
    bool option(Option option) const override { return on.at(option); }

    std::map<Option, bool> on;
};

// A finding as the sink heard it, with its text copied.
struct HeardFinding {
    std::int32_t line = 0;
    LineClass what = LineClass::Empty;
    std::string text;

    bool operator==(const HeardFinding&) const = default;
};

struct LogOpened {
    std::filesystem::path log;
    LogOpening when = LogOpening::AtEnd;
};

class FakeHost : public RunHost, public RunSink {
public:
    // --- what the test sets up ---
    // Whether every line done and every finding is kept; a run of millions
    // of lines only counts them.
    bool keepsEveryLine = true;
    // Answers to the questions, in order; once they are used up,
    // `unscriptedAnswer`.
    std::deque<Answer> answers;
    Answer unscriptedAnswer = Answer::Ok;
    // What openLog reports.
    Error openLogError;
    // Called after every line with its number; returning false ends the
    // application (ESC confirmed).
    std::function<bool(std::int32_t line)> onLineDone;
    // Called while a question is open, and when the run ends the
    // application (a real window would end the process right there).
    std::function<void(Question)> onAsk;
    std::function<void()> onEndApplication;

    // --- what the run did ---
    // In the order it happened: the status events ("runStarting",
    // "outputFolderReady", "linesStarting", "stopped", "finished",
    // "waiting", "ready") and the calls "ask <question>", "openLog <when>",
    // "beep" and "end". Findings and lines are kept apart.
    std::vector<std::string> events;
    std::vector<Question> questions;
    std::vector<LogOpened> logsOpened;
    std::vector<std::int32_t> linesDone;
    std::vector<HeardFinding> findings;
    std::int64_t lineDoneCalls = 0;
    std::int64_t findingCount = 0;
    std::filesystem::path outputFolder;
    std::optional<Stop> stop;
    std::optional<RunCounts> finishedCounts;
    std::optional<RunCounts> stoppedCounts;
    int beeps = 0;
    int endApplicationCalls = 0;

    // The latest status event, or "" before the first.
    std::string lastStatus() const
    {
        for (auto e = events.rbegin(); e != events.rend(); ++e)
            if (isStatus(*e))
                return *e;
        return "";
    }
    // A run holds the host: it has started and told neither that the host
    // waits again nor that it is ready. A window keeps its controls
    // disabled meanwhile.
    bool busy() const
    {
        const std::string last = lastOf({"runStarting", "waiting", "ready"});
        return last == "runStarting";
    }
    // Only the status events, in order.
    std::vector<std::string> statusEvents() const { return eventsWhere(true); }
    // Only the calls of the host (questions, log openings, beeps, the end).
    std::vector<std::string> calls() const { return eventsWhere(false); }

    // --- RunHost ---
    bool lineDone(std::int32_t line) override
    {
        ++lineDoneCalls;
        if (keepsEveryLine)
            linesDone.push_back(line);
        return onLineDone ? onLineDone(line) : true;
    }
    Answer ask(Question question) override
    {
        questions.push_back(question);
        events.push_back(std::string("ask ") + name(question));
        if (onAsk)
            onAsk(question);
        if (answers.empty())
            return unscriptedAnswer;
        Answer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    Error openLog(const std::filesystem::path& log, LogOpening when) override
    {
        logsOpened.push_back({log, when});
        events.push_back(std::string("openLog ") + name(when));
        return openLogError;
    }
    void beep() override
    {
        ++beeps;
        events.push_back("beep");
    }
    void endApplication() override
    {
        ++endApplicationCalls;
        events.push_back("end");
        if (onEndApplication)
            onEndApplication();
    }

    // --- RunSink ---
    void runStarting() override { events.push_back("runStarting"); }
    void outputFolderReady(const std::filesystem::path& folder) override
    {
        outputFolder = folder;
        events.push_back("outputFolderReady");
    }
    void linesStarting() override { events.push_back("linesStarting"); }
    void finding(const Finding& f) override
    {
        ++findingCount;
        if (keepsEveryLine)
            findings.push_back({f.line, f.what, textOf(f)});
    }
    void stopped(const Stop& s, const RunCounts& counts) override
    {
        stop = s;
        stoppedCounts = counts;
        events.push_back("stopped");
    }
    void finished(const RunCounts& counts) override
    {
        finishedCounts = counts;
        events.push_back("finished");
    }
    void waiting() override { events.push_back("waiting"); }
    void ready() override { events.push_back("ready"); }

    // A finding's line, also when it came in pieces (a long line).
    static std::string textOf(const Finding& f)
    {
        if (f.longText == nullptr)
            return std::string(f.text);
        std::string text;
        (void)f.longText->forEachPiece(
            [](void* to, std::string_view piece) { static_cast<std::string*>(to)->append(piece); },
            &text);
        return text;
    }

    static const char* name(Question q)
    {
        switch (q) {
        case Question::DictionaryMissing: return "DictionaryMissing";
        case Question::UnknownError: return "UnknownError";
        case Question::OpenLogAtEnd: return "OpenLogAtEnd";
        case Question::OpenLogAfterEmpty: return "OpenLogAfterEmpty";
        case Question::SeriousError: return "SeriousError";
        }
        return "?";
    }
    static const char* name(LogOpening when)
    {
        switch (when) {
        case LogOpening::AtEnd: return "AtEnd";
        case LogOpening::AfterEmptyLineStop: return "AfterEmptyLineStop";
        case LogOpening::AfterSeriousError: return "AfterSeriousError";
        }
        return "?";
    }

private:
    std::vector<std::string> eventsWhere(bool status) const
    {
        std::vector<std::string> chosen;
        for (const std::string& e : events)
            if (isStatus(e) == status)
                chosen.push_back(e);
        return chosen;
    }
    static bool isStatus(const std::string& e)
    {
        return e.find(' ') == std::string::npos && e != "beep" && e != "end";
    }
    std::string lastOf(std::initializer_list<const char*> wanted) const
    {
        for (auto e = events.rbegin(); e != events.rend(); ++e)
            for (const char* w : wanted)
                if (*e == w)
                    return *e;
        return "";
    }
};

}  // namespace corvel::test
