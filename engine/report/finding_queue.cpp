#include "finding_queue.h"

#include "corvel/report/rule_catalogue.h"
#include "pair_text.h"

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
        release(batch_[i]);
    count_ = 0;
    texts_.clear();
}

void FindingQueue::release(Entry& entry)
{
    if (entry.consistency && index_ != nullptr) {
        if (std::optional<Finding> f = consistencyFinding(entry))
            entry.findings.insert(entry.findings.begin() +
                                      static_cast<std::ptrdiff_t>(entry.consistencyAt),
                                  std::move(*f));
    }
    for (Finding& f : entry.findings)
        sink_.add(std::move(f));
    entry.findings.clear();
}

// A pair whose translation is not the one its source has on most lines:
// both translations quoted, with their lines.
std::optional<Finding> FindingQueue::consistencyFinding(const Entry& entry)
{
    std::string_view texts(texts_);
    const std::string_view translation =
        texts.substr(entry.textsAt + entry.sourceSize, entry.translationSize);
    std::optional<ConsistencyIndex::Verdict> verdict =
        index_->look(entry.source, entry.translation, translation);
    if (!verdict)
        return std::nullopt;
    Finding f = makeFinding(RuleId::InconsistentTranslation, entry.line);
    f.source = decoder_.toUtf8(texts.substr(entry.textsAt, entry.sourceSize));
    f.translation = decoder_.toUtf8(translation);
    f.message = "translated " + quote(f.translation) + " here (" + linesOf(verdict->lines) +
                ") and " + quote(decoder_.toUtf8(verdict->major)) + " on " +
                linesOf(verdict->majorLines) + " (first at line " +
                std::to_string(verdict->majorFirst) + ")";
    if (verdict->translations > 2)
        f.message += "; " + std::to_string(verdict->translations) + " translations in all";
    return f;
}

}  // namespace corvel::report
