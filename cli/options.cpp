#include "options.h"

#include <algorithm>

#include <cstdio>
#include <map>
#include <set>

namespace corvel::cli {

namespace {

// The help, an entry of the catalogue a block: the usage, each option with
// its lines, the exit status. Empty entries are blank lines.
constexpr std::string_view kUsage[] = {
    "Usage: corvel-check [OPTION]... DICTIONARY...\n"
    "       corvel-check [OPTION]... FILE.po|FILE.ts|FILE.xlf...\n"
    "       corvel-check [OPTION]... --source SOURCE TRANSLATION...\n"
    "Checks translation dictionaries and writes a check log (and in correct\n"
    "mode a corrected copy) into a folder named after each dictionary.",
    "Checks the translation files projects keep (gettext .po, Qt .ts, XLIFF;\n"
    "Android strings.xml, JSON and .properties against their source) and\n"
    "prints their report; nothing is written beside them.",
    "",
    "  --equals              equals-line dictionaries (English=Chinese)",
    "  --input FORMAT        read every file as FORMAT: {inputs}, or\n"
    "                        line-pairs or equals-lines (a dictionary); default:\n"
    "                        recognised from the name and the content",
    "  --source SOURCE       the source-language file of the translation file\n"
    "                        that follows (android, json, properties): paired\n"
    "                        by key",
    "  --correct             correct mode: also write the corrected dictionary",
    "  --append-log          append to the check log instead of replacing it",
    "  --stop-on-empty       check mode: stop at the first empty line",
    "  --no-error-stop       check mode: do not stop after a row of erroneous lines",
    "  --keep-empty          correct mode: keep empty lines and their related lines",
    "  --keep-erroneous      correct mode: keep erroneous lines and their related lines",
    "  --drop-untranslated   correct mode: drop untranslated lines and their related lines",
    "  --workdir DIR         create the output folders in DIR\n"
    "                        (default: each dictionary's own folder)",
    "  --time 'YYYY-MM-DD HH:MM:SS'  date and time written in the logs",
    "  --encoding ENCODING   gbk (default), gb18030, utf-8, or auto (UTF-8 when\n"
    "                        the file has a UTF-8 byte-order mark or is valid\n"
    "                        UTF-8 with multibyte characters, else GBK)",
    "  --line-ends ENDS      crlf (default: CR LF or a lone CR ends a line) or\n"
    "                        any (a lone LF ends a line as well)",
    "  --charset gb2312      report characters that GB2312 does not hold",
    "  --fix-fullwidth       correct mode: write full-width look-alikes of the\n"
    "                        source's placeholders half-width",
    "  --format FORMAT       print a report of findings: {formats}",
    "  --report FILE         write the same report to FILE as well",
    "  --enable RULE[,RULE]  report only these rules (see docs/report.md)",
    "  --disable RULE[,RULE] do not report these rules",
    "  --placeholders LIST   the placeholder syntaxes to recognise, of printf,\n"
    "                        qt, brace, escape, tag, section, argument\n"
    "                        (default: all)",
    "  --list-rules[=json]   list the rules and exit",
    "  --fail-on LEVEL       error (default) or warning: the findings that make\n"
    "                        the exit status 1",
    "  --baseline FILE       an earlier JSON report: findings it holds do not\n"
    "                        count toward the exit status",
    "  -j, --jobs N          check N dictionaries at once (default: one per core)",
    "  -q, --quiet           print no summary and no text report (a JSON or\n"
    "                        SARIF report is still printed)",
    "  --lang LANGUAGE       zh or en: the language of the messages, the help\n"
    "                        and the summaries (default: the system's)",
    "  -h, --help            show this help",
    "      --version         show the version",
    "",
    "Exit status: 0 no line flagged, 1 some line flagged, 2 a dictionary could\n"
    "not be checked. With a report option: 1 when a finding counts (an error,\n"
    "or a warning with --fail-on warning; not one held by --baseline), else 0.",
};

}  // namespace

std::string usage(const Messages& messages)
{
    std::string text;
    for (std::string_view entry : kUsage) {
        text += entry.empty() ? entry : messages.text(entry);
        text += '\n';
    }
    const std::string_view mark = "{formats}";
    text.replace(text.find(mark), mark.size(), reportFormatNames());
    const std::string_view inputs = "{inputs}";
    text.replace(text.find(inputs), inputs.size(), formatNames());
    return text;
}

CliOptionSource::CliOptionSource()
{
    const DefaultOptions fresh;
    for (Option o : {Option::ReplaceLog, Option::PromptAtEnd, Option::StopOnErrors,
                     Option::StopOnEmpty, Option::DeleteEmpty, Option::DeleteErroneous,
                     Option::DeleteUntranslated})
        set(o, fresh.option(o));
}

std::optional<LocalTime> parseTime(const std::string& text)
{
    LocalTime t;
    char tail = 0;
    if (std::sscanf(text.c_str(), "%4d-%2d-%2d %2d:%2d:%2d%c", &t.year, &t.month, &t.day,
                    &t.hour, &t.minute, &t.second, &tail) != 6)
        return std::nullopt;
    if (!isValidTime(t))
        return std::nullopt;
    return t;
}

namespace {

std::optional<unsigned> parseJobs(const std::string& text)
{
    if (text.empty() || text.size() > 4 || text.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    const unsigned n = static_cast<unsigned>(std::stoul(text));
    if (n == 0)
        return std::nullopt;
    return n;
}

enum class ReportValue { None, Format, File, Enable, Disable, Placeholders, FailOn, Baseline };

ReportValue reportOption(const std::string& name)
{
    static const std::map<std::string, ReportValue> names = {
        {"--format", ReportValue::Format},   {"--report", ReportValue::File},
        {"--enable", ReportValue::Enable},   {"--disable", ReportValue::Disable},
        {"--fail-on", ReportValue::FailOn},  {"--baseline", ReportValue::Baseline},
        {"--placeholders", ReportValue::Placeholders},
    };
    auto at = names.find(name);
    return at == names.end() ? ReportValue::None : at->second;
}

// Takes the value of a report option; false with `error` set when it is wrong.
bool readReportValue(ReportValue option, const std::string& value, ReportOptions& report,
                     std::vector<std::string>& enable, std::vector<std::string>& disable,
                     const Messages& m, std::string& error)
{
    report.wanted = true;
    switch (option) {
    case ReportValue::None: break;
    case ReportValue::Format:
        report.format = findReportFormat(value);
        if (report.format == nullptr)
            error = m.format("--format needs %s", {reportFormatNames()});
        break;
    case ReportValue::File: report.file = value; break;
    case ReportValue::Enable: enable.push_back(value); break;
    case ReportValue::Disable: disable.push_back(value); break;
    case ReportValue::Placeholders:
        if (!report.placeholders.addList(value, error))
            error = m.format("--placeholders: %s", {error});
        break;
    case ReportValue::FailOn:
        if (!report::parseFailOn(value, report.failOn))
            error = m.text("--fail-on needs error or warning");
        break;
    case ReportValue::Baseline: report.baseline = value; break;
    }
    return error.empty();
}

// Takes the value of a reading option; false with `error` set when it is wrong.
bool readReadingValue(const std::string& name, const std::string& value, CliOptions& o,
                      const Messages& m, std::string& error)
{
    if (name == "--encoding") {
        auto choice = encoding::parseEncodingChoice(value);
        if (!choice)
            error = m.text("--encoding needs gbk, gb18030, utf-8 or auto");
        else
            o.reading.encoding = *choice;
    } else if (name == "--line-ends") {
        auto ends = encoding::parseLineEnds(value);
        if (!ends)
            error = m.text("--line-ends needs crlf or any");
        else
            o.reading.lineEnds = *ends;
    } else {
        auto charset = encoding::parseCharset(value);
        if (!charset)
            error = m.text("--charset needs gb2312");
        else
            o.reading.charset = *charset;
        o.report.wanted = true;  // only the report tells what is outside it
    }
    return error.empty();
}

// The rules on by default and `rule`, as a value of --enable.
std::string defaultRulesAnd(std::string_view rule)
{
    std::string list(rule);
    for (const report::RuleInfo& info : report::ruleCatalogue())
        if (info.onByDefault) {
            list += ',';
            list += info.name;
        }
    return list;
}

}  // namespace

ParseResult parseCommandLine(const std::vector<std::string>& args, const Messages& m)
{
    static const std::map<std::string, std::pair<Option, bool>> switches = {
        {"--append-log", {Option::ReplaceLog, false}},
        {"--stop-on-empty", {Option::StopOnEmpty, true}},
        {"--no-error-stop", {Option::StopOnErrors, false}},
        {"--keep-empty", {Option::DeleteEmpty, false}},
        {"--keep-erroneous", {Option::DeleteErroneous, false}},
        {"--drop-untranslated", {Option::DeleteUntranslated, true}},
    };
    ParseResult result;
    CliOptions& o = result.options;
    std::vector<std::string> linePairSwitches;  // they do nothing for equals lines
    bool onlyFiles = false;
    std::vector<std::string> enable, disable;
    std::set<ReportValue> onceOnly;
    std::optional<std::string> source;  // waiting for its translation file
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        bool valued = false;
        if (onlyFiles || a.empty() || a[0] != '-' || a == "-") {
            o.dictionaries.push_back(a);
            o.sources.push_back(source.value_or(std::string()));
            source.reset();
            continue;
        }
        std::string name = a;
        std::optional<std::string> value;
        if (auto eq = a.find('='); a.rfind("--", 0) == 0 && eq != std::string::npos) {
            name = a.substr(0, eq);
            value = a.substr(eq + 1);
        }
        auto takeValue = [&]() -> std::optional<std::string> {
            if (value)
                return value;
            if (i + 1 < args.size())
                return args[++i];
            return std::nullopt;
        };
        if (name == "--") {
            onlyFiles = true;
        } else if (name == "--equals") {
            o.layout = Layout::Equals;
        } else if (name == "--input") {
            auto v = takeValue();
            if (v && (*v == "line-pairs" || *v == "equals-lines")) {
                o.input = InputChoice::Dictionary;
                if (*v == "equals-lines")
                    o.layout = Layout::Equals;
            } else if (auto format = v ? parseFormatName(*v) : std::nullopt) {
                o.input = InputChoice::Format;
                o.inputFormat = *format;
            } else {
                result.error = m.format("--input needs %s, line-pairs or equals-lines", {formatNames()});
                return result;
            }
            valued = true;
        } else if (name == "--source") {
            auto v = takeValue();
            if (!v || v->empty()) {
                result.error = m.text("--source needs a file");
                return result;
            }
            if (source) {
                result.error = m.format("--source %s has no translation file after it", {*source});
                return result;
            }
            source = *v;
            valued = true;
        } else if (name == "--correct") {
            o.mode = Mode::Correct;
        } else if (auto s = switches.find(name); s != switches.end()) {
            o.options.set(s->second.first, s->second.second);
            linePairSwitches.push_back(name);
        } else if (name == "--workdir") {
            auto v = takeValue();
            if (!v || v->empty()) {
                result.error = m.text("--workdir needs a folder");
                return result;
            }
            o.workdir = *v;
        } else if (name == "--time") {
            auto v = takeValue();
            o.time = v ? parseTime(*v) : std::nullopt;
            if (!o.time) {
                result.error = m.text("--time needs a date and time as 'YYYY-MM-DD HH:MM:SS'");
                return result;
            }
        } else if (name == "-j" || name == "--jobs" || a.rfind("-j", 0) == 0) {
            std::optional<std::string> v;
            if (name == "-j" || name == "--jobs")
                v = takeValue();
            else
                v = a.substr(2);  // -jN
            auto jobs = v ? parseJobs(*v) : std::nullopt;
            if (!jobs) {
                result.error = m.text("-j needs a number of dictionaries from 1 to 9999");
                return result;
            }
            o.jobs = *jobs;
            name = "--jobs";
        } else if (name == "--encoding" || name == "--line-ends" || name == "--charset") {
            auto v = takeValue();
            if (!v) {
                result.error = m.format("%s needs a value", {name});
                return result;
            }
            if (!readReadingValue(name, *v, o, m, result.error))
                return result;
            valued = true;
        } else if (name == "--fix-fullwidth") {
            o.report.fixFullwidth = true;
        } else if (auto taken = reportOption(name); taken != ReportValue::None) {
            // A second --format or --report would silently replace the first.
            if ((taken == ReportValue::Format || taken == ReportValue::File) &&
                !onceOnly.insert(taken).second) {
                result.error = m.format("%s may be given only once", {name});
                return result;
            }
            auto v = takeValue();
            if (!v || v->empty()) {
                result.error = m.format("%s needs a value", {name});
                return result;
            }
            if (!readReportValue(taken, *v, o.report, enable, disable, m, result.error))
                return result;
            valued = true;
        } else if (name == "--lang") {
            auto v = takeValue();
            auto language = v ? languageNamed(*v) : std::nullopt;
            if (!language) {
                result.error = m.text("--lang needs zh or en");
                return result;
            }
            o.language = language;
            valued = true;
        } else if (name == "-q" || name == "--quiet") {
            o.quiet = true;
        } else if (name == "-h" || name == "--help") {
            o.help = true;
        } else if (name == "--version") {
            o.version = true;
        } else if (name == "--list-rules") {
            if (value && *value != "json") {
                result.error = m.text("--list-rules takes no value but json");
                return result;
            }
            o.listRules = value ? ListRules::Json : ListRules::Text;
            valued = true;
        } else {
            result.error = m.format("unknown option %s", {a});
            return result;
        }
        if (value && !valued && name != "--workdir" && name != "--time" && name != "--jobs") {
            result.error = m.format("option %s takes no value", {name});
            return result;
        }
    }
    if (source) {
        result.error = m.format("--source %s has no translation file after it", {*source});
        return result;
    }
    if (o.layout == Layout::Equals && !linePairSwitches.empty()) {
        result.error = m.format("%s applies to line-pair dictionaries only", {linePairSwitches.front()});
        return result;
    }
    // The rule looks at characters only against a character set; asked
    // for without one it would stay silent and seem to pass.
    if (o.reading.charset == encoding::Charset::Any &&
        std::any_of(enable.begin(), enable.end(), [](const std::string& list) {
            return (',' + list + ',').find(",outside-charset,") != std::string::npos;
        })) {
        result.error = "--enable outside-charset needs --charset gb2312";
        return result;
    }
    if (o.reading.charset == encoding::Charset::Gb2312 && enable.empty())
        enable.push_back(defaultRulesAnd("outside-charset"));
    if (!enable.empty() || !disable.empty()) {
        o.report.rules = report::RuleSelection::fromLists(enable, disable, result.error);
        if (!result.error.empty())
            return result;
    }
    o.report.rules.placeholders = o.report.placeholders;
    if (o.report.fixFullwidth && o.mode != Mode::Correct) {
        result.error = m.text("--fix-fullwidth applies to correct mode (--correct) only");
        return result;
    }
    if (o.dictionaries.empty() && !o.help && !o.version && o.listRules == ListRules::No)
        result.error = m.text("no dictionary given");
    return result;
}

}  // namespace corvel::cli
