#include "../pair_checks.h"
#include "../text_signs.h"

namespace corvel::report::rules {

namespace {

// The double quotes of a text: the straight ones (" and ＂, which open and
// close alike) and the pairs “ ” 「 」 『 』.
struct Quotes {
    int straight = 0;
    int curlyOpen = 0, curlyClose = 0;
    int cornerOpen = 0, cornerClose = 0;
    int whiteOpen = 0, whiteClose = 0;

    // What is left unpaired, or empty.
    std::string unpaired() const
    {
        std::string out;
        auto add = [&](const char* what) { out += (out.empty() ? "" : ", ") + std::string(what); };
        if (straight % 2 != 0)
            add("an odd number of \"");
        if (curlyOpen != curlyClose)
            add("\u201c and \u201d unmatched");
        if (cornerOpen != cornerClose)
            add("\u300c and \u300d unmatched");
        if (whiteOpen != whiteClose)
            add("\u300e and \u300f unmatched");
        return out;
    }
};

Quotes quotes(std::string_view text, const gbk::CharSteps& steps)
{
    Quotes q;
    for (std::size_t i = 0; i < text.size();) {
        std::size_t length = 1;
        switch (markAt(text, i, steps, length)) {
        case '"': case 0xFF02: ++q.straight; break;
        case 0x201C: ++q.curlyOpen; break;
        case 0x201D: ++q.curlyClose; break;
        case 0x300C: ++q.cornerOpen; break;
        case 0x300D: ++q.cornerClose; break;
        case 0x300E: ++q.whiteOpen; break;
        case 0x300F: ++q.whiteClose; break;
        default: break;
        }
        i += length;
    }
    return q;
}

void check(PairRuleContext& context, std::vector<Finding>& out)
{
    const gbk::CharSteps steps(context.encoding());
    const Quotes source = quotes(context.pair().source, steps);
    if (!source.unpaired().empty())
        return;  // nothing to hold the translation to
    std::string unpaired = quotes(context.pair().translation, steps).unpaired();
    if (unpaired.empty())
        return;
    out.push_back(context.finding(
        RuleId::QuoteMismatch,
        "the source's quotes are paired, the translation's are not: " + unpaired));
}

}  // namespace

constexpr RuleExample kQuoteMismatchExamples[] {
    {true, "Click \"Save\"", "点击\"保存"},
    {false, "Click \"Save\"", "点击“保存”"},
};

constinit const RuleInfo QuoteMismatch {
    RuleId::QuoteMismatch, "quote-mismatch", Severity::Warning, true, kOnQuote,
    "A quotation of the source is left unclosed in the translation.",
    "The source's double quotes are paired and the translation's are not: an odd number of "
    "straight quotes (\" and \uff02), or opening and closing quotes of a kind that differ in "
    "number (\u201c \u201d, \u300c \u300d, \u300e \u300f). The translation may use any of "
    "these for the source's quotes, or drop them; single quotes are left alone (an English "
    "apostrophe is one).",
    kQuoteMismatchExamples,
    check};

}  // namespace corvel::report::rules
