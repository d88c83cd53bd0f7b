// The rules about what a translation must keep of its source's text: end
// punctuation, brackets, quotes, addresses, options, paths, repeated words
// and spaces, length, attributes, brace formats, shell variables and
// control bytes. Each table holds cases that fire and near misses that do
// not, read the way a Chinese translation writes them.
#include "report_test_support.h"

#include "corvel/report/rule_selection.h"

#include <gtest/gtest.h>

namespace corvel::report {
namespace {

using test::analyseLines;

struct Case {
    std::string source;
    std::string translation;
    std::string message;  // empty: the rule stays quiet
};

// The messages of the analyser on one pair read in `encoding` (the lines
// stored as GBK for GBK, as they are for UTF-8).
std::vector<std::string> messages(const Case& c, AnalysisOptions options, TextEncoding encoding)
{
    std::vector<Finding> findings;
    if (encoding == TextEncoding::Gbk) {
        findings = analyseLines(Layout::LinePairs, {c.source, c.translation}, options);
    } else {
        options.encoding = encoding;
        test::CollectFindings collect;
        DictionaryAnalyser analyser(options, collect);
        analyser.addLine(c.source);
        analyser.addLine(c.translation);
        analyser.finish();
        findings = collect.findings;
    }
    std::vector<std::string> out;
    for (const Finding& f : findings)
        out.push_back(f.message);
    return out;
}

// Runs `rule` alone on each pair, in GBK and in UTF-8, and compares its
// one message (or none).
void expectFindings(const std::string& rule, const std::vector<Case>& cases)
{
    std::string error;
    AnalysisOptions options;
    options.rules = RuleSelection::fromLists({rule}, {}, error);
    ASSERT_TRUE(error.empty()) << error;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.source + " => " + c.translation);
        const std::vector<std::string> expected =
            c.message.empty() ? std::vector<std::string> {} : std::vector<std::string> {c.message};
        EXPECT_EQ(messages(c, options, TextEncoding::Gbk), expected) << "GBK";
        EXPECT_EQ(messages(c, options, TextEncoding::Utf8), expected) << "UTF-8";
    }
}

TEST(TextRules, EndPunctuation)
{
    expectFindings("end-punctuation-mismatch", {
        {"Are you sure?", "确定吗", "the source ends with a question mark, the translation with no mark"},
        {"Are you sure?", "确定吗？", ""},
        {"Are you sure? ", "确定吗?", ""},
        {"Name:", "名称：", ""},
        {"Name:", "名称", "the source ends with a colon, the translation with no mark"},
        {"<b>Name:</b>", "<b>名称：</b>", ""},
        {"Throttle meter:", "流量表;", "the source ends with a colon, the translation with no mark"},
        {"Open...", "打开…", ""},
        {"Open...", "打开……", ""},
        {"Open…", "打开...", ""},
        {"Load From...", "从...载入", ""},  // the word order moved the ellipsis
        {"Load From...", "从…载入文件", ""},
        {"Load From...", "从文件载入", "the source ends with an ellipsis, the translation with no mark"},
        {"Save _As...", "另存为...(_A)", ""},  // the access key after the mark
        {"&Background:", "背景：(&B)", ""},
        {"Sa&ve...", "保存…（&V）", ""},
        {"Le&vel (dB):", "电平 (dB)(&L)", "the source ends with a colon, the translation with no mark"},
        {"Open (a)...", "打开(a)", "the source ends with an ellipsis, the translation with no mark"},
        {"Saved.", "已保存", ""},  // a label drops its full stop
        {"Saved.", "已保存。", ""},
        {"Saved.", "已保存？", "the source ends with a full stop, the translation with a question mark"},
        {"Done!", "完成。", ""},
        {"Done!", "完成", ""},  // a title or a menu item drops its "!"
        {"Game Over!", "游戏结束", ""},
        {"You have won the game!", "你赢得了游戏", "the source ends with an exclamation mark, the translation with no mark"},
        {"Your city was destroyed!", "你的城市被摧毁了。", ""},
        {"Line one\\n", "第一行？\\n", ""},
        {"Open", "打开：", ""},
        {"<b>Quit?</b>", "<b>退出？</b>", ""},
        {"Delete \"%s\"?", "删除“%s”？", ""},
        {"Are you sure?", "确定吗。", "the source ends with a question mark, the translation with a full stop"},
        {"Loading...", "正在加载", "the source ends with an ellipsis, the translation with no mark"},
        {"!", "=!=", ""},  // an operator, not a sentence
        // A "?" after a Chinese character that no question explains.
        {"Laugh out loud", "笑笑?", "the translation ends with \"?\" after a Chinese character, the "
         "source with no mark: a character lost in a conversion?"},
        {"Laugh!", "笑笑?", "the translation ends with \"?\" after a Chinese character, the "
         "source with an exclamation mark: a character lost in a conversion?"},
        {"Really?", "真的?", ""},
        {"Use %s?", "使用 %s?", ""},
        {"Version 2?", "版本 2?", ""},
        {"What is X", "X 是什么?", "the translation ends with \"?\" after a Chinese character, the "
         "source with no mark: a character lost in a conversion?"},
    });
}

