// The base of the tests that run a check: a fresh folder, a request as the
// window makes it, a recording host, the fixed clock, and the expected
// pieces of the two logs.
#pragma once

#include "corvel/check_runs.h"
#include "fake_host.h"
#include "test_support.h"

#include <cstdint>
#include <ostream>
#include <string>

namespace corvel {

// A layout as test names and messages show it.
inline void PrintTo(Layout layout, std::ostream* out)
{
    *out << (layout == Layout::LinePairs ? "LinePairs" : "Equals");
}

}  // namespace corvel

namespace corvel::test {

class RunTest : public TempFolderTest {
protected:
    RunTest()
    {
        request.clock = fixedClock();
        request.options = &options;
    }

    // A dictionary in the folder "dic" of the test folder; its output
    // folder goes beside it, as after choosing the file in the window.
    fs::path chooseDictionary(const std::string& name, const std::string& bytes)
    {
        fs::path file = makeFile(fs::path("dic") / name, bytes);
        request.dictionary = file;
        request.outputParent = file.parent_path();
        return file;
    }

    // The run of the request's layout, with the host as its only sink.
    RunReport run() { return runCheck(request, host, {&host}); }
    RunReport runPairs()
    {
        request.layout = Layout::LinePairs;
        return run();
    }
    RunReport runEquals()
    {
        request.layout = Layout::Equals;
        return run();
    }

    // A file under the dictionary's folder "dic", e.g. "game/game.log".
    std::string output(const fs::path& relative) { return readBytes(root() / "dic" / relative); }
    bool outputExists(const fs::path& relative) { return fs::exists(root() / "dic" / relative); }

    TestOptions options;
    RunRequest request;
    FakeHost host;
};

// An entry line: the UTF-8 lead text in GBK, the filler up to the next
// print zone, the dictionary line's bytes as read, CR LF.
inline std::string entryLine(const std::string& utf8Lead, std::string_view text)
{
    std::string line = gbk(utf8Lead);
    line.append((14 - line.size() % 14) % 14, ' ');
    line += text;
    line += "\r\n";
    return line;
}

// The line-pair check-mode header (10 lines).
inline std::string pairCheckHeader()
{
    return gbkLines({std::string(64, '#'), "校验字典类型格式：奇数行=英文；隅数行=中文",
                     std::string(64, '#'), "", std::string(62, '*'), "", "执行操作：　　　　检错",
                     "", std::string(63, '*'), ""});
}

// The line-pair summary of a finished check-mode run.
inline std::string pairCheckSummary(std::int32_t lines, std::int32_t untranslated,
                                    std::int32_t erroneous, std::int32_t empty)
{
    auto n = [](std::int32_t v) { return std::string(" ").append(std::to_string(v)); };
    std::string total = "总共处理了" + n(lines) + " 行。";
    std::string result = "处理结果：共有" + n(untranslated) + " 行没有翻译；" + n(erroneous) +
        " 行错误；" + n(empty) + " 行是空行。";
    return gbkLines({"", total, "", result, "", "检查时间：2002年05月30日　14:05:09", "",
                     "*************************     完    **************************", "", ""});
}

// The line-pair stop trailer; `cause` is the cause text with its number.
inline std::string pairStopTrailer(const std::string& cause, std::int32_t lines,
                                   std::int32_t untranslated, std::int32_t erroneous,
                                   std::int32_t empty)
{
    auto n = [](std::int32_t v) { return std::string(" ").append(std::to_string(v)); };
    std::string total = "总共处理了" + n(lines) + " 行。";
    std::string result = "处理结果：共有" + n(untranslated) + " 行没有翻译；" + n(erroneous) +
        " 行错误；" + n(empty) + " 行是空行。";
    return gbkLines(
        {"", "", "", cause, "", total, "", result, "", "检查时间：2002年05月30日　14:05:09", "",
         "*******************************     完     **************************", "", ""});
}

// The equals-line header (10 lines); `operation` is 检错 or 纠错.
inline std::string equalsHeader(const std::string& operation)
{
    return gbkLines({std::string(70, '#'), "　　　　　　　　　校验字典类型格式：英文＝中文",
                     std::string(70, '#'), "", std::string(69, '*'), "",
                     "执行操作：　　　　 " + operation, "", std::string(70, '*'), ""});
}

// The equals-line summary; the deletion notes in correct mode.
inline std::string equalsSummary(std::int32_t lines, std::int32_t untranslated,
                                 std::int32_t serious, bool correct)
{
    auto n = [](std::int32_t v) { return std::string(" ").append(std::to_string(v)); };
    std::string result = "处理结果：共有" + n(untranslated) + " 行没有翻译";
    if (correct)
        result += "(已删除" + n(untranslated) + " 行)";
    result += "；" + n(serious) + " 行错误";
    if (correct)
        result += "(已删除" + n(serious) + " 行)";
    result += "。";
    return gbkLines({"", "总共处理了" + n(lines) + " 行。", "", result, "", "",
                     "检查时间：2002年05月30日　14:05:09", "",
                     "*****************************     完    ******************************", "",
                     ""});
}

}  // namespace corvel::test
