#include "../pair_checks.h"
#include "../text_marks.h"
#include "encoding/line_findings.h"

namespace corvel::report::rules {

namespace {

// The marks the byte scan cannot see: it sees bytes, not what an earlier
// conversion made of them.
void check(PairRuleContext& context, std::vector<Finding>& out)
{
    const std::string_view text = context.pair().translation;
    std::optional<std::size_t> at;
    const char* what = nullptr;
    if (context.encoding() != TextEncoding::Utf8) {
        at = findUtf8ReadAsGbk(text);
        what = "UTF-8 text read as GBK (such as \u93C2\u56E6\u6B22 for \u6587\u4EF6)";
    } else if (text.find('\xC3') != std::string_view::npos) {
        at = findUtf8ReadAsLatin1(text);
        what = "UTF-8 text read as Latin-1 or Windows-1252 (such as \u00C3\u00A9 for \u00E9)";
    }
    if (!at)
        return;
    Finding f = context.finding(RuleId::Mojibake, what);
    context.setColumn(f, *at);
    out.push_back(std::move(f));
}

// A mark the byte scan found in the bytes.
std::string describe(const encoding::ByteNote& note)
{
    using encoding::Mark;
    const char* what = "";
    switch (static_cast<Mark>(note.value)) {
    case Mark::ReplacementAsGbk:
        what = "'锟斤拷': the UTF-8 bytes of U+FFFD read as GBK, text an earlier "
               "conversion lost";
        break;
    case Mark::Replacement:
        what = "U+FFFD replacement character: text an earlier conversion lost";
        break;
    case Mark::HotFill:
        what = "'烫烫烫': bytes 0xCC of uninitialized memory read as text";
        break;
    case Mark::HeapFill:
        what = "'屯屯屯': bytes 0xCD of uninitialized memory read as text";
        break;
    case Mark::QuestionRun:
        what = "'?' run inside Chinese text: characters an earlier conversion could not write";
        break;
    }
    return encoding::withCount(what, note.count);
}

}  // namespace

constexpr RuleExample kMojibakeExamples[] {
    {true, "File", "鏂囦欢"},
    {false, "File", "文件"},
};

constinit const RuleInfo Mojibake {
    RuleId::Mojibake, "mojibake", Severity::Error, true, kOnBytes | kOnMarks,
    "The text shows the marks of an earlier wrong conversion.",
    "Characters that an earlier wrong conversion leaves behind, such as runs of \u5c6f, "
    "U+FFFD or runs of ? inside Chinese text; in a translation also UTF-8 text read as GBK "
    "(\u93c2\u56e6\u6b22 for \u6587\u4ef6: UTF-8 Chinese whose GBK reading takes "
    "characters beyond GB2312) and, under UTF-8, UTF-8 read as Latin-1 or Windows-1252 "
    "(Caf\u00c3\u00a9 for Caf\u00e9).",
    kMojibakeExamples,
    check, nullptr, describe};

}  // namespace corvel::report::rules
