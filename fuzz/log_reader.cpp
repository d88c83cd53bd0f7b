#include "log_reader.h"

#include "platform.h"

namespace corvel::fuzz {

namespace {

struct Texts {
    std::string emptyBefore = toGbk("# 第");
    std::string emptyAfter = toGbk(" 行是空行。");
    std::string emptyWarning = toGbk(" (警告:存在空行有可能会导致奇隅行发生严重错误！)");
    std::string errorBefore = toGbk("* 第");
    std::string errorAfter = toGbk(" 行发生错误。");
    std::string pairUntranslatedBefore = toGbk("  第");
    std::string pairUntranslatedAfter = toGbk(" 行没有翻译。");
    std::string seriousAfter = toGbk(" 行发生严重错误。");
    std::string equalsUntranslatedBefore = toGbk("第");
    std::string equalsUntranslatedAfter = toGbk(" 行没有翻译");
    std::string total = toGbk("总共处理了");
    std::string linesEnd = toGbk(" 行。");
    std::string result = toGbk("处理结果：共有");
    std::string untranslated = toGbk(" 行没有翻译");
    std::string erroneous = toGbk(" 行错误");
    std::string empty = toGbk(" 行是空行");
    std::string semicolon = toGbk("；");
    std::string fullStop = toGbk("。");
    std::string deletedBefore = toGbk("(已删除");
    std::string deletedAfter = toGbk(" 行)");
    std::string errorCause = toGbk("发生了严重错误，程序已经停止！---严重错误发生于第");
    std::string emptyCause = toGbk("出现空行，程序已经停止！---空行出现于第");
    std::string pairBanner = std::string(25, '*') + "     " + toGbk("完") + "    " + std::string(26, '*');
    std::string equalsBanner = std::string(29, '*') + "     " + toGbk("完") + "    " + std::string(30, '*');
};

const Texts& texts()
{
    static const Texts t;
    return t;
}

// A cursor over one log line.
class Cursor {
public:
    explicit Cursor(std::string_view line) : line_(line) {}

    bool take(std::string_view literal)
    {
        if (line_.substr(at_, literal.size()) != literal)
            return false;
        at_ += literal.size();
        return true;
    }

    // A spaced number: a space or "-" in the place of the sign, then digits.
    std::optional<std::int32_t> number()
    {
        if (at_ >= line_.size() || (line_[at_] != ' ' && line_[at_] != '-'))
            return std::nullopt;
        bool negative = line_[at_++] == '-';
        std::int64_t value = 0;
        std::size_t digits = 0;
        while (at_ < line_.size() && line_[at_] >= '0' && line_[at_] <= '9' && digits < 11) {
            value = value * 10 + (line_[at_++] - '0');
            ++digits;
        }
        if (digits == 0)
            return std::nullopt;
        return static_cast<std::int32_t>(negative ? -value : value);
    }

    // The spaces up to the next 14-column print zone.
    bool filler()
    {
        std::size_t zone = (at_ + 13) / 14 * 14;
        for (; at_ < zone; ++at_)
            if (at_ >= line_.size() || line_[at_] != ' ')
                return false;
        return true;
    }

    // "(已删除 n 行)" when present; it must repeat `count`.
    bool optionalNote(std::int32_t count)
    {
        if (!take(texts().deletedBefore))
            return true;
        auto n = number();
        return n && *n == count && take(texts().deletedAfter);
    }

    std::string_view rest() const { return line_.substr(at_); }
    bool atEnd() const { return at_ == line_.size(); }

private:
    std::string_view line_;
    std::size_t at_ = 0;
};

struct EntryForm {
    Kind kind;
    const std::string* before;
    const std::string* after;
};

std::vector<EntryForm> entryForms(LogLayout layout)
{
    const Texts& t = texts();
    if (layout == LogLayout::LinePairs)
        return {{Kind::Empty, &t.emptyBefore, &t.emptyAfter},
                {Kind::Erroneous, &t.errorBefore, &t.errorAfter},
                {Kind::Untranslated, &t.pairUntranslatedBefore, &t.pairUntranslatedAfter}};
    return {{Kind::SeriousError, &t.errorBefore, &t.seriousAfter},
            {Kind::Untranslated, &t.equalsUntranslatedBefore, &t.equalsUntranslatedAfter}};
}

// One entry line, or a problem text when the line starts like an entry but
// does not read as one.
std::optional<LogEntry> readEntry(std::string_view line, const EntryForm& form,
                                  std::string& problem)
{
    Cursor c(line);
    if (!c.take(*form.before))
        return std::nullopt;
    auto n = c.number();
    if (!n || !c.take(*form.after) || !c.filler()) {
        problem = "malformed entry line";
        return std::nullopt;
    }
    if (form.kind == Kind::Empty && c.rest() != texts().emptyWarning) {
        problem = "empty-line entry without its warning";
        return std::nullopt;
    }
    return LogEntry {form.kind, *n, c.rest()};
}

std::optional<LogCounts> readResult(std::string_view line, LogLayout layout, std::int32_t lines)
{
    const Texts& t = texts();
    Cursor c(line);
    LogCounts counts;
    counts.lines = lines;
    if (!c.take(t.result))
        return std::nullopt;
    auto part = [&](std::int32_t& into, const std::string& what) {
        auto n = c.number();
        if (!n || !c.take(what) || !c.optionalNote(*n))
            return false;
        into = *n;
        return true;
    };
    bool ok = part(counts.untranslated, t.untranslated) && c.take(t.semicolon) &&
              part(counts.erroneous, t.erroneous);
    if (ok && layout == LogLayout::LinePairs)
        ok = c.take(t.semicolon) && part(counts.empty, t.empty);
    if (!ok || !c.take(t.fullStop) || !c.atEnd())
        return std::nullopt;
    return counts;
}

std::vector<std::string_view> splitLog(std::string_view section, std::string& problem)
{
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < section.size()) {
        std::size_t end = section.find("\r\n", start);
        if (end == std::string_view::npos) {
            problem = "the log does not end with a whole line";
            break;
        }
        lines.push_back(section.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

}  // namespace

ParsedLog parseLog(std::string_view section, LogLayout layout)
{
    const Texts& t = texts();
    ParsedLog log;
    std::vector<std::string_view> lines = splitLog(section, log.problem);
    std::vector<EntryForm> forms = entryForms(layout);
    std::optional<std::int32_t> total;
    for (std::string_view line : lines) {
        for (const EntryForm& form : forms)
            if (auto entry = readEntry(line, form, log.problem)) {
                log.entries.push_back(*entry);
                break;
            }
        Cursor c(line);
        if (c.take(t.total)) {
            total = c.number();
            if (!total || !c.take(t.linesEnd) || !c.atEnd())
                log.problem = "malformed total line";
        } else if (line.substr(0, t.result.size()) == t.result) {
            log.counts = readResult(line, layout, total.value_or(-1));
            if (!log.counts || !total)
                log.problem = "malformed result line";
        } else if (c.take(t.errorCause) || c.take(t.emptyCause)) {
            log.stopAt = c.number();
            if (!log.stopAt || !c.take(t.linesEnd))
                log.problem = "malformed stop line";
        } else if (line == (layout == LogLayout::LinePairs ? t.pairBanner : t.equalsBanner)) {
            log.closingBanner = true;
        }
        if (!log.problem.empty())
            break;
    }
    return log;
}

}  // namespace corvel::fuzz