TEST(TextRules, LineBreaksThatMatter)
{
    const std::string dropped1 = "a line break that parts sentences or comes before a value is "
                                 "dropped: the source breaks its text at 1 place, the translation at 0";
    expectFindings("line-break-dropped", {
        {"Name:\\n%s", "名称：%s", dropped1},          // before a value, after a label
        {"Total\\n%d files", "共 %d 个文件", dropped1},
        {"Done.\\nRestart now.", "完成。现在重启。", dropped1},  // between sentences
        {"Error: %s\\n", "错误：%s", dropped1},         // the text's last break
        {"Locks drawers\\nHold to lock new ones", "锁定抽屉", dropped1},  // a list of lines
        {"Use the\\nfile", "使用文件", ""},
        {"Done.\\nRestart now.", "完成。\\n现在重启。", ""},
        {"Done.\\r\\nRestart now.", "完成。\\n现在重启。", ""},
        {"Done.<br>Restart now.", "完成。<br/>现在重启。", ""},
        // Wrapped text: a break inside a sentence says the source was wrapped.
        {"append the user to the\\ngroups named by -G.\\n", "将用户追加到 -G 指定的组。", ""},
        {"One line", "第一行\\n第二行", ""},            // a break added: wrapping
        // Paragraphs: a blank line added, or kept as one break.
        {"Line one.\\nLine two.", "第一行。\\n\\n第二行。", "a blank line the source does not have"},
        {"Para one.\\n\\nPara two.", "第一段。\\n\\n第二段。", ""},
        {"Para one.\\n\\nPara two.", "第一段。\\n第二段。", ""},
    });
}

TEST(TextRules, AccessKeys)
{
    const std::string underscore = "the access key \"_\" marks a Chinese character, which no "
                                   "keyboard types: write the source's letter after the text, as (_X)";
    expectFindings("access-key-mismatch", {
        {"_Edit this recipe", "_编辑此配方", underscore},
        {"_Edit this recipe", "编辑此配方(_E)", ""},
        {"&Open", "&打开", "the access key \"&\" marks a Chinese character, which no keyboard "
         "types: write the source's letter after the text, as (&X)"},
        {"&Open", "打开(&O)", ""},
        {"Save_as", "保存_为", ""},          // no access key in the source
        {"Tom &amp; Jerry", "汤姆&汤", ""},   // an entity, not a mark
        {"my_file", "我的_文件", ""},
    });
}

TEST(TextRules, NumberMessages)
{
    expectFindings("number-mismatch", {
        {"Level 42", "等级", "number 42 of the source is missing from the translation"},
        {"3 files, 3x faster", "3 个文件，快4倍",
         "number 3 is written fewer times in the translation (2 x in the source, 1 x in the "
         "translation)"},
        {"Missing 3 and 4", "缺少", "numbers 3 and 4 of the source are missing from the translation"},
        {"Page 1 of 1", "第 1 页", ""},
    });
}

