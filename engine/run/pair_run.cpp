// The line-pair layout: odd lines English, even lines Chinese. Its rules
// decide each line's class, keep or drop whole pairs in correct mode, and in
// check mode may stop at an empty line or after a row of erroneous lines.
#include "check_run.h"
#include "pair_log.h"
#include "pair_rules.h"

namespace corvel {

namespace {

class PairLayout : public LayoutRules {
public:
    explicit PairLayout(RunContext& context)
        : context_(context),
          log_(context.files().log, context.mode(), context.options(), context.request().clock,
               context.request().encoding),
          rules_(context)
    {
        context_.setLog(log_);
    }

    std::optional<RunEnding> openOutputs() override
    {
        const RunNames& names = context_.names();
        File::Access access = context_.option(Option::ReplaceLog) ? File::Access::Write
                                                                  : File::Access::Append;
        if (auto end = context_.openOutput(FileNumber::Log, names.logName, access))
            return end;
        log_.writeBanner();
        if (auto end = context_.checkWrites())
            return end;
        const LogCaptions& captions = context_.request().captions;
        if (context_.correcting()) {
            if (auto end = context_.openOutput(FileNumber::Corrected, names.fileName,
                                               File::Access::Write))
                return end;
            log_.writeCorrectHeader(captions, {context_.option(Option::DeleteEmpty),
                                               context_.option(Option::DeleteErroneous),
                                               context_.option(Option::DeleteUntranslated)});
        } else {
            log_.writeCheckHeader(captions.checkOperation);
        }
        return context_.checkWrites();
    }

    void beforeLine() override
    {
        if (context_.correcting() && pairComplete())
            rules_.appendPendingPair();
    }

    std::optional<RunEnding> handleLine(std::string_view line) override
    {
        return follow(rules_.handle(line));
    }

    scan::Layout scanLayout() const override { return scan::Layout::LinePairs; }

    void goodEnglishCopied() override { rules_.goodEnglishCopied(); }

    std::optional<RunEnding> handleFlagged(std::string_view line, LineClass flag,
                                           const LongText* longText, bool neverWritten) override
    {
        return follow(rules_.handle(flag, line, longText, neverWritten));
    }

    void commitLast() override
    {
        if (pairComplete())
            rules_.appendPendingPair();
    }

    EndOffer endOffer() const override
    {
        return context_.option(Option::PromptAtEnd) ? EndOffer::Ask : EndOffer::Beep;
    }

private:
    std::optional<RunEnding> follow(LineVerdict verdict)
    {
        switch (verdict) {
        case LineVerdict::Continue: break;
        case LineVerdict::EmptyLineStop: return stopAtEmptyLine();
        case LineVerdict::SeriousErrorStop: return stopAtSeriousError();
        }
        return context_.checkWrites();
    }

    // The lines read so far end a line pair.
    bool pairComplete() const
    {
        const std::int32_t lines = context_.counts().lines;
        return lines % 2 == 0 && lines > 0;
    }

    // Writes the stop trailer and closes the dictionary and the log.
    std::optional<RunEnding> writeStopTrailer(const Stop& stop)
    {
        const RunCounts counts = context_.counts();
        context_.toLog([&](RunSink& s) { s.stopped(stop, counts); });
        (void)context_.files().dictionary.close();
        if (auto end = context_.closeOutput(FileNumber::Log))
            return end;
        context_.tell([&](RunSink& s) { s.stopped(stop, counts); });
        return std::nullopt;
    }

    RunEnding stopAtEmptyLine()
    {
        if (auto end = writeStopTrailer({StopCause::EmptyLine, context_.counts().lines}))
            return *end;
        if (context_.host().ask(Question::OpenLogAfterEmpty) == Answer::Ok) {
            if (auto end = context_.openLog(LogOpening::AfterEmptyLineStop,
                                            RunEnding::EmptyLineStop))
                return *end;
        }
        context_.tell([](RunSink& s) { s.waiting(); });
        return RunEnding::EmptyLineStop;
    }

    RunEnding stopAtSeriousError()
    {
        // The trailer names the first line of the row; never a number below 1.
        const std::int32_t firstOfRow = rules_.rowStart() > 0 ? rules_.rowStart() : 1;
        if (auto end = writeStopTrailer({StopCause::RowOfErrors, firstOfRow}))
            return *end;
        (void)context_.host().ask(Question::SeriousError);
        if (auto end = context_.openLog(LogOpening::AfterSeriousError,
                                        RunEnding::SeriousErrorStop))
            return *end;
        return context_.endApplication(RunEnding::SeriousErrorStop);
    }

    RunContext& context_;
    PairLog log_;
    PairRules rules_;
};

}  // namespace

RunReport runLinePairCheck(const RunRequest& request, RunHost& host, const RunSinks& sinks)
{
    RunContext context(request, host, sinks);
    PairLayout layout(context);
    return CheckRun(context, layout).run();
}

}  // namespace corvel
