#include "line_reports.h"

#include <bit>

namespace corvel::scan {

namespace {
// A block reports at most 64 lines; one more for a line left from the read before.
constexpr std::size_t kBatch = 1024;
constexpr std::size_t kBlockRoom = 65;

unsigned highestBit(std::uint64_t x)
{
    return 63u - static_cast<unsigned>(std::countl_zero(x));
}

// Bits 0..bit of a mask (`bit` given as a one-bit mask).
std::uint64_t upTo(std::uint64_t bit)
{
    return bit | (bit - 1);
}
}  // namespace

LineReports::LineReports(Layout layout, bool copying, std::size_t keepLimit)
    : layout_(layout), copying_(copying), keepLimit_(keepLimit)
{
    lines_.reserve(kBatch);
}

void LineReports::startInput(const ScanInput& input)
{
    input_ = input;
    if (hasPending_)
        resolvePending(input.data[0] == '\n' ? 2 : 1);
}

LineFlag LineReports::flagOf(const BlockFacts& facts, std::uint64_t bit,
                             std::uint64_t number) const
{
    const bool pairs = layout_ == Layout::LinePairs;
    if (facts.classA & bit)
        return pairs ? LineFlag::Empty : LineFlag::NoEquals;
    if (facts.flagged & bit)
        return !pairs || number % 2 == 0 ? LineFlag::Untranslated : LineFlag::Erroneous;
    return LineFlag::None;
}

LineReports::BlockOutcome LineReports::addBlock(const BlockFacts& f)
{
    std::uint64_t toReport = f.report;
    std::uint64_t partners = 0;
    bool partnerDue = f.partnerDue;
    if (partnerDue && f.cr != 0) {
        partners = f.cr & (0 - f.cr);
        toReport |= partners;
        partnerDue = false;
    }
    while (toReport != 0) {
        const std::uint64_t bit = toReport & (0 - toReport);
        toReport ^= bit;
        ScannedLine line;
        line.number = f.linesBefore + static_cast<unsigned>(std::popcount(f.cr & (bit - 1))) + 1;
        const std::uint64_t starts = f.starts & upTo(bit);
        if (starts != 0) {
            const unsigned top = highestBit(starts);
            const std::uint64_t rest = starts ^ (std::uint64_t {1} << top);
            line.start = f.offset + top;
            line.previousStart = rest != 0 ? f.offset + highestBit(rest) : f.lastStart;
        } else {  // the line began in an earlier block
            line.start = f.lastStart;
            line.previousStart = f.previousStart;
        }
        const unsigned at = static_cast<unsigned>(std::countr_zero(bit));
        line.end = f.offset + at;
        line.flag = flagOf(f, bit, line.number);
        if (copying_ && layout_ == Layout::LinePairs && line.flag != LineFlag::None
            && line.number % 2 != 0) {
            // The copy drops or keeps the pair whole: its even line is reported too.
            const std::uint64_t later = f.cr & ~upTo(bit);
            if (later != 0) {
                partners |= later & (0 - later);
                toReport |= later & (0 - later);
            } else {
                partnerDue = true;
            }
        }
        const std::size_t index = f.index + at;
        if (index + 1 < input_.size) {
            line.terminator = input_.data[index + 1] == '\n' ? 2 : 1;
            line.text = textOf(line.start, line.end, straddle_);
            lines_.push_back(line);
        } else {
            defer(line, line.flag != LineFlag::None || (partners & bit) != 0);
        }
    }
    return {partnerDue, lines_.size() + kBlockRoom > kBatch};
}

// Keeps a line whose CR is the last byte read until the next byte tells
// its terminator. Its bytes are copied: the read's buffer is reused.
void LineReports::defer(const ScannedLine& line, bool mustReport)
{
    pending_ = line;
    pendingMustReport_ = mustReport;
    hasPending_ = true;
    const char* text = line.size() <= keepLimit_ ? textOf(line.start, line.end, pendingText_)
                                                 : nullptr;
    if (text != nullptr && text != pendingText_.data())
        pendingText_.assign(text, static_cast<std::size_t>(line.size()));
    pending_.text = text != nullptr ? pendingText_.data() : nullptr;
}

void LineReports::resolvePending(std::uint8_t terminator)
{
    hasPending_ = false;
    pending_.terminator = terminator;
    if (!pendingMustReport_ && !(copying_ && terminator == 1))
        return;
    // The batch may still show the text until the next input: swap it out
    // of the string the next deferred line is copied to.
    resolvedText_.swap(pendingText_);
    if (pending_.text != nullptr)
        pending_.text = resolvedText_.data();
    lines_.push_back(pending_);
}

// The bytes of a line that ends in the current input: in place when it
// starts there too, else joined to the kept head of the line.
const char* LineReports::textOf(std::uint64_t start, std::uint64_t end, std::string& store)
{
    if (start >= input_.offset)
        return reinterpret_cast<const char*>(input_.data) + (start - input_.offset);
    if (!headKept_ || headStart_ != start || end - start > keepLimit_)
        return nullptr;
    store.assign(head_);
    store.append(reinterpret_cast<const char*>(input_.data),
                 static_cast<std::size_t>(end - input_.offset));
    return store.data();
}

void LineReports::keepOpenLine(const ScanState& state)
{
    const std::uint64_t inputEnd = input_.offset + input_.size;
    const char* data = reinterpret_cast<const char*>(input_.data);
    if (state.crCarry != 0 || state.startCarry != 0) {
        headKept_ = false;  // the next line starts in the next input
    } else if (state.lastStart >= input_.offset) {
        headKept_ = inputEnd - state.lastStart <= keepLimit_;
        if (headKept_)
            head_.assign(data + (state.lastStart - input_.offset),
                         static_cast<std::size_t>(inputEnd - state.lastStart));
    } else {
        headKept_ = headKept_ && headStart_ == state.lastStart
                    && head_.size() + input_.size <= keepLimit_;
        if (headKept_)
            head_.append(data, input_.size);
    }
    headStart_ = state.lastStart;
}

LineFlag LineReports::lastLineFlag(const ScanState& state, std::uint64_t number) const
{
    if (layout_ == Layout::LinePairs) {
        if (state.carryA != 0)
            return LineFlag::Empty;
        const bool high = state.carryB == 0;
        if (number % 2 != 0)
            return high ? LineFlag::Erroneous : LineFlag::None;
        return high ? LineFlag::None : LineFlag::Untranslated;
    }
    if (state.carryA != 0)
        return LineFlag::NoEquals;
    // Still searching after the first '=', or that '=' was the last byte.
    if (state.carryB != 0 || state.afterEquals != 0)
        return LineFlag::Untranslated;
    return LineFlag::None;
}

bool LineReports::finish(const ScanState& state, std::uint64_t fileSize)
{
    if (hasPending_)
        resolvePending(1);
    // Bytes after the last terminator form the last line.
    if (state.crCarry != 0 || state.startCarry != 0)
        return false;
    ScannedLine line;
    line.number = state.lines + 1;
    line.start = state.lastStart;
    line.end = fileSize;
    line.previousStart = state.previousStart;
    line.terminator = 0;
    line.flag = lastLineFlag(state, line.number);
    if (headKept_ && headStart_ == line.start)
        line.text = head_.data();
    if (line.flag != LineFlag::None || copying_ || state.partnerDue)
        lines_.push_back(line);
    return true;
}

}  // namespace corvel::scan
