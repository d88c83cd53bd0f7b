// The warning after a dictionary is chosen: what the file is and what the
// check will see, in one text; nothing for GBK with CR LF line ends.
#include "file_warning.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace corvel {
namespace {

class FileWarningTest : public test::TempFolderTest {};

TEST_F(FileWarningTest, WarnsWhatTheCheckWillSee)
{
    struct Case {
        const char* name;
        std::string bytes;
        std::vector<std::string> fragments;  // none: no warning
    };
    const std::string gbk = "\xB4\xF2\xBF\xAA";  // 打开
    const std::vector<Case> cases {
        {"gbk, CR LF", "Open\r\n" + gbk + "\r\n", {}},
        {"ascii, lone CRs", "Open\rOK\r", {}},
        {"utf-8", "Open\r\n打开\r\n", {"UTF-8 编码", "乱码"}},
        {"utf-8 with mark", "\xEF\xBB\xBFOpen\r\nOK\r\n", {"UTF-8 编码", "BOM", "第 1 行"}},
        {"utf-16", std::string("\xFF\xFEO\0\r\0\n\0", 8), {"UTF-16 编码", "没有意义"}},
        {"LF only", "Open\n" + gbk + "\n", {"（LF）", "整个文件将被当作 1 行"}},
        {"LF lines between CR LF", "A\r\n" + gbk + "\r\nB\nC\nD\r\n" + gbk + "\r\n",
         {"（LF）", "多行将被合并成一行"}},
        {"utf-8 with LF", "Open\n打开\n", {"UTF-8 编码", "\n", "（LF）"}},
    };
    for (const Case& c : cases) {
        const std::optional<std::string> warning =
            dictionaryWarning(makeFile("dict.txt", c.bytes));
        EXPECT_EQ(warning.has_value(), !c.fragments.empty()) << c.name;
        for (const std::string& fragment : c.fragments)
            EXPECT_NE(warning.value_or("").find(fragment), std::string::npos)
                << c.name << ": " << warning.value_or("");
    }
}

TEST_F(FileWarningTest, MissingFileGetsNoWarning)
{
    EXPECT_FALSE(dictionaryWarning(root() / "missing.txt"));
}

}  // namespace
}  // namespace corvel
