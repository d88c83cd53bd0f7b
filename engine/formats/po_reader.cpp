#include "po_reader.h"

#include "line_source.h"
#include "charset_converter.h"

#include <memory>
#include <string>
#include <vector>

namespace corvel::formats {

namespace {

using report::PlaceholderSyntax;
using report::PlaceholderSyntaxes;

// The format flags gettext writes, and the placeholder syntax each names.
struct FormatFlag {
    std::string_view name;  // without "-format"
    PlaceholderSyntax syntax;
    bool known = true;  // false: a format whose placeholders no syntax reads
};
constexpr FormatFlag kFormatFlags[] = {
    {"c", PlaceholderSyntax::Printf},           {"objc", PlaceholderSyntax::Printf},
    {"gcc-internal", PlaceholderSyntax::Printf}, {"gfc-internal", PlaceholderSyntax::Printf},
    {"php", PlaceholderSyntax::Printf},         {"perl", PlaceholderSyntax::Printf},
    {"python", PlaceholderSyntax::Printf},      {"java-printf", PlaceholderSyntax::Printf},
    {"javascript", PlaceholderSyntax::Printf},  {"lua", PlaceholderSyntax::Printf},
    {"awk", PlaceholderSyntax::Printf},         {"object-pascal", PlaceholderSyntax::Printf},
    {"ruby", PlaceholderSyntax::Printf},        {"tcl", PlaceholderSyntax::Printf},
    {"sh-printf", PlaceholderSyntax::Printf},   {"go", PlaceholderSyntax::Printf},
    {"elisp", PlaceholderSyntax::Printf},       {"librep", PlaceholderSyntax::Printf},
    {"python-brace", PlaceholderSyntax::Brace}, {"csharp", PlaceholderSyntax::Brace},
    {"java", PlaceholderSyntax::Brace},         {"perl-brace", PlaceholderSyntax::Brace},
    {"c++", PlaceholderSyntax::Brace},          {"rust", PlaceholderSyntax::Brace},
    {"qt", PlaceholderSyntax::Qt},              {"qt-plural", PlaceholderSyntax::Qt},
    {"kde", PlaceholderSyntax::Qt},             {"kde-kuit", PlaceholderSyntax::Qt},
    {"sh", PlaceholderSyntax::Escape, false},   {"boost", PlaceholderSyntax::Escape, false},
};

const FormatFlag* findFormatFlag(std::string_view name)
{
    for (const FormatFlag& flag : kFormatFlags)
        if (flag.name == name)
            return &flag;
    return nullptr;
}

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

bool startsWith(std::string_view text, std::string_view prefix)
{
    return text.substr(0, prefix.size()) == prefix;
}

// The charset a header's msgstr names ("text/plain; charset=GBK\n").
std::string charsetOf(std::string_view header)
{
    const std::string_view key = "charset=";
    std::size_t at = header.find(key);
    if (at == std::string_view::npos)
        return {};
    std::string name;
    for (std::size_t i = at + key.size(); i < header.size(); ++i) {
        char c = header[i];
        if (c == '\\' || c == ' ' || c == ';' || c == '\t')
            break;
        name += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    }
    return name;
}

// One string of a message: its text (escapes as written) and where it starts.
struct Field {
    std::string text;
    TextPlace place;
    bool placed = false;  // place is that of a non-empty piece
    int pieces = 0;       // non-empty pieces
    bool unescaped = false;  // a \" was read as a quote
};

class PoParser {
public:
    explicit PoParser(EntrySink& sink) : sink_(sink) {}

    // False when the line breaks the format (failure() says where) or the
    // sink stopped.
    bool line(std::string_view text, std::int32_t number);
    bool end(std::int32_t lastLine);
    const std::optional<ParseFailure>& failure() const { return failure_; }

private:
    enum class Part { None, Context, Id, IdPlural, Str };

