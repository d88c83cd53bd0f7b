#include "finding_queue.h"

#include "corvel/report/rule_catalogue.h"

namespace corvel::report {

FindingQueue::FindingQueue(FindingSink& sink, const TextDecoder& decoder)
    : sink_(sink), decoder_(decoder)
{
}

FindingQueue::Entry& FindingQueue::next()
{
    Entry& entry = batch_[count_];
    entry.findings.clear();
    entry.consistency = false;
    return entry;
}

void FindingQueue::checkConsistency(Entry& entry, std::string_view source,
                                    std::string_view translation, std::int32_t line)
{
    entry.consistency = true;
    entry.consistencyAt = entry.findings.size();
    entry.source = ConsistencyIndex::sourceFingerprint(source);
    entry.translation = ConsistencyIndex::translationFingerprint(translation);
    entry.line = line;
    entry.textsAt = texts_.size();
    entry.sourceSize = source.size();
    entry.translationSize = translation.size();
    texts_.append(source);
    texts_.append(translation);
}

void FindingQueue::push()
{
    if (++count_ == kBatch)
        drain();
}

void FindingQueue::drain()
{
    for (std::size_t i = 0; i < count_; ++i)
        if (batch_[i].consistency)
            index_.prefetch(batch_[i].source);
    for (std::size_t i = 0; i < count_; ++i)
        release(batch_[i]);
    count_ = 0;
    texts_.clear();
}

void FindingQueue::release(Entry& entry)
{
    if (entry.consistency) {
        if (std::optional<std::int32_t> first =
                index_.record(entry.source, entry.translation, entry.line)) {
            Finding f = makeFinding(RuleId::InconsistentTranslation, entry.line);
            std::string_view texts(texts_);
            f.source = decoder_.toUtf8(texts.substr(entry.textsAt, entry.sourceSize));
            f.translation = decoder_.toUtf8(
                texts.substr(entry.textsAt + entry.sourceSize, entry.translationSize));
            f.message = "the same source has a different translation at line " +
                        std::to_string(*first);
            entry.findings.insert(entry.findings.begin() +
                                      static_cast<std::ptrdiff_t>(entry.consistencyAt),
                                  std::move(f));
        }
    }
    for (Finding& f : entry.findings)
        sink_.add(std::move(f));
    entry.findings.clear();
}

}  // namespace corvel::report