TEST(TextRules, Brackets)
{
    expectFindings("bracket-mismatch", {
        {"Open (read-only)", "打开（只读",
         "round brackets: the source opens 1 and closes 1, the translation opens 1 and closes 0"},
        {"Open (read-only)", "打开（只读）", ""},
        {"Open (read-only)", "以只读方式打开", ""},  // rephrased without brackets
        {"Open [x]", "打开【x】", ""},
        {"Open [x]", "打开【x", "square brackets: the source opens 1 and closes 1, the translation opens 1 and closes 0"},
        {"1) First", "1）第一", ""},
        {"Thanks :)", "谢谢！", ""},  // a smiley closes nothing
        {"Open [x]", "打开[x]乚", ""},  // a GBK second byte "]" is no bracket
        {"1) First", "（1）第一", "round brackets: the source opens 0 and closes 1, the translation opens 1 and closes 1"},
        // A named conversion's brackets hold its name.
        {"%(count)s files", "(%(count)s 个文件", "round brackets: the source opens 0 and closes 0, the translation opens 1 and closes 0"},
        {"(%(count)s files)", "（%(count)s 个文件）", ""},
        {"%(count)s files)", "%(count)s 个文件", "round brackets: the source opens 0 and closes 1, the translation opens 0 and closes 0"},
        // A ")" after an entity closes its bracket; a smiley's does not.
        {"(&ldquo;x&rdquo;)", "（&ldquo;x&rdquo;", "round brackets: the source opens 1 and closes 1, the translation opens 1 and closes 0"},
        {"(&ldquo;x&rdquo;)", "（&ldquo;x&rdquo;)", ""},
        {"Hi ;)", "你好", ""},
        // A bracket named between quotes.
        {"Starts with '[' but has no end", "以“[”开始，但没有结束符“]”", ""},
        {"Starts with '[' but has no end", "以“[”开始，但没有结束符]", "square brackets: the source opens 0 and closes 0, the translation opens 0 and closes 1"},
    });
}

TEST(TextRules, Quotes)
{
    expectFindings("quote-mismatch", {
        {"Click \"Save\"", "点击\"保存",
         "the source's quotes are paired, the translation's are not: an odd number of \""},
        {"Click \"Save\"", "点击“保存",
         "the source's quotes are paired, the translation's are not: \u201c and \u201d unmatched"},
        {"Click \"Save\"", "点击“保存”", ""},
        {"Click \"Save\"", "点击”保存”",  // both quotes typed closing
         "the source's quotes are paired, the translation's are not: \u201c and \u201d unmatched"},
        {"Click \"Save\"", "点击「保存」", ""},
        {"Click \"Save\"", "点击\"保存\"", ""},
        {"Click \"Save\"", "点击保存", ""},
        {"Say \"hi", "说\"你好", ""},  // the source itself is unpaired
    });
}

TEST(TextRules, Addresses)
{
    expectFindings("url-mismatch", {
        {"See https://example.com/help.", "参见 https://example.com/help。", ""},
        {"See https://example.com/help.", "参见帮助",
         "address \"https://example.com/help\" of the source is missing from the translation"},
        {"See https://example.com/help", "参见 https://example.cn/help",
         "address \"https://example.com/help\" of the source is missing from the translation; "
         "it has \"https://example.cn/help\" instead"},
        {"Mail me@example.org", "写信给 me@example.org", ""},
        {"Mail me@example.org", "写信给 me@example.com",
         "address \"me@example.org\" of the source is missing from the translation; it has "
         "\"me@example.com\" instead"},
        {"Version 1/2 @ home", "版本 1/2", ""},
        // A wiki link [[address|text]]: only the text is translated.
        {"[[https://example.com/|view online]]", "[[https://example.com/|在线查看]]", ""},
        {"[[https://example.com/a|Forum]]", "[[https://example.com/b|论坛]]",
         "address \"https://example.com/a\" of the source is missing from the translation; "
         "it has \"https://example.com/b\" instead"},
    });
}

