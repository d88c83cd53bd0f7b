// placeholder-mismatch and fullwidth-placeholder on the cases that decide
// them and on their nearest false positives.
#include "report/rules/support/placeholder_rules.h"
#include "corvel/report/text_decoder.h"

#include "test_support.h"

#include <gtest/gtest.h>

namespace corvel::report {
namespace {

using test::gbk;

struct Case {
    const char* source;       // UTF-8
    const char* translation;  // UTF-8
    std::vector<std::string> missing;     // source placeholders, as written
    std::vector<std::string> extra;       // translation placeholders, as written
    std::vector<std::string> lookAlikes;  // as written in the translation
};

std::vector<std::string> texts(std::string_view gbkText, const std::vector<Placeholder>& all,
                               const std::vector<std::size_t>& which)
{
    TextDecoder decoder;
    std::vector<std::string> out;
    for (std::size_t i : which)
        out.push_back(decoder.toUtf8(gbkText.substr(all[i].offset, all[i].length)));
    return out;
}

void expectCase(const Case& c)
{
    std::string source = gbk(c.source);
    std::string translation = gbk(c.translation);
    PlaceholderComparison r = comparePlaceholders(source, translation);
    SCOPED_TRACE(std::string(c.source) + " => " + c.translation);
    EXPECT_EQ(texts(source, r.source, r.missing), c.missing);
    EXPECT_EQ(texts(translation, r.translation, r.extra), c.extra);
    EXPECT_EQ(texts(translation, r.translation, r.lookAlikes), c.lookAlikes);
}

TEST(PlaceholderMismatch, PrintfConversions)
{
    const Case cases[] = {
        {"Open %s", "打开 %s", {}, {}, {}},
        {"%s and %d", "%2$d 和 %1$s", {}, {}, {}},   // positional reordering
        {"%s %s", "%1$s %2$s", {}, {}, {}},
        {"Copy %d files", "复制 %s 个文件", {"%d"}, {"%s"}, {}},
        {"%1$s lost", "%1$ 丢失", {"%1$s"}, {}, {}},  // the translator's lost "s"
        {"%5.2f MB", "%.1f MB", {}, {}, {}},          // precision may differ
        {"  %-20s online", "  %-18s 在线", {}, {}, {}},
        {"%ld bytes", "%d 字节", {"%ld"}, {"%d"}, {}},
        {"100%%", "100%", {"%%"}, {}, {}},
        {"50% off", "五折", {}, {}, {}},               // no space flag
        {"Done 100%", "完成 100%的", {}, {}, {}},
        {"%(name)s left", "%(name)s 离开了", {}, {}, {}},
        {"%(name)s left", "%(名字)s 离开了", {"%(name)s"}, {}, {}},
        {"Level %1", "等级 %1", {}, {}, {}},           // Qt arguments
        {"%1 of %2", "第 %1 个", {"%2"}, {}, {}},
        {"Sent %1 files", "已发送 %1 个", {}, {}, {}},
        {"Sent %1 files", "已发送 个", {"%1"}, {}, {}},
        // Beside a Qt argument, %1d is argument 1 and the letter d.
        {"%1d %2h left", "剩余 %1天 %2小时", {}, {}, {}},
        {"%1d left", "剩余 %1天", {}, {}, {}},
        {"Sent %1 files", "已发送 %1s 个", {}, {}, {}},
        {"%1d %2h left", "剩余 %1天", {"%2"}, {}, {}},
        {"%1d %2h left", "剩余 %2小时", {"%1"}, {}, {}},
        // Without one it is printf, with its width and flags.
        {"%2d files", "%2d 个文件", {}, {}, {}},
        {"%2d files", "%2s 个文件", {"%2d"}, {"%2s"}, {}},
        {"%-1d and %1.2f", "%-1d 和 %1.2f", {}, {}, {}},
        {"%L1 files", "%L1 个文件", {}, {}, {}},           // localised
        {"%L1 files", "%1 个文件", {"%L1"}, {"%1"}, {}},
        {"%L1 of %L2", "%L1 个", {"%L2"}, {}, {}},
        {"Stop%0", "停止%0", {}, {}, {}},
        {"Stop%0", "停止", {"%0"}, {}, {}},
        {"%05d items", "%05d 项", {}, {}, {}},            // the 0 flag, not %0
        // "~%" is a Lisp format string's line break, not %C or %S.
        {"Error.~%Crossfade failed.", "错误。~%交叉渐变失败。", {}, {}, {}},
        {"~a~%Sample Rate: ~a Hz.", "~a~%采样率：~a Hz。", {}, {}, {}},
        {"Error.~%Sample %s", "错误。~%样本", {"%s"}, {}, {}},
        {"Done %Sample", "完成", {"%S"}, {}, {}},
        {"Range %lu-%lu", "范围 %1$lu~%2$lu", {}, {}, {}},  // a tilde as a range sign
        {"Range %lu-%lu", "范围 %1$lu~", {"%lu"}, {}, {}},
    };
    for (const Case& c : cases)
        expectCase(c);
}

TEST(PlaceholderMismatch, BracesEscapesTagsSectionCodesAndArguments)
{
    const Case cases[] = {
        {"{0} of {1}", "{1} 中的 {0}", {}, {}, {}},
        {"Save {0} files", "保存文件", {"{0}"}, {}, {}},
        {"{0:N2} MB", "{0:F1} MB", {}, {}, {}},
        {"{{literal}} {0}", "{{字面}} {0}", {}, {}, {}},
        {"{{0}} files", "{0} 个文件", {}, {"{0}"}, {}},  // doubled braces are literal
        // Templates' {{name}}, unless single braces say they are literal.
        {"{{count}} files", "{{count}} 个文件", {}, {}, {}},
        {"{{ count }} files", "{{count}} 个文件", {}, {}, {}},
        {"{{count}} files", "{{数量}} 个文件", {"{{count}}"}, {}, {}},
        {"{{count}} files", "个文件", {"{{count}}"}, {}, {}},
        {"{{user.name}} joined", "{{user.name}} 加入", {}, {}, {}},
        {"{{count}} of {0}", "{0} 中的 {{数量}}", {}, {}, {}},
        {"{name} joined", "{名字} 加入", {"{name}"}, {}, {}},
        {"{unset}", "{未设置}", {}, {}, {}},           // a label, not a format
        {"{}", "{}", {}, {}, {}},
        // A lone group is a label only where the other side does not use it.
        {"{0}", "{0} 个", {}, {}, {}},
        {"{0} items", "{0}", {}, {}, {}},
        {"{0}", "{1} 个", {}, {"{1}"}, {}},
        // Empty brackets named in prose are no placeholders.
        {"Brackets {} [] or () match", "括号 {}、[] 或 () 匹配", {}, {}, {}},
        {"Use (), {} or []", "使用 ()、[]", {}, {}, {}},
        {"Insert {} here", "在此插入", {"{}"}, {}, {}},
        // A backslash shown between quotes escapes nothing.
        {"Press '\\' to go up", "按“\\”上移", {}, {}, {}},
        {"The '\\' key", "反斜杠键", {}, {}, {}},
        {"Say '\\'hi'", "说", {"\\'"}, {}, {}},
        {"Quote \"\\\"%s\\\"\"", "引用 \"%s\"", {"\\\"", "\\\""}, {}, {}},
        {"Line\\n", "行", {"\\n"}, {}, {}},
        {"Say \\\"hi\\\"", "说 \\\"嗨\\\"", {}, {}, {}},
        {"C:\\Program", "C:\\程序", {}, {}, {}},        // "\P" is no escape
        {"<b>Bold</b>", "<b>粗体", {"</b>"}, {}, {}},
        {"a<br/>b", "甲<br>乙", {"<br/>"}, {"<br>"}, {}},
        {"a<br />b", "甲<br/>乙", {}, {}, {}},
        {"<B>x</B>", "<b>甲</b>", {}, {}, {}},
        {"<font color=red>x</font>", "<font color=\"red\">红</font>", {}, {}, {}},
        {"<none>", "<无>", {}, {}, {}},                 // not a tag name
        // Inline codes of interchange files, told apart by their id.
        {"Hi <x id=\"1\"/><g id=\"2\">you</g>", "<g id=\"2\">你</g>好<x id=\"1\"/>", {}, {}, {}},
        {"a<x id=\"1\"/>b<x id=\"2\"/>", "甲<x id=\"1\"/>乙<x id=\"1\"/>", {"<x id=\"2\"/>"},
         {"<x id=\"1\"/>"}, {}},
        {"<sc id=\"3\"/>a<ec startRef=\"3\"/>", "<sc id=\"3\"/>甲", {"<ec startRef=\"3\"/>"}, {}, {}},
        {"<g>x</g> <x>", "<g>甲</g>", {}, {}, {}},      // without an id: text
        {"/join #<channel>", "/join #<频道>", {}, {}, {}},
        {"\u00a7aGold\u00a7r", "\u00a7a金子", {"\u00a7r"}, {}, {}},
        {"\u00a7AGold", "\u00a7a金", {}, {}, {}},
        {"@1 of @2 players", "@2位玩家中的@1位", {}, {}, {}},
        {"Page @1 of @2", "第@1页", {"@2"}, {}, {}},
        {"mail@163.com", "邮箱 mail@163.com", {}, {}, {}},
        // Factorio's numbered arguments.
        {"Research __1__ in __2__ s", "在 __2__ 秒内研究 __1__", {}, {}, {}},
        {"Research __1__", "研究", {"__1__"}, {}, {}},
        {"Research __1__", "研究 __2__", {"__1__"}, {"__2__"}, {}},
        {"snake__1__case and __init__", "蛇形 和 __init__", {}, {}, {}},
    };
    for (const Case& c : cases)
        expectCase(c);
}

// Bytes 0x40, 0x5C, 0x7B and 0x7D also end double-byte characters
// (癅 癨 皗 皚): those are text, not placeholders.
// Pairs whose placeholders differ in one syntax, under selections of
// --placeholders: the rule fires only where that syntax is recognised.
TEST(PlaceholderMismatch, OnlyTheSelectedSyntaxesAreRecognised)
{
    struct Selection {
        const char* list;       // the value of --placeholders; "" for the default
        const char* source;     // UTF-8
        const char* translation;
        bool fires;
    };
    const Selection cases[] = {
        {"", "Copy %s of %1 in {0}", "复制 %1 的 %d {1}", true},
        {"printf", "Copy %s now", "复制 %d", true},
        {"qt", "Copy %s now", "复制 %d", false},
        {"qt", "Copy %1 now", "复制 %2", true},
        {"printf", "Copy %1 now", "复制 %2", false},
        {"brace", "Copy {0}", "复制 {1}", true},
        {"qt,printf", "Copy {0}", "复制 {1}", false},
        {"escape", "Line\\nnext", "一行", true},
        {"tag", "Line\\nnext", "一行", false},
        {"tag", "<b>Bold</b>", "粗体", true},
        {"section", "\u00a7aGreen", "绿色", true},
        {"argument", "\u00a7aGreen", "绿色", false},
        {"argument", "Hi @1", "你好", true},
        // %1d: printf's conversion where only printf is recognised, Qt's %1
        // and a letter where only Qt is.
        {"printf", "%1d left", "剩余 %1天", true},
        {"qt", "%1d left", "剩余 %1天", false},
        {"qt,printf", "%1d left", "剩余 %1天", false},
        {"qt,printf", "%1d %2h left", "剩余 %1天", true},
        // %2$s names argument 2: under Qt alone it is Qt's %2.
        {"qt", "%1$s of %2$s", "%2 中的 %1", false},
        {"qt", "%1$s of %2$s", "%1 个", true},
        {"qt", "%1$s of %2$s", "%1$s 中的 %2$s", false},
        {"qt", "Copy %s now", "复制", false},
        {"argument", "Research __1__", "研究", true},
    };
    for (const Selection& c : cases) {
        SCOPED_TRACE(std::string(c.list) + ": " + c.source + " => " + c.translation);
        PlaceholderSyntaxes syntaxes;
        std::string error;
        if (*c.list != '\0') {
            ASSERT_TRUE(syntaxes.addList(c.list, error)) << error;
        }
        PlaceholderRules rules(TextEncoding::Gbk, syntaxes);
        PlaceholderComparison result;
        rules.compare(gbk(c.source), gbk(c.translation), result);
        EXPECT_EQ(result.mismatch(), c.fires);
    }
}

TEST(PlaceholderMismatch, TrailBytesOfChineseCharactersAreNotPlaceholders)
{
    const Case cases[] = {
        {"Open", "打开 癨n", {}, {}, {}},
        {"Save", "保存 皗0}", {}, {}, {}},
        {"Save", "保存 {0皚", {}, {}, {}},
        {"Page", "页 癅1", {}, {}, {}},
        {"Line\\n", "行癨n", {"\\n"}, {}, {}},
    };
    for (const Case& c : cases)
        expectCase(c);
}

TEST(FullwidthPlaceholder, LookAlikesOfTheSourcesPlaceholders)
{
    const Case cases[] = {
        {"Open %s", "打开 ％s", {}, {}, {"％s"}},
        {"Open %s", "打开 ％ｓ", {}, {}, {"％ｓ"}},
        {"Open %s", "打开 %ｓ", {}, {}, {"%ｓ"}},
        {"Save {0} files", "保存 ｛０｝ 个文件", {}, {}, {"｛０｝"}},
        {"Line\\n", "行＼ｎ", {}, {}, {"＼ｎ"}},
        {"%1$s lost", "％１＄ｓ 丢失", {}, {}, {"％１＄ｓ"}},
        {"%s and %d", "％ｓ 和 ％ｄ", {}, {}, {"％ｓ", "％ｄ"}},
        // Full-width forms that stand for no placeholder of the source.
        {"100% (output full)", "100％（输出已满）", {}, {}, {}},
        {"Done", "完成 ％ｓ", {}, {}, {}},
        {"Open %s", "打开 ％ｄ", {"%s"}, {}, {}},
    };
    for (const Case& c : cases)
        expectCase(c);
}

TEST(FullwidthPlaceholder, HalfWidthRewriteChangesOnlyTheLookAlikes)
{
    struct Rewrite {
        const char* source;
        const char* translation;
        const char* expected;  // nullptr: nothing to rewrite
    };
    const Rewrite cases[] = {
        {"Open %s", "打开 ％ｓ：好", "打开 %s：好"},
        {"Save {0} files", "保存 ｛０｝ 个文件（１）", "保存 {0} 个文件（１）"},
        {"%s and %d", "％ｓ 和 ％ｄ", "%s 和 %d"},
        {"Line\\n", "行＼ｎ", "行\\n"},
        {"Open %s", "打开 %s", nullptr},
        {"Done", "完成 ％ｓ", nullptr},
    };
    for (const Rewrite& c : cases) {
        SCOPED_TRACE(c.translation);
        std::optional<std::string> rewritten = halfWidthTranslation(gbk(c.source), gbk(c.translation));
        if (c.expected == nullptr)
            EXPECT_FALSE(rewritten.has_value());
        else
            EXPECT_EQ(rewritten, gbk(c.expected));
    }
}

}  // namespace
}  // namespace corvel::report
