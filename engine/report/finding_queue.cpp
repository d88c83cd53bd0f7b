#include "finding_queue.h"

#include "corvel/report/rule_catalogue.h"
#include "pair_text.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <string>
#include <vector>

namespace corvel::report {

namespace {
std::string linesOf(std::int32_t n)
{
    return std::to_string(n) + (n == 1 ? " line" : " lines");
}

// A source of one or two short words ("Back", "When Worn").
bool shortSource(std::string_view source)
{
    return source.size() <= 24 && std::count(source.begin(), source.end(), ' ') <= 1;
}

// The distinct characters of a UTF-8 text that carry its meaning: every
// character beyond ASCII and the ASCII letters and digits, not the marks.
std::vector<std::string_view> meaningfulChars(std::string_view text)
{
    std::vector<std::string_view> out;
    for (std::size_t i = 0; i < text.size();) {
        const auto b = static_cast<unsigned char>(text[i]);
        const std::size_t length = b < 0x80 ? 1 : b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 1;
        const std::string_view c = text.substr(i, length);
        i += length;
        if ((b < 0x80 && !std::isalnum(b)) || std::find(out.begin(), out.end(), c) != out.end())
            continue;
        out.push_back(c);
    }
    return out;
}

bool beyondAscii(std::string_view text)
{
    return std::any_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

// Two translations of a short word that share no character render two
// senses of it (Back: 后面 and 返回; Interface: 界面 and 接口), not one
// sense two ways (堆叠 and 堆积, 玫瑰图 and 夜莺图). One left in English is
// no sense of its own.
bool twoSenses(std::string_view source, std::string_view a, std::string_view b)
{
    if (!shortSource(source) || !beyondAscii(a) || !beyondAscii(b))
        return false;
    const std::vector<std::string_view> first = meaningfulChars(a);
    const std::vector<std::string_view> second = meaningfulChars(b);
    return std::none_of(first.begin(), first.end(), [&](std::string_view c) {
        return std::find(second.begin(), second.end(), c) != second.end();
    });
}
}  // namespace

FindingQueue::FindingQueue(FindingSink& sink, const TextDecoder& decoder,
                           ConsistencyIndex* consistency)
    : sink_(sink), decoder_(decoder), index_(consistency)
{
}

FindingQueue::Entry& FindingQueue::next()
{
    Entry& entry = batch_[count_];
    entry.findings.clear();
    return entry;
}

// Both translations quoted, with their lines.
void FindingQueue::checkConsistency(Entry& entry, std::string_view source,
                                    std::string_view translation, std::int32_t line)
{
    if (index_ == nullptr)
        return;
    std::optional<ConsistencyIndex::Verdict> verdict =
        index_->look(ConsistencyIndex::sourceFingerprint(source), translation);
    if (!verdict)
        return;
    Finding f = makeFinding(RuleId::InconsistentTranslation, line);
    f.source = decoder_.toUtf8(source);
    f.translation = decoder_.toUtf8(translation);
    const std::string major = decoder_.toUtf8(verdict->major);
    if (twoSenses(f.source, f.translation, major))
        return;
    if (verdict->translations == 2 && verdict->lines == verdict->majorLines) {
        // A tie: neither is the odd one out, so neither is called so.
        f.message = "translated " + quote(f.translation) + " here and " + quote(major) +
                    " at line " + std::to_string(verdict->majorFirst) + ", " +
                    linesOf(verdict->lines) + " each: either may be the one to change";
        entry.findings.push_back(std::move(f));
        return;
    }
    f.message = "translated " + quote(f.translation) + " here (" + linesOf(verdict->lines) +
                ") and " + quote(major) + " on " + linesOf(verdict->majorLines) +
                " (first at line " + std::to_string(verdict->majorFirst) + ")";
    if (verdict->translations > 2)
        f.message += "; " + std::to_string(verdict->translations) + " translations in all";
    entry.findings.push_back(std::move(f));
}

void FindingQueue::push()
{
    if (++count_ == kBatch)
        drain();
}

void FindingQueue::drain()
{
    for (std::size_t i = 0; i < count_; ++i) {
        for (Finding& f : batch_[i].findings)
            if (!stopped_)
                stopped_ = !sink_.add(std::move(f));
        batch_[i].findings.clear();
    }
    count_ = 0;
}

}  // namespace corvel::report