TEST(TextRules, Options)
{
    expectFindings("option-mismatch", {
        {"Use --force to overwrite", "使用 --强制 覆盖",
         "option \"--force\" of the source is missing from the translation"},
        {"Use --force to overwrite", "使用 --force 覆盖", ""},
        {"Use --force to overwrite", "使用 --forced 覆盖",
         "option \"--force\" of the source is missing from the translation"},
        {"Run with -v", "用 -v 运行", ""},
        {"Use --output-dir=DIR", "使用 --output-dir=目录", ""},
        {"Run with -v", "详细运行", "option \"-v\" of the source is missing from the translation"},
        {"Send e-mail -- now", "现在发送邮件", ""},
        {"Range -1 to 1", "范围", ""},
        // A capitalised word between dashes is a heading, not an option.
        {"--Volume Header--\\n", "--卷头--\\n", ""},
        {"Use --verbose", "使用 --详细", "option \"--verbose\" of the source is missing from the translation"},
    });
}

TEST(TextRules, Paths)
{
    expectFindings("path-mismatch", {
        {"Edit /etc/hosts", "编辑 /etc/hosts", ""},
        {"Type /join #help", "输入 /加入 #help", "path \"/join\" of the source is missing from the translation"},
        {"Run ./configure first", "先运行 ./configure", ""},
        {"Edit /etc/hosts", "编辑 /etc/主机", "path \"/etc/hosts\" of the source is missing from the translation"},
        {"Saved to C:\\Games\\save.dat.", "已保存到 C:\\Games\\save.dat。", ""},
        {"Saved to ~/.config/app", "已保存到配置", "path \"~/.config/app\" of the source is missing from the translation"},
        {"Read config/settings.json", "读取 config/setting.json",
         "path \"config/settings.json\" of the source is missing from the translation"},
        {"Yes and/or no, 5 km/h", "是和/或否，5 公里/小时", ""},
        {"Rated 3.5/5.0", "评分 3.5 分/5.0 分", ""},
        {"<b>Bold</b>", "<b>粗体</b>", ""},
        {"/page", "条/页", ""},  // a unit, "per page"
    });
}

TEST(TextRules, DoubledWords)
{
    expectFindings("doubled-word", {
        {"Open the file", "打开 the the 文件", "the word \"the\" is written twice in a row"},
        {"Open file", "打开 文件 文件。", "the word \"文件\" is written twice in a row"},
        {"Bye bye", "bye bye", ""},   // kept from the source
        {"Pew Pew!", "啾 啾！", ""},   // the source doubles a word too
        {"\"%s\" \"%s\"", "“%s” “%s”", ""},
        {"%s and %s.", "%s %s。", "the word \"%s\" is written twice in a row"},
        {"Open “file” “file”", "打开 “文件” “文件”", ""},
        {"Open file", "打开 “文件” “文件”", "the word \"文件\" is written twice in a row"},
        {"Page 1 1", "第 1 1 页", ""},  // numbers repeat
        {"Look", "看看", ""},           // reduplication
        {"Open file", "打开 文件", ""},
    });
}

TEST(TextRules, DoubledSpaces)
{
    expectFindings("doubled-space", {
        {"Notice from: %s (%s)", "%s  (%s) 发的通知", "2 spaces in a row inside the translation"},
        {"Notice from: %s (%s)", "%s (%s) 发的通知", ""},
        {"Ref#  Seconds", "编号  秒", ""},  // columns aligned in the source
        {"Name", "  名称  ", ""},          // the ends are whitespace-mismatch's
    });
}

TEST(TextRules, TooShort)
{
    expectFindings("too-short", {
        {"The second sentence explains what happens when the download fails.", "下载",
         "the translation is far too short for its source: 56 letters in the source, 2 "
         "characters' worth in the translation"},
        {"The second sentence explains what happens when the download fails.",
         "第二句解释了下载失败时会发生什么。", ""},
        {"Short text is never weighed", "短", ""},
        {"Use the Default Settings for every new profile", "对每个新 profile 使用 Default Settings", ""},
    });
}

