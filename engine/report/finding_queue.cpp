#include "finding_queue.h"

#include "corvel/report/rule_catalogue.h"
#include "pair_text.h"

#include <optional>
#include <string>
#include <vector>

namespace corvel::report {

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

void FindingQueue::checkConsistency(Entry& entry, std::string_view source,
                                    std::string_view translation, std::int32_t line)
{
    if (index_ == nullptr)
        return;
    std::optional<ConsistencyIndex::Verdict> census =
        index_->look(ConsistencyIndex::sourceFingerprint(source), translation);
    if (!census)
        return;
    Finding f = makeFinding(RuleId::InconsistentTranslation, line);
    f.source = decoder_.toUtf8(source);
    f.translation = decoder_.toUtf8(translation);
    const std::string major = decoder_.toUtf8(census->major);
    census->major = major;
    std::optional<std::string> message =
        ruleInfo(RuleId::InconsistentTranslation).checkDictionary({f.source, f.translation, *census});
    if (!message)
        return;
    f.message = std::move(*message);
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
