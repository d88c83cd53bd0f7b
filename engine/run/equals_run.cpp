// The equals-line layout: every line is "English=Chinese"; a line without
// "=" is a serious error, a line with no translation character after its
// first "=" is untranslated. Correct mode keeps the accepted lines.
#include "check_run.h"
#include "chars.h"
#include "equals_log.h"

#include <cstring>

namespace corvel {

LineClass classifyEqualsLine(std::string_view text, TextEncoding encoding)
{
    const void* equals = std::memchr(text.data(), '=', text.size());
    if (equals == nullptr)
        return LineClass::MissingEquals;
    std::size_t at = static_cast<const char*>(equals) - text.data();
    return hasTranslationChar(text.substr(at + 1), encoding) ? LineClass::Good
                                                   : LineClass::Untranslated;
}

namespace {

class EqualsLayout : public LayoutRules {
public:
    explicit EqualsLayout(RunContext& context)
        : context_(context),
          log_(context.files().log, context.mode(), context.request().clock,
               context.request().encoding)
    {
        context_.setLog(log_);
    }

    std::optional<RunEnding> openOutputs() override
    {
        const RunNames& names = context_.names();
        if (context_.correcting()) {
            if (auto end = context_.openOutput(FileNumber::Corrected, names.fileName,
                                               File::Access::Write))
                return end;
        }
        if (auto end = context_.openOutput(FileNumber::Log, names.logName, File::Access::Write))
            return end;
        log_.writeHeader();
        return context_.checkWrites();
    }

    // Correct mode: the accepted line of the previous pass goes to the
    // corrected dictionary just before the next line is read. Until then it
    // is only staged, so a run that stops first leaves it out.
    void beforeLine() override
    {
        if (context_.correcting())
            context_.files().corrected.commit();
    }

    std::optional<RunEnding> handleLine(std::string_view line) override
    {
        return handle(classifyEqualsLine(line, context_.request().encoding), line);
    }

    scan::Layout scanLayout() const override { return scan::Layout::Equals; }

    // Flagged equals lines are never kept, so a long one is only quoted; a
    // long good one comes here only from the line-by-line loop.
    std::optional<RunEnding> handleFlagged(std::string_view line, LineClass flag,
                                           const LongText* longText, bool) override
    {
        return handle(flag, line, longText);
    }

    void commitLast() override { context_.files().corrected.commit(); }

    EndOffer endOffer() const override { return EndOffer::AskOrBeep; }

private:
    std::optional<RunEnding> handle(LineClass lineClass, std::string_view line,
                                    const LongText* longText = nullptr)
    {
        RunCounts& counts = context_.counts();
        if (lineClass == LineClass::Good) {
            if (context_.correcting() && longText != nullptr)
                context_.files().corrected.stageLine(*longText);
            else if (context_.correcting())
                context_.files().corrected.stageLine(line);
            return std::nullopt;
        }
        // A line without "=" is a serious error; the other flagged ones are untranslated.
        ++(lineClass == LineClass::MissingEquals ? counts.erroneous : counts.untranslated);
        const Finding finding {counts.lines, lineClass, line, longText};
        context_.emit([&](RunSink& s) { s.finding(finding); });
        return context_.checkWrites();
    }

    RunContext& context_;
    EqualsLog log_;
};

}  // namespace

RunReport runEqualsCheck(const RunRequest& request, RunHost& host, const RunSinks& sinks)
{
    RunContext context(request, host, sinks);
    EqualsLayout layout(context);
    return CheckRun(context, layout).run();
}

}  // namespace corvel
