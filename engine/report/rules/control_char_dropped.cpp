#include "../pair_checks.h"

#include <array>
#include <cstdio>

namespace corvel::report::rules {

namespace {

bool counted(unsigned char b)
{
    return b < 0x20 && b != '\t' && b != '\n';
}

void check(PairRuleContext& context, std::vector<Finding>& out)
{
    const PairText& pair = context.pair();
    // Control bytes are below every GBK trail byte: counting bytes is exact.
    std::array<int, 0x20> source {}, translation {};
    for (char c : pair.source)
        if (counted(static_cast<unsigned char>(c)))
            ++source[static_cast<unsigned char>(c)];
    for (char c : pair.translation)
        if (counted(static_cast<unsigned char>(c)))
            ++translation[static_cast<unsigned char>(c)];
    std::string message;
    for (std::size_t b = 0; b < source.size(); ++b) {
        if (source[b] <= translation[b])
            continue;
        char code[8];
        std::snprintf(code, sizeof code, "0x%02X", static_cast<unsigned>(b));
        message += (message.empty() ? "control byte " : ", ") + std::string(code) + " (" +
                   std::to_string(source[b]) + " x in the source, " +
                   std::to_string(translation[b]) + " x in the translation)";
    }
    if (!message.empty())
        out.push_back(context.finding(RuleId::ControlCharDropped,
                                      message + ": dropped by the translation"));
}

}  // namespace

constexpr RuleExample kControlCharDroppedExamples[] {
    {true, "\x02" "Bold\x02 text", "粗体文本"},
    {false, "\x02" "Bold\x02 text", "\x02" "粗体\x02" "文本"},
};

constinit const RuleInfo ControlCharDropped {
    RuleId::ControlCharDropped, "control-char-dropped", Severity::Warning, true,
    kOnSourceControl,
    "The translation drops a control byte of its source.",
    "The source holds a control byte other than TAB and LF (such as the IRC formatting codes "
    "0x02 bold, 0x03 colour, 0x0F reset) more often than the translation: the formatting or "
    "the code it stands for is lost. Counted per byte value; a translation that holds more "
    "is control-char's when the source holds none.",
    kControlCharDroppedExamples,
    check};

}  // namespace corvel::report::rules
