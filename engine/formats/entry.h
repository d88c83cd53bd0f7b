// What a reader of a translation file (gettext, Qt, XLIFF, Android, JSON,
// properties) hands on: one entry at a time, in file order, with the place
// of each text in the file and what the file says of its state. Readers
// know nothing of rules; the report pairs and checks what they hand on.
#pragma once

#include "corvel/error.h"
#include "corvel/report/placeholder_syntax.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace corvel::formats {

// A place in the file: 1-based line, and 1-based column in bytes of that
// line as the file holds it (0 where unknown).
struct TextPlace {
    std::int32_t line = 0;
    std::int32_t column = 0;
    // The same column counted in characters (0: the line's bytes before it
    // are ASCII, so it is `column`).
    std::int32_t characterColumn = 0;
};

// What the file says of an entry's translation.
enum class EntryState : std::uint8_t {
    Translated,       // a translation to check
    Fuzzy,            // gettext's fuzzy: counted, not checked
    Unfinished,       // not translated yet (Qt unfinished, XLIFF new/initial)
    Obsolete,         // kept for history (gettext #~, Qt vanished/obsolete)
    NotTranslatable,  // marked as never translated (translate="no", translatable="false")
};

// Texts are handed on as the rules read a dictionary's: line breaks and
// tabs inside a text as the escapes \n and \t (a reader that decodes
// escapes writes these two back), so that the placeholder and line-break
// rules compare them; every other escape of the file decoded where it
// hides a character (\uXXXX), kept where the file's own syntax is C's.
struct Entry {
    // What names the entry for the reader of the report: msgctxt and msgid,
    // the Qt context and source, the XLIFF unit id, the key or key path.
    std::string key;
    std::string source;  // UTF-8; empty in files of one language
    std::string target;  // UTF-8; empty when untranslated
    TextPlace sourcePlace;
    TextPlace targetPlace;  // where the translation's text starts
    EntryState state = EntryState::Translated;
    // Which form of a plural this is (0 for an entry without plurals).
    std::int32_t pluralForm = 0;
    // Whether `target` is the file's bytes from targetPlace on, within one
    // line: then a place inside it is a column of that line too. Otherwise a
    // finding inside the text is placed at the text's start.
    bool targetVerbatim = false;
    // The placeholder syntaxes the file declares for the entry (gettext's
    // c-format, qt-format, ...); none: the call's --placeholders.
    std::optional<report::PlaceholderSyntaxes> syntaxes;
};

// A file that does not follow its format: where, and what was expected
// there ("expected a quoted string after msgid").
struct ParseFailure {
    TextPlace place;
    std::string expected;
};

// Receives a reader's entries in file order. Returns false to stop the
// reading (an output failed, a limit was reached).
class EntrySink {
public:
    virtual ~EntrySink() = default;
    virtual bool entry(Entry&& entry) = 0;
};

// What reading a file came to: a failure to read it (io), or a file that
// does not follow its format (parse); neither when every entry was handed on
// or the sink stopped the reading.
struct ReadOutcome {
    Error io;
    std::optional<ParseFailure> parse;
};

// A reader: streams the file at `path` into `sink`, in bounded memory.
using Reader = ReadOutcome (*)(const std::filesystem::path& path, EntrySink& sink);

}  // namespace corvel::formats
