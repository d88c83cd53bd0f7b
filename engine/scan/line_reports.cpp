#include "line_reports.h"

#include <bit>
#include <cstring>

namespace corvel::scan {

namespace {
// A block reports at most 64 lines; one more for a line left from the read before.
constexpr std::size_t kBatch = 1024;
constexpr std::size_t kBlockRoom = 65;

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

// One past the last CR in data[0, index), or 0 when there is none.
// A line as long as the read makes this look through all of it, once per
// read: the C library's vector search where it has one.
std::size_t LineReports::afterCrBefore(std::size_t index) const
{
#if defined(__GLIBC__)
    const void* cr = index == 0 ? nullptr : ::memrchr(input_.data, '\r', index);
    return cr == nullptr ? 0 : static_cast<std::size_t>(static_cast<const unsigned char*>(cr) - input_.data) + 1;
#else
    while (index > 0 && input_.data[index - 1] != '\r')
        --index;
    return index;
#endif
}

// Where the line open at the input's start began, and the line before it.
LineReports::Starts LineReports::startsAtInput() const
{
    if (!nextBegins_)
        return {lastStart_, previousStart_};
    // It begins here, after the LF of a CR LF split between the reads.
    const bool lf = endedWithCr_ && input_.data[0] == '\n';
    return {input_.offset + (lf ? 1 : 0), lastStart_};
}

// Where the line that ends at data[index] (or is still open there) began,
// and the line before it. The lines of a dictionary are short, so looking
// back for the CRs costs less than keeping line starts for every block.
LineReports::Starts LineReports::startsAt(std::size_t index) const
{
    const std::size_t after = afterCrBefore(index);
    if (after == 0)
        return startsAtInput();
    auto startAfter = [&](std::size_t at, std::size_t end) {
        return input_.offset + at + (at < end && input_.data[at] == '\n' ? 1 : 0);
    };
    const std::size_t before = afterCrBefore(after - 1);
    return {startAfter(after, index),
            before == 0 ? startsAtInput().start : startAfter(before, after - 1)};
}

LineClass LineReports::flagOf(const BlockFacts& facts, std::uint64_t bit,
                             std::uint64_t number) const
{
    const bool pairs = layout_ == Layout::LinePairs;
    if (facts.classA & bit)
        return pairs ? LineClass::Empty : LineClass::MissingEquals;
    if (facts.flagged & bit)
        return !pairs || number % 2 == 0 ? LineClass::Untranslated : LineClass::Erroneous;
    return LineClass::Good;
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
        const std::size_t index = f.index + static_cast<unsigned>(std::countr_zero(bit));
        const Starts starts = startsAt(index);
        ScannedLine line;
        line.number = f.linesBefore + static_cast<unsigned>(std::popcount(f.cr & (bit - 1))) + 1;
        line.start = starts.start;
        line.previousStart = starts.previous;
        line.end = input_.offset + index;
        line.flag = flagOf(f, bit, line.number);
        if (copying_ && layout_ == Layout::LinePairs && line.flag != LineClass::Good
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
        if (index + 1 < input_.size) {
            line.terminator = input_.data[index + 1] == '\n' ? 2 : 1;
            line.text = textOf(line.start, line.end, straddle_);
            push(line);
        } else {
            defer(line, line.flag != LineClass::Good || (partners & bit) != 0);
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
    push(pending_);
}

// The bytes of a line that ends in the current input: in place when it
// starts there too, else joined to the kept head of the line.
const char* LineReports::textOf(std::uint64_t start, std::uint64_t end, std::string& store)
{
    if (start >= input_.offset)
        return reinterpret_cast<const char*>(input_.data) + (start - input_.offset);
    if (!headKept_ || lastStart_ != start || end - start > keepLimit_)
        return nullptr;
    store.assign(head_);
    store.append(reinterpret_cast<const char*>(input_.data),
                 static_cast<std::size_t>(end - input_.offset));
    return store.data();
}

void LineReports::endInput()
{
    const unsigned char* data = input_.data;
    const std::size_t size = input_.size;
    const bool endsWithCr = data[size - 1] == '\r';
    const bool endsWithCrLf =
        data[size - 1] == '\n' && (size >= 2 ? data[size - 2] == '\r' : endedWithCr_);
    if (size == 1 && endsWithCrLf) {  // only the LF of the CR before
        endedWithCr_ = false;
        return;
    }
    Starts next;
    if (endsWithCr || endsWithCrLf) {
        // The next line begins in the next input; the one that ended here
        // is kept for a copy's last line.
        const std::size_t cr = endsWithCr ? size - 1 : size - 2;
        next = startsAt(cr);
        keepHead(next.start, input_.offset + cr);
    } else {
        next = startsAt(size);
        keepHead(next.start, input_.offset + size);
    }
    lastStart_ = next.start;
    previousStart_ = next.previous;
    nextBegins_ = endsWithCr || endsWithCrLf;
    endedWithCr_ = endsWithCr;
}

// Keeps the bytes [start, end) of the latest line, up to keepLimit_, adding
// to those kept before when it began in an earlier input.
void LineReports::keepHead(std::uint64_t start, std::uint64_t end)
{
    const char* data = reinterpret_cast<const char*>(input_.data);
    if (start >= input_.offset) {
        headKept_ = end - start <= keepLimit_;
        if (headKept_)
            head_.assign(data + (start - input_.offset), static_cast<std::size_t>(end - start));
    } else {
        const std::uint64_t part = end - input_.offset;
        headKept_ = headKept_ && !nextBegins_ && head_.size() + part <= keepLimit_;
        if (headKept_)
            head_.append(data, static_cast<std::size_t>(part));
    }
}

// After a CR LF as the last bytes the next line begins at the next byte;
// otherwise the latest line begun is still open (or waits for the byte
// after its CR).
OpenLine LineReports::openLine(std::uint64_t fed) const
{
    if (nextBegins_ && !endedWithCr_)
        return {fed, lastStart_, previousStart_};
    return {lastStart_, previousStart_, previousStart_};
}

LineClass LineReports::lastLineClass(const ScanState& state, std::uint64_t number) const
{
    if (layout_ == Layout::LinePairs) {
        if (state.carryA != 0)
            return LineClass::Empty;
        const bool high = state.carryB == 0;
        if (number % 2 != 0)
            return high ? LineClass::Erroneous : LineClass::Good;
        return high ? LineClass::Good : LineClass::Untranslated;
    }
    if (state.carryA != 0)
        return LineClass::MissingEquals;
    // Still searching after the first '=', or that '=' was the last byte.
    if (state.carryB != 0 || state.afterEquals != 0)
        return LineClass::Untranslated;
    return LineClass::Good;
}

void LineReports::push(const ScannedLine& line)
{
    lines_.push_back(line);
    lastReported_ = line.number;
}

bool LineReports::finish(const ScanState& state, std::uint64_t fileSize)
{
    if (hasPending_)
        resolvePending(1);
    if (nextBegins_) {
        // The file ends with a terminator (or is empty). A copy still wants
        // its last line: whether a pair is whole is known only there.
        if (copying_ && state.lines > 0 && lastReported_ != state.lines) {
            ScannedLine line;
            line.number = state.lines;
            line.start = lastStart_;
            line.previousStart = previousStart_;
            line.end = fileSize - (endedWithCr_ ? 1 : 2);
            line.terminator = endedWithCr_ ? 1 : 2;
            if (headKept_)
                line.text = head_.data();
            push(line);
        }
        return false;
    }
    // Bytes after the last terminator form the last line.
    ScannedLine line;
    line.number = state.lines + 1;
    line.start = lastStart_;
    line.end = fileSize;
    line.previousStart = previousStart_;
    line.terminator = 0;
    line.flag = lastLineClass(state, line.number);
    if (headKept_)
        line.text = head_.data();
    if (line.flag != LineClass::Good || copying_ || state.partnerDue)
        push(line);
    return true;
}

}  // namespace corvel::scan
