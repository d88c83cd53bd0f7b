#include "check_run.h"

#include "block_lines.h"

namespace corvel {

RunEnding CheckRun::execute()
{
    context_.tell([](RunSink& s) { s.runStarting(); });
    if (auto end = context_.openDictionary())
        return *end;
    if (auto end = context_.makeOutputFolder())
        return *end;
    if (auto end = rules_.openOutputs())
        return *end;
    context_.tell([](RunSink& s) { s.linesStarting(); });
    // A host that follows the lines sees each one; otherwise only the
    // flagged lines are visited.
    const bool blocks = !context_.followsLines() && context_.usualReading();
    if (auto end = blocks ? readBlocks() : readLines())
        return *end;
    return finishNormally();
}

std::optional<RunEnding> CheckRun::readLines()
{
    LineReader& dictionary = context_.files().dictionary;
    dictionary.boundLines(&context_.outputFolder());
    while (!dictionary.atEnd()) {
        rules_.beforeLine();
        std::string_view line;
        if (auto end = context_.readLine(line))
            return end;
        if (auto end = handleLine(dictionary, line))
            return end;
        if (auto end = context_.lineDone())
            return end;
    }
    // A read failure between lines: what was read whole is committed as
    // when it falls inside a line.
    if (dictionary.error())
        rules_.beforeLine();
    return context_.handle(dictionary.error());
}

// A line too long to be held comes as its facts, and is read again from
// the file when it is quoted or copied.
std::optional<RunEnding> CheckRun::handleLine(LineReader& dictionary, std::string_view line)
{
    const LongLine* longLine = dictionary.takeLongLine();
    if (longLine == nullptr)
        return rules_.handleLine(line);
    const ReaderText text(dictionary, *longLine);
    const LineClass flag = longLine->facts.flag(
        rules_.scanLayout(), std::uint64_t(context_.counts().lines), context_.request().encoding);
    if (auto end = rules_.handleFlagged({}, flag, &text, false))
        return end;
    return context_.handle(dictionary.rereadError());
}

std::optional<RunEnding> CheckRun::readBlocks()
{
    const bool correcting = context_.correcting();
    BlockLines dictionary(context_.files().dictionary.file(), rules_.scanLayout(), correcting,
                          &context_.outputFolder());
    if (correcting)
        dictionary.beforeEachRead([&] { return copyWholeLines(dictionary); });
    RunCounts& counts = context_.counts();
    while (const scan::ScannedLine* line = dictionary.next()) {
        if (!RunContext::countable(line->number))
            return context_.tooManyLines();
        if (correcting)
            copyGoodLines(dictionary, *line);
        if (correcting && copiedPastRules(dictionary, *line)) {
            copied_ = line->next();
            lastNumber_ = line->number;
            continue;
        }
        // A line the scan did not keep is read again in pieces when needed.
        const FileText longText(dictionary, *line);
        const bool isLong = line->text == nullptr && line->size() > 0;
        counts.lines = static_cast<std::int32_t>(line->number);
        if (auto end = rules_.handleFlagged(line->view(), line->flag,
                                            isLong ? &longText : nullptr,
                                            unpairedLast(dictionary, *line)))
            return end;
        if (dictionary.error())
            return context_.handle(dictionary.error());
        copied_ = line->next();
        lastNumber_ = line->number;
    }
    if (!RunContext::countable(dictionary.lines()))
        return context_.tooManyLines();
    counts.lines = static_cast<std::int32_t>(dictionary.lines());
    if (correcting && dictionary.error())
        commitReadLines(dictionary);
    return context_.handle(dictionary.error());
}

// Correct mode, before the next read: the settled good lines go to the
// corrected dictionary now (a later flagged line would only commit them),
// so a pipe need not keep them. Returns the first byte still to be copied.
std::uint64_t CheckRun::copyWholeLines(BlockLines& dictionary)
{
    const std::uint64_t upTo = dictionary.openLine().settled;
    if (upTo > copied_) {
        dictionary.copy(copied_, upTo, context_.files().corrected, false);
        copied_ = upTo;
    }
    return copied_;
}

// Correct mode, a read failed: the lines read whole before it are committed
// as the line-by-line loop commits them, every pair that is complete (an
// English line still waiting for its Chinese line stays out).
void CheckRun::commitReadLines(BlockLines& dictionary)
{
    const std::uint64_t lines = dictionary.lines();
    const scan::OpenLine open = dictionary.openLine();
    const bool englishLast = rules_.scanLayout() == scan::Layout::LinePairs && lines % 2 != 0;
    const std::uint64_t upTo = englishLast ? open.previousStart : open.start;
    OutputFile& out = context_.files().corrected;
    if (upTo > copied_) {
        dictionary.copy(copied_, upTo, out, false);
        copied_ = upTo;
    }
    if (!(englishLast && lastNumber_ == lines))
        out.commit();
}

// A good equals line too long to keep in memory goes to the corrected
// dictionary straight from the file (the rules would only have kept it).
bool CheckRun::copiedPastRules(BlockLines& dictionary, const scan::ScannedLine& line)
{
    if (line.text != nullptr || line.flag != LineClass::Good
        || rules_.scanLayout() != scan::Layout::Equals)
        return false;
    OutputFile& out = context_.files().corrected;
    dictionary.copy(line.start, line.end, out, false);
    out.writeBytes("\r\n", 2);
    return true;
}

// An unpaired last English line never reaches the corrected dictionary.
bool CheckRun::unpairedLast(const BlockLines& dictionary, const scan::ScannedLine& line) const
{
    return rules_.scanLayout() == scan::Layout::LinePairs && line.number % 2 != 0
        && dictionary.ended() && line.number == dictionary.lines();
}

// The good lines between the line last reported and this one, copied in one
// piece. They are all kept: what the rules would have committed before this
// line is committed; only the English line of a reported Chinese line stays
// staged, for the Chinese line may still drop it.
void CheckRun::copyGoodLines(BlockLines& dictionary, const scan::ScannedLine& line)
{
    OutputFile& out = context_.files().corrected;
    const bool chinese = rules_.scanLayout() == scan::Layout::LinePairs && line.number % 2 == 0;
    if (chinese && line.number - 1 != lastNumber_) {
        dictionary.copy(copied_, line.previousStart, out, false);
        out.commit();
        dictionary.copy(line.previousStart, line.start, out, true);
        rules_.goodEnglishCopied();
        return;
    }
    dictionary.copy(copied_, line.start, out, false);
    if (!chinese)
        out.commit();
}

RunEnding CheckRun::finishNormally()
{
    OpenFiles& files = context_.files();
    if (context_.correcting()) {
        rules_.commitLast();
        if (auto end = context_.closeOutput(FileNumber::Corrected))
            return *end;
    }
    (void)files.dictionary.close();
    const RunCounts counts = context_.counts();
    context_.toLog([&](RunSink& s) { s.finished(counts); });
    if (auto end = context_.closeOutput(FileNumber::Log))
        return *end;
    context_.tell([&](RunSink& s) { s.finished(counts); });
    const EndOffer offer = rules_.endOffer();
    if (offer == EndOffer::Beep) {
        context_.host().beep();
    } else if (context_.host().ask(Question::OpenLogAtEnd) == Answer::Ok) {
        if (auto end = context_.openLog(LogOpening::AtEnd, RunEnding::Finished))
            return *end;
    } else if (offer == EndOffer::AskOrBeep) {
        context_.host().beep();
    }
    context_.tell([](RunSink& s) { s.ready(); });
    return RunEnding::Finished;
}

}  // namespace corvel
