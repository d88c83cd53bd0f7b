#include "finding_queue.h"

#include "corvel/report/rule_catalogue.h"
#include "pair_text.h"

#include <optional>
#include <string>

namespace corvel::report {

namespace {
std::string linesOf(std::int32_t n)
{
    return std::to_string(n) + (n == 1 ? " line" : " lines");
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
    f.message = "translated " + quote(f.translation) + " here (" + linesOf(verdict->lines) +
                ") and " + quote(decoder_.toUtf8(verdict->major)) + " on " +
                linesOf(verdict->majorLines) + " (first at line " +
                std::to_string(verdict->majorFirst) + ")";
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
