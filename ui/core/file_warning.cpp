#include "file_warning.h"

#include "corvel/encoding_check.h"

#include <algorithm>
#include <vector>

namespace corvel {

namespace {

using report::RuleId;

// The rules of the file's own kind, as the check reads it (GBK, CR LF).
class KindSink : public encoding::NoteSink {
public:
    bool add(RuleId rule, std::int32_t, std::int32_t, const encoding::ByteNote&) override
    {
        if (report::aboutTheWholeFile(rule))
            found.push_back(rule);
        return true;
    }
    bool has(RuleId rule) const
    {
        return std::find(found.begin(), found.end(), rule) != found.end();
    }
    std::vector<RuleId> found;
};

std::string utf8Text(bool withMark)
{
    std::string text = "该文件是 UTF-8 编码的文本，不是 GBK 编码。"
                       "校验将按 GBK 读取它，记录中的中文会显示为乱码。";
    if (withMark)
        text += "文件开头的 UTF-8 标记（BOM）会被当作第 1 行的文字，第 1 行可能被判为错误。";
    return text;
}

std::string lfText(std::int64_t lines)
{
    std::string text = "该文件的行以单独的换行符（LF）结束。"
                       "校验只在回车换行（CR LF）或单独的回车符（CR）处分行，";
    text += lines <= 1 ? "整个文件将被当作 1 行来校验。" : "以 LF 结束的多行将被合并成一行来校验。";
    return text;
}

}  // namespace

std::optional<std::string> dictionaryWarning(const std::filesystem::path& path)
{
    KindSink sink;
    encoding::EncodingCheck check;
    if (encoding::checkEncoding(path, {}, sink, check))
        return std::nullopt;
    std::vector<std::string> parts;
    if (sink.has(RuleId::Utf16))
        parts.push_back("该文件是 UTF-16 编码的文本，不是 GBK 编码。"
                        "校验将按 GBK 读取它，各行内容都会是乱码，校验结果没有意义。");
    else if (sink.has(RuleId::Utf8Bom) || sink.has(RuleId::Utf8Text))
        parts.push_back(utf8Text(sink.has(RuleId::Utf8Bom)));
    if (sink.has(RuleId::LfLineEnds))
        parts.push_back(lfText(check.lines));
    if (parts.empty())
        return std::nullopt;
    std::string text = parts[0];
    for (std::size_t i = 1; i < parts.size(); ++i) {
        text += '\n';
        text += parts[i];
    }
    return text;
}

}  // namespace corvel
