#include "line_findings.h"

#include "corvel/report/rule_catalogue.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace corvel::encoding {

using report::RuleId;

namespace {

const char* lineEndName(LineEndKind kind)
{
    switch (kind) {
    case LineEndKind::CrLf: return "CR LF";
    case LineEndKind::Cr: return "a lone CR";
    case LineEndKind::Lf: return "a lone LF";
    case LineEndKind::None: break;
    }
    return "nothing";
}

std::string withCount(std::string message, std::int32_t count)
{
    if (count > 1)
        message += " (" + std::to_string(count) + " in this line)";
    return message;
}

}  // namespace

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

std::string LineFindings::invalidMessage(const Slot& slot) const
{
    const int shown = static_cast<int>(slot.extra);
    if (encoding_ == TextEncoding::Utf8)
        return withCount(hexBytes(slot.value, shown) + " is not valid UTF-8", slot.count);
    if (encoding_ == TextEncoding::Gbk && shown == 4 &&
        isGb18030FourByte(slot.value >> 24, slot.value >> 16, slot.value >> 8, slot.value))
        return withCount(hexBytes(slot.value, 4) +
                             " is a GB18030 four-byte character, not GBK; use --encoding gb18030",
                         slot.count);
    const char* name = encoding_ == TextEncoding::Gb18030 ? "GB18030" : "GBK";
    std::string bytes = hexBytes(slot.value, shown);
    std::string message = shown == 1 ? "byte " + bytes + " is not " + name
                                     : bytes + " is not a " + name + " character";
    return withCount(std::move(message), slot.count);
}

std::string LineFindings::controlMessage(const Slot& slot) const
{
    return withCount("control byte " + hexBytes(slot.value, 1) +
                         " in the translation, which its source does not hold",
                     slot.count);
}

std::string LineFindings::outsideMessage(const Slot& slot) const
{
    std::string what;
    if (encoding_ == TextEncoding::Utf8) {
        char buf[16];
        std::snprintf(buf, sizeof buf, "U+%04X", static_cast<unsigned>(slot.value));
        what = buf;
    } else {
        what = hexBytes(slot.value, static_cast<int>(slot.extra));
    }
    return withCount(what + " is not in GB2312: a font of GB2312 only shows it as a box or '?'",
                     slot.count);
}

std::string LineFindings::mixedMessage(const Slot& slot) const
{
    return std::string("this line ends with ") +
           lineEndName(static_cast<LineEndKind>(slot.extra)) + ", the lines before with " +
           lineEndName(static_cast<LineEndKind>(slot.value));
}

void LineFindings::emit(std::int32_t line, std::uint64_t lineStart, report::FindingSink& sink)
{
    if (!any_)
        return;
    auto finding = [&](RuleId rule, const Slot& slot, std::string message) {
        report::Finding f = report::makeFinding(rule, line);
        f.column = static_cast<std::int32_t>(slot.pos - lineStart + 1);
        f.message = std::move(message);
        return f;
    };
    if (utf8Text_.set)
        (void)sink.add(finding(RuleId::Utf8Text, utf8Text_,
                         "the file is UTF-8 (its multibyte characters start here) but is read "
                         "as GBK; use --encoding utf-8"));
    if (lfLineEnds_.set)
        (void)sink.add(finding(RuleId::LfLineEnds, lfLineEnds_,
                         "lone LF bytes end the lines here, but a line ends only at CR LF or "
                         "CR, so these lines are read as one; use --line-ends any"));
    if (mixed_.set)
        (void)sink.add(finding(RuleId::MixedLineEnds, mixed_, mixedMessage(mixed_)));

    std::vector<report::Finding> byColumn;
    if (invalid_.set)
        byColumn.push_back(finding(encoding_ == TextEncoding::Utf8 ? RuleId::InvalidUtf8
                                                                   : RuleId::InvalidGbk,
                                   invalid_, invalidMessage(invalid_)));
    if (mojibake_.set)
        byColumn.push_back(finding(RuleId::Mojibake, mojibake_,
                                   withCount(std::string(describeMark(
                                                 static_cast<Mark>(mojibake_.value))),
                                             mojibake_.count)));
    if (control_.set || controlLf_.set) {
        Slot first = !controlLf_.set || (control_.set && control_.pos < controlLf_.pos)
                         ? control_
                         : controlLf_;
        first.count = control_.count + controlLf_.count;
        byColumn.push_back(finding(RuleId::ControlChar, first, controlMessage(first)));
    }
    if (outside_.set)
        byColumn.push_back(finding(RuleId::OutsideCharset, outside_, outsideMessage(outside_)));
    std::stable_sort(byColumn.begin(), byColumn.end(),
                     [](const report::Finding& a, const report::Finding& b) {
                         return *a.column < *b.column;
                     });
    for (report::Finding& f : byColumn)
        (void)sink.add(std::move(f));
    *this = LineFindings(encoding_);
}

}  // namespace corvel::encoding
