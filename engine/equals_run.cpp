// The equals-line check run: every line is "English=Chinese"; a line without
// "=" is a serious error, a line with no translation character after its
// first "=" is untranslated. Writes its own check log and, in correct mode,
// the corrected dictionary of the accepted lines.
#include "check_runs.h"
#include "chars.h"
#include "equals_log.h"
#include "run_steps.h"

#include <cstring>

namespace corvel {

EqualsClass classifyEqualsLine(std::string_view text)
{
    const void* equals = std::memchr(text.data(), '=', text.size());
    if (equals == nullptr)
        return EqualsClass::SeriousError;
    std::size_t at = static_cast<const char*>(equals) - text.data();
    return hasTranslationChar(text.substr(at + 1)) ? EqualsClass::Accepted
                                                   : EqualsClass::Untranslated;
}

namespace {

class EqualsRun {
public:
    EqualsRun(RunWindow& window, const Clock& clock)
        : steps_(window, clock, {Control::Switch, Control::Check}),
          window_(window),
          mode_(window.mode()),
          log_(steps_.files().log)
    {
    }

    RunReport run()
    {
        RunEnding ending = execute();
        RunReport& report = steps_.report();
        report.lines = counts_.lines;
        report.erroneous = counts_.seriousErrors;
        report.untranslated = counts_.untranslated;
        return steps_.finish(ending);
    }

private:
    bool correcting() const { return mode_ == Mode::Correct; }

    RunEnding execute()
    {
        steps_.showStarting();
        if (auto end = steps_.openDictionary())
            return *end;
        if (auto end = steps_.enterOutputFolder())
            return *end;
        if (correcting()) {
            if (auto end = steps_.openOutput(FileNumber::Corrected, steps_.names().fileName,
                                             File::Access::Write))
                return *end;
        }
        if (auto end = steps_.openOutput(FileNumber::Log, steps_.names().logName,
                                         File::Access::Write))
            return *end;
        log_.writeHeader(mode_);
        if (auto end = steps_.checkWrites())
            return *end;
        steps_.showProgress();
        if (auto end = readLines())
            return *end;
        return finishNormally();
    }

    // Correct mode: the accepted line of the previous pass goes to the
    // corrected dictionary just before the next line is read. Until then it
    // is only staged, so a run that stops first leaves it out.
    void appendPending() { steps_.files().corrected.commit(); }

    std::optional<RunEnding> readLines()
    {
        LineReader& dictionary = steps_.files().dictionary;
        while (!dictionary.atEnd()) {
            if (correcting())
                appendPending();
            std::string_view line;
            if (auto end = steps_.readLine(line, counts_.lines))
                return end;
            EqualsClass lineClass = classifyEqualsLine(line);
            switch (lineClass) {
            case EqualsClass::Accepted:
                if (correcting())
                    steps_.files().corrected.stageLine(line);
                break;
            case EqualsClass::SeriousError: ++counts_.seriousErrors; break;
            case EqualsClass::Untranslated: ++counts_.untranslated; break;
            }
            if (lineClass != EqualsClass::Accepted) {
                log_.writeEntry(lineClass, counts_.lines, line);
                if (auto end = steps_.checkWrites())
                    return end;
            }
            if (auto end = steps_.showLineAndYield(counts_.lines))
                return end;
        }
        return steps_.handle(dictionary.error());
    }

    RunEnding finishNormally()
    {
        OpenFiles& files = steps_.files();
        if (correcting()) {
            appendPending();
            if (auto end = steps_.closeOutput(FileNumber::Corrected))
                return *end;
        }
        (void)files.dictionary.close();
        log_.writeSummary(mode_, counts_, steps_.now());
        if (auto end = steps_.closeOutput(FileNumber::Log))
            return *end;
        steps_.showTotal(counts_.lines);
        if (steps_.ask("已经处理完成。是否要查看记录？", "恭喜", Buttons::OkCancel,
                       Icon::Question) == Answer::Ok) {
            if (auto end = steps_.openLogInEditor("notepad.exe  ", false, RunEnding::Finished))
                return *end;
        } else {
            window_.beep();
        }
        steps_.enableControls();
        return RunEnding::Finished;
    }

    RunSteps steps_;
    RunWindow& window_;
    const Mode mode_;
    EqualsCounts counts_;
    EqualsLog log_;
};

}  // namespace

RunReport runEqualsCheck(RunWindow& window, const Clock& clock)
{
    EqualsRun run(window, clock);
    return run.run();
}

}  // namespace corvel