TEST(TextRules, Attributes)
{
    expectFindings("attribute-mismatch", {
        {"See <a href=\"help.html\">help</a>", "参见<a href=\"about.html\">帮助</a>",
         "attribute href=\"help.html\" became href=\"about.html\""},
        {"See <a href=\"help.html\">help</a>", "参见<a href=\"help.html\">帮助</a>", ""},
        {"See <a href='help.html'>help</a>", "参见<a href=\"help.html\">帮助</a>", ""},
        {"See <A HREF=help.html>help</A>", "参见<a href=\"help.html\">帮助</a>", ""},
        {"See <a href=\"help.html\">help</a>", "参见帮助", "attribute href=\"help.html\" is missing from the translation"},
        {"<img src=\"a.png\" alt=\"Logo\">", "<img src=\"a.png\" alt=\"标志\">", ""},  // alt is shown
        {"<font color=\"red\">Error</font>", "<font color=\"blue\">错误</font>",
         "attribute color=\"red\" became color=\"blue\""},
        // An inline code's id is the placeholder rule's to compare.
        {"Save <g id=\"1\">now</g>", "立即保存", ""},
        {"<g ctype=\"bold\" id=\"1\">x</g>", "<g ctype=\"italic\" id=\"1\">甲</g>",
         "attribute ctype=\"bold\" became ctype=\"italic\""},
    });
}

TEST(TextRules, BraceFormats)
{
    expectFindings("brace-format-mismatch", {
        {"{0,number,integer} files", "{0} 个文件",
         "the format inside braces differs: \"{0,number,integer}\" became \"{0}\""},
        {"{0,number,integer} files", "{0, number, integer} 个文件", ""},
        {"Total {0:N2}", "合计 {0:N0}", "the format inside braces differs: \"{0:N2}\" became \"{0:N0}\""},
        {"Total {0:N2}", "合计 {0:N2}", ""},
        {"{0} files", "{0} 个文件", ""},
        {"{n, plural, one {# file} other {# files}}", "{n, plural, other {# 个文件}}", ""},
        {"{n, plural, one {# file} other {# files}}", "{n} 个文件",
         "the format inside braces differs: \"{n, plural, ...}\" became \"{n}\""},
        {"{n, select, male {He} other {They}}", "他们", "the format inside braces differs: "
         "\"{n, select, ...}\" is missing from the translation"},
        {"{0,number} files", "文件", ""},  // missing altogether: placeholder-mismatch's
    });
}

TEST(TextRules, ShellVariables)
{
    expectFindings("shell-variable-mismatch", {
        {"Saved in $HOME", "保存在 $主页", "variable \"$HOME\" of the source is missing from the translation"},
        {"Saved in $HOME", "保存在 $HOME 中", ""},
        {"Saved in $XDG_DATA_HOME/app", "保存在 $数据/app",
         "variable \"$XDG_DATA_HOME\" of the source is missing from the translation"},
        {"Saved in ${XDG_DATA_HOME}", "保存在 ${数据}", ""},  // a brace placeholder
        {"Costs $5, US$ 3", "花费 5 美元", ""},
        {"%1$s and $tNotify", "%1$s 和 $t 通知", ""},
    });
}

TEST(TextRules, ControlBytesDropped)
{
    expectFindings("control-char-dropped", {
        {"The \x02Run\x02 command", "“Run” 命令",
         "control byte 0x02 (2 x in the source, 0 x in the translation): dropped by the translation"},
        {"The \x02Run\x02 command", "\x02Run\x02 命令", ""},
        {"Name\tValue", "名称 值", ""},  // a tab is layout
        {"\x03" "4Red\x03 text", "\x03" "4红色文字",
         "control byte 0x03 (2 x in the source, 1 x in the translation): dropped by the translation"},
    });
}

}  // namespace
}  // namespace corvel::report
