#include "line_findings.h"

#include <algorithm>
#include <cstdio>

namespace corvel::encoding {

using report::RuleId;

std::string hexBytes(std::uint32_t code, int count)
{
    std::string out;
    char buf[8];
    for (int i = count - 1; i >= 0; --i) {
        std::snprintf(buf, sizeof buf, "0x%02X", static_cast<unsigned>((code >> (8 * i)) & 0xFF));
        if (!out.empty())
            out += ' ';
        out += buf;
    }
    return out;
}

std::string withCount(std::string message, std::int32_t count)
{
    if (count > 1)
        message += " (" + std::to_string(count) + " in this line)";
    return message;
}

void LineFindings::set(Slot& slot, std::uint64_t pos, std::uint32_t value, std::uint32_t extra)
{
    ++slot.count;
    if (slot.set)
        return;
    slot = Slot {true, pos, value, extra, slot.count};
    any_ = true;
}

void LineFindings::noteInvalid(const DecodedChar& c)
{
    set(invalid_, c.pos, c.code, c.shown);
}

void LineFindings::noteMojibake(const MarkFound& found)
{
    set(mojibake_, found.pos, static_cast<std::uint32_t>(found.mark), 0);
}

void LineFindings::noteControl(std::uint64_t pos, std::uint8_t byte)
{
    set(byte == '\n' ? controlLf_ : control_, pos, byte, 0);
}

void LineFindings::noteOutsideCharset(std::uint64_t pos, std::uint32_t code, std::uint8_t size)
{
    set(outside_, pos, code, size);
}

void LineFindings::noteMixedLineEnds(std::uint64_t pos, LineEndKind first, LineEndKind here)
{
    set(mixed_, pos, static_cast<std::uint32_t>(first), static_cast<std::uint32_t>(here));
}

void LineFindings::dropLfControl()
{
    controlLf_ = Slot {};
}

bool LineFindings::emit(std::int32_t line, std::uint64_t lineStart, NoteSink& sink)
{
    if (!any_)
        return true;
    struct Noted {
        RuleId rule;
        std::int32_t column;
        ByteNote note;
    };
    Noted noted[7];  // one a slot, control_ and controlLf_ as one
    std::size_t count = 0;
    auto note = [&](RuleId rule, const Slot& slot) {
        noted[count++] = {rule, static_cast<std::int32_t>(slot.pos - lineStart + 1),
                          {encoding_, slot.value, slot.extra, slot.count}};
    };
    if (utf8Text_.set)
        note(RuleId::Utf8Text, utf8Text_);
    if (lfLineEnds_.set)
        note(RuleId::LfLineEnds, lfLineEnds_);
    if (mixed_.set)
        note(RuleId::MixedLineEnds, mixed_);
    const std::size_t byColumn = count;  // the rest go by column
    if (invalid_.set)
        note(encoding_ == TextEncoding::Utf8 ? RuleId::InvalidUtf8 : RuleId::InvalidGbk, invalid_);
    if (mojibake_.set)
        note(RuleId::Mojibake, mojibake_);
    if (control_.set || controlLf_.set) {
        Slot first = !controlLf_.set || (control_.set && control_.pos < controlLf_.pos)
                         ? control_
                         : controlLf_;
        first.count = control_.count + controlLf_.count;
        note(RuleId::ControlChar, first);
    }
    if (outside_.set)
        note(RuleId::OutsideCharset, outside_);
    std::stable_sort(noted + byColumn, noted + count,
                     [](const Noted& a, const Noted& b) { return a.column < b.column; });
    *this = LineFindings(encoding_);
    for (std::size_t i = 0; i < count; ++i)
        if (!sink.add(noted[i].rule, line, noted[i].column, noted[i].note))
            return false;
    return true;
}

}  // namespace corvel::encoding
