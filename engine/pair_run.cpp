// The line-pair check run: reads the dictionary line by line, applies the
// line rules, writes the check log and, in correct mode, the corrected
// dictionary, and reports through the window.
#include "check_runs.h"
#include "pair_log.h"
#include "pair_rules.h"
#include "run_steps.h"


namespace corvel {

namespace {

class PairRun {
public:
    PairRun(RunWindow& window, const Clock& clock)
        : steps_(window, clock, {Control::Check, Control::Exit, Control::Switch}),
          window_(window),
          mode_(window.mode()),
          log_(steps_.files().log),
          rules_(window, mode_, log_, counts_, steps_.files().corrected)
    {
    }

    RunReport run()
    {
        RunEnding ending = execute();
        RunReport& report = steps_.report();
        report.lines = counts_.AllLine;
        report.erroneous = counts_.ErrLine;
        report.empty = counts_.SpaceLine;
        report.untranslated = counts_.UTraLine;
        return steps_.finish(ending);
    }

private:
    bool correcting() const { return mode_ == Mode::Correct; }
    // The lines read so far end a line pair.
    bool pairComplete() const { return counts_.AllLine % 2 == 0 && counts_.AllLine > 0; }

    RunEnding execute()
    {
        steps_.showStarting();
        if (auto end = steps_.openDictionary())
            return *end;
        if (auto end = steps_.enterOutputFolder())
            return *end;
        if (auto end = openLogAndWriteHeader())
            return *end;
        steps_.showProgress();
        if (auto end = readLines())
            return *end;
        return finishNormally();
    }

    std::optional<RunEnding> openLogAndWriteHeader()
    {
        const RunNames& names = steps_.names();
        File::Access access = window_.option(Option::ReplaceLog) ? File::Access::Write
                                                                  : File::Access::Append;
        if (auto end = steps_.openOutput(FileNumber::Log, names.logName, access))
            return end;
        log_.writeBanner();
        if (auto end = steps_.checkWrites())
            return end;
        if (correcting()) {
            if (auto end = steps_.openOutput(FileNumber::Corrected, names.fileName,
                                             File::Access::Write))
                return end;
            log_.writeCorrectHeader(window_, deletionOptions());
        } else {
            log_.writeCheckHeader(window_.caption(Caption::CheckFrame));
        }
        return steps_.checkWrites();
    }

    DeletionOptions deletionOptions() const
    {
        return {window_.option(Option::DeleteEmpty), window_.option(Option::DeleteErroneous),
                window_.option(Option::DeleteUntranslated)};
    }

    std::optional<RunEnding> readLines()
    {
        LineReader& dictionary = steps_.files().dictionary;
        while (!dictionary.atEnd()) {
            if (correcting() && pairComplete())
                rules_.appendPendingPair();
            std::string_view line;
            if (auto end = steps_.readLine(line, counts_.AllLine))
                return end;
            switch (rules_.handle(line)) {
            case LineVerdict::Continue: break;
            case LineVerdict::EmptyLineStop: return stopAtEmptyLine();
            case LineVerdict::SeriousErrorStop: return stopAtSeriousError();
            }
            if (auto end = steps_.checkWrites())
                return end;
            if (auto end = steps_.showLineAndYield(counts_.AllLine))
                return end;
        }
        return steps_.handle(dictionary.error());
    }

    RunEnding finishNormally()
    {
        OpenFiles& files = steps_.files();
        if (correcting()) {
            if (pairComplete())
                rules_.appendPendingPair();
            if (auto end = steps_.closeOutput(FileNumber::Corrected))
                return *end;
        }
        DeletionOptions deleted = correcting() ? deletionOptions() : DeletionOptions {};
        log_.writeSummary(counts_, correcting() ? &deleted : nullptr, steps_.now());
        (void)files.dictionary.close();
        if (auto end = steps_.closeOutput(FileNumber::Log))
            return *end;
        steps_.showTotal(counts_.AllLine);
        if (window_.option(Option::PromptAtEnd)) {
            if (steps_.ask("已经处理完成。是否要查看记录？", "恭喜", Buttons::OkCancel,
                           Icon::Question) == Answer::Ok) {
                if (auto end = steps_.openLogInEditor("notepad.exe  ", false, RunEnding::Finished))
                    return *end;
            }
        } else {
            window_.beep();
        }
        steps_.enableControls();
        return RunEnding::Finished;
    }

    // Writes the stop trailer and closes the dictionary and the log.
    std::optional<RunEnding> writeStopTrailer(const char* strCase, std::int32_t eventLine)
    {
        ErrStop_Log(strCase, steps_.files(), FileNumber::Log, counts_.AllLine, counts_.ErrLine,
                    counts_.SpaceLine, counts_.UTraLine, eventLine, steps_.now());
        (void)steps_.files().dictionary.close();
        return steps_.closeOutput(FileNumber::Log);
    }

    RunEnding stopAtEmptyLine()
    {
        if (auto end = writeStopTrailer("Space", counts_.AllLine))
            return *end;
        if (steps_.ask("遇到空行，停止执行程序！是否要查看记录？", "查看文件", Buttons::OkCancel,
                       Icon::Exclamation) == Answer::Ok) {
            if (auto end = steps_.openLogInEditor("notepad.exe ", false, RunEnding::EmptyLineStop))
                return *end;
        }
        steps_.showWaiting();
        return RunEnding::EmptyLineStop;
    }

    RunEnding stopAtSeriousError()
    {
        // The trailer names the first line of the row; never a number below 1.
        std::int32_t firstOfRow = rules_.rowStart() > 0 ? rules_.rowStart() : 1;
        if (auto end = writeStopTrailer("Error", firstOfRow))
            return *end;
        steps_.ask("发生了严重错误！\n请查看日志文件。", "严重错误", Buttons::Ok, Icon::Critical);
        if (auto end = steps_.openLogInEditor("notepad.exe ", true, RunEnding::SeriousErrorStop))
            return *end;
        return steps_.endApplication(RunEnding::SeriousErrorStop);
    }

    RunSteps steps_;
    RunWindow& window_;
    const Mode mode_;
    PairCounts counts_;
    PairLog log_;
    PairRules rules_;
};

}  // namespace

RunReport runLinePairCheck(RunWindow& window, const Clock& clock)
{
    PairRun run(window, clock);
    return run.run();
}

}  // namespace corvel