    bool fail(std::int32_t line, std::int32_t column, std::string expected)
    {
        failure_ = ParseFailure {{line, column}, std::move(expected)};
        return false;
    }
    // Parses the quoted string starting at `at` of `text` onto `field`.
    bool quoted(std::string_view text, std::size_t at, std::int32_t number, Field& field);
    // A line starting with a keyword at `indent`.
    bool keyword(std::string_view text, std::size_t indent, std::int32_t number);
    bool emit();
    void reset();
    std::string converted(const std::string& text);
    bool complete() const { return !strs_.empty(); }
    bool started() const { return hasContext_ || hasId_; }

    EntrySink& sink_;
    std::optional<ParseFailure> failure_;
    bool stopped_ = false;
    // The message being read.
    std::string flags_;
    bool hasContext_ = false;
    bool hasId_ = false;
    bool hasPlural_ = false;
    Field context_, id_, idPlural_;
    std::vector<Field> strs_;
    Field* last_ = nullptr;  // where a continued string goes
    std::int32_t idLine_ = 0;
    bool headerSeen_ = false;
    std::unique_ptr<encoding::CharsetConverter> converter_;
};

bool PoParser::quoted(std::string_view text, std::size_t at, std::int32_t number, Field& field)
{
    while (at < text.size() && (text[at] == ' ' || text[at] == '\t'))
        ++at;
    const auto column = static_cast<std::int32_t>(at + 1);
    if (at >= text.size() || text[at] != '"')
        return fail(number, column, "expected a quoted string");
    const std::size_t begin = at + 1;
    std::size_t i = begin;
    for (; i < text.size() && text[i] != '"'; ++i)
        if (text[i] == '\\' && ++i == text.size())
            break;
    if (i >= text.size())
        return fail(number, static_cast<std::int32_t>(text.size() + 1),
                    "expected a closing quote");
    if (std::string_view rest = trimmed(text.substr(i + 1)); !rest.empty())
        return fail(number, static_cast<std::int32_t>(rest.data() - text.data() + 1),
                    "expected the end of the line after the string");
    // The text's place: its first piece that is not empty, else its first.
    if (!field.placed && (i > begin || field.place.column == 0)) {
        field.place = {number, static_cast<std::int32_t>(begin + 1), 0};
        field.placed = i > begin;
    }
    // A quote is escaped only to sit inside the file's strings: the text
    // holds the quote itself. The other escapes stay as the rules read them.
    const std::string_view piece = text.substr(begin, i - begin);
    field.pieces += piece.empty() ? 0 : 1;
    for (std::size_t k = 0; k < piece.size(); ++k) {
        if (piece[k] == '\\' && k + 1 < piece.size()) {
            if (piece[k + 1] != '"')
                field.text += '\\';
            else
                field.unescaped = true;
            field.text += piece[++k];
        } else {
            field.text += piece[k];
        }
    }
    if (field.text.size() > LineSource::kLongestLine)
        return fail(number, column, "expected a string shorter than 16 MiB");
    last_ = &field;
    return true;
}

void PoParser::reset()
{
    flags_.clear();
    hasContext_ = hasId_ = hasPlural_ = false;
    context_ = Field {};
    id_ = Field {};
    idPlural_ = Field {};
    strs_.clear();
    last_ = nullptr;
}

std::string PoParser::converted(const std::string& text)
{
    if (!converter_)
        return text;
    std::optional<std::string> utf8 = converter_->toUtf8(text);
    return utf8 ? std::move(*utf8) : text;  // bytes that do not convert stay, shown as \xNN
}

bool PoParser::emit()
{
    if (!complete())
        return true;
    const bool header = !headerSeen_ && !hasContext_ && id_.text.empty();
    headerSeen_ = true;
    if (header) {
        std::string charset = charsetOf(strs_.front().text);
        std::optional<encoding::LegacyCharset> legacy;
        if (charset == "GBK" || charset == "GB2312" || charset == "CP936" || charset == "EUC-CN")
            legacy = encoding::LegacyCharset::Gbk;
        else if (charset == "GB18030")
            legacy = encoding::LegacyCharset::Gb18030;
        else if (charset == "BIG5" || charset == "BIG5-HKSCS" || charset == "CP950")
            legacy = encoding::LegacyCharset::Big5;
        else if (!charset.empty() && charset != "UTF-8" && charset != "UTF8" &&
                 charset != "ASCII" && charset != "US-ASCII" && charset != "CHARSET")
            return fail(strs_.front().place.line == 0 ? idLine_ : strs_.front().place.line, 1,
                        "expected a charset of UTF-8, GBK, GB18030 or Big5, not " + charset);
        if (legacy)
            converter_ = std::make_unique<encoding::CharsetConverter>(*legacy);
        reset();
        return true;
    }
    const bool fuzzy = flags_.find("fuzzy") != std::string::npos;
    std::optional<PlaceholderSyntaxes> syntaxes = syntaxesOfFlags(flags_);
    std::string key = converted(id_.text);
    if (hasContext_)
        key = converted(context_.text) + "::" + key;
    const TextPlace sourcePlace = id_.placed ? id_.place : TextPlace {idLine_, 0, 0};
    for (std::size_t n = 0; n < strs_.size(); ++n) {
        Entry entry;
        entry.key = key;
        const bool againstSingular = !hasPlural_ || (n == 0 && strs_.size() > 1);
        entry.source = againstSingular ? converted(id_.text) : converted(idPlural_.text);
        entry.sourcePlace = againstSingular ? sourcePlace : idPlural_.place;
        entry.target = converted(strs_[n].text);
        entry.targetPlace = strs_[n].place;
        entry.targetVerbatim = !converter_ && strs_[n].pieces <= 1 && !strs_[n].unescaped;
        entry.state = fuzzy ? EntryState::Fuzzy : EntryState::Translated;
        entry.pluralForm = static_cast<std::int32_t>(n);
        entry.syntaxes = syntaxes;
        if (!sink_.entry(std::move(entry))) {
            stopped_ = true;
            return false;
        }
    }
    reset();
    return true;
}

bool PoParser::keyword(std::string_view line, std::size_t indent, std::int32_t number)
{
    const std::string_view text = line.substr(indent);
    const auto at = static_cast<std::int32_t>(indent);
    auto word = [&](std::string_view name) {
        return startsWith(text, name) && text.size() > name.size() &&
               (text[name.size()] == ' ' || text[name.size()] == '\t' || text[name.size()] == '"');
    };
    if (word("msgctxt")) {
        if (!emit())
            return false;
        if (started())
            return fail(number, at + 1, "expected msgstr before the next msgctxt");
        hasContext_ = true;
        return quoted(line, indent + 7, number, context_);
    }
    if (word("msgid")) {
        if (!emit())
            return false;
        if (hasId_)
            return fail(number, at + 1, "expected msgstr before the next msgid");
        hasId_ = true;
        idLine_ = number;
        id_.place = {number, 0, 0};
        return quoted(line, indent + 5, number, id_);
    }
    if (word("msgid_plural")) {
        if (!hasId_ || complete() || hasPlural_)
            return fail(number, at + 1, "expected msgid_plural only after msgid");
        hasPlural_ = true;
        idPlural_.place = {number, 0, 0};
        return quoted(line, indent + 12, number, idPlural_);
    }
    if (word("msgstr")) {
        if (!hasId_ || complete())
            return fail(number, at + 1, "expected msgid before msgstr");
        if (hasPlural_)
            return fail(number, at + 7, "expected msgstr[0] after msgid_plural");
        Field& field = strs_.emplace_back();
        field.place = {number, 0, 0};
        return quoted(line, indent + 6, number, field);
    }
    if (startsWith(text, "msgstr[")) {
        if (!hasPlural_)
            return fail(number, at + 1, "expected msgstr without an index after msgid");
        std::size_t close = text.find(']');
        const std::string expectedIndex = std::to_string(strs_.size());
        if (close == std::string_view::npos || text.substr(7, close - 7) != expectedIndex)
            return fail(number, at + 8, "expected msgstr[" + expectedIndex + "]");
        if (strs_.size() >= 256)
            return fail(number, at + 8, "expected at most 256 plural forms");
        Field& field = strs_.emplace_back();
        field.place = {number, 0, 0};
        return quoted(line, indent + close + 1, number, field);
    }
    return fail(number, at + 1, "expected msgctxt, msgid, msgstr, a continued string or a comment");
}

bool PoParser::line(std::string_view text, std::int32_t number)
{
    std::string_view body = trimmed(text);
    const auto indent = static_cast<std::size_t>(body.data() - text.data());
    if (body.empty())
        return true;
    if (body.front() == '#') {
        // A comment ends a complete message: its flags are the next one's.
        if (complete() && !emit())
            return false;
        if (startsWith(body, "#,")) {
            flags_ += ',';
            flags_.append(body.substr(2));
        } else if (startsWith(body, "#~") && !startsWith(body, "#~|")) {
            std::string_view rest = trimmed(body.substr(2));
            if (startsWith(rest, "msgid ") || startsWith(rest, "msgid\"")) {
                Entry obsolete;
                obsolete.state = EntryState::Obsolete;
                obsolete.sourcePlace = obsolete.targetPlace = {number, 1, 0};
                flags_.clear();
                if (!sink_.entry(std::move(obsolete))) {
                    stopped_ = true;
                    return false;
                }
            }
        }
        if (started() && !complete())
            last_ = nullptr;  // a comment inside a message: nothing continues across it
        return true;
    }
    if (body.front() == '"') {
        if (last_ == nullptr)
            return fail(number, static_cast<std::int32_t>(indent + 1),
                        "expected msgctxt, msgid or msgstr before a continued string");
        return quoted(text, indent, number, *last_);
    }
    return keyword(text, indent, number);
}

bool PoParser::end(std::int32_t lastLine)
{
    if (started() && !complete())
        return fail(lastLine + 1, 1, "expected msgstr before the end of the file");
    return emit();
}

}  // namespace

std::optional<PlaceholderSyntaxes> syntaxesOfFlags(std::string_view flags)
{
    std::optional<PlaceholderSyntaxes> declared;
    std::vector<PlaceholderSyntax> denied;
    std::size_t at = 0;
    while (at <= flags.size()) {
        std::size_t comma = flags.find(',', at);
        if (comma == std::string_view::npos)
            comma = flags.size();
        std::string_view flag = trimmed(flags.substr(at, comma - at));
        at = comma + 1;
        const std::string_view suffix = "-format";
        if (flag.size() <= suffix.size() || flag.substr(flag.size() - suffix.size()) != suffix)
            continue;
        flag.remove_suffix(suffix.size());
        const bool no = startsWith(flag, "no-");
        if (no)
            flag.remove_prefix(3);
        const FormatFlag* known = findFormatFlag(flag);
        if (known == nullptr)
            continue;
        if (no) {
            if (known->known)
                denied.push_back(known->syntax);
            continue;
        }
        if (!declared)
            declared = PlaceholderSyntaxes::none();
        declared->set(PlaceholderSyntax::Escape, true);
        declared->set(PlaceholderSyntax::Tag, true);
        if (known->known)
            declared->set(known->syntax, true);
    }
    if (!denied.empty() && !declared)
        declared = PlaceholderSyntaxes();
    for (PlaceholderSyntax syntax : denied)
        declared->set(syntax, false);
    return declared;
}

ReadOutcome readPo(const std::filesystem::path& path, EntrySink& sink)
{
    PoParser parser(sink);
    return readLines(path, parser);
}

}  // namespace corvel::formats
