#include "line_classifier.h"

#include "kernels.h"

namespace corvel::scan {

namespace {
Kernel usableKernel(const std::optional<Kernel>& wanted)
{
    if (wanted && runsInstructionSet(*wanted))
        return *wanted;
    return chosenInstructionSet();
}
}  // namespace

LineClassifier::LineClassifier(const ScanOptions& options)
    : kernel_(usableKernel(options.kernel)),
      scan_(scanFunction(kernel_, options.layout, options.copying)),
      state_(ScanState::atFileStart(options.layout)),
      reports_(options.layout, options.copying, options.keepLimit)
{
}

void LineClassifier::feed(const char* data, std::size_t size)
{
    reports_.clear();
    if (size == 0)
        return;
    input_ = {reinterpret_cast<const unsigned char*>(data), size, fed_};
    position_ = 0;
    fed_ += size;
    fresh_ = true;
    reports_.startInput(input_);
}

std::span<const ScannedLine> LineClassifier::scan()
{
    // The first batch of an input may hold the line left from the one before.
    if (!fresh_)
        reports_.clear();
    fresh_ = false;
    if (position_ >= input_.size)
        return reports_.lines();
    position_ = scan_(state_, input_, position_, reports_);
    if (position_ == input_.size)
        reports_.endInput();
    return reports_.lines();
}

std::span<const ScannedLine> LineClassifier::finish()
{
    reports_.clear();
    lastLine_ = reports_.finish(state_, fed_);
    input_ = {};
    position_ = 0;
    fresh_ = false;
    return reports_.lines();
}

}  // namespace corvel::scan
