// gettext catalogues (.po): msgctxt, msgid, msgid_plural and msgstr[n],
// their flags and their charset.
#pragma once

#include "entry.h"

namespace corvel::formats {

// Hands on every message but the header: a fuzzy one as Fuzzy, each
// obsolete (#~) one as an Obsolete entry without texts. A plural message
// gives one entry per msgstr[n], weighed against msgid_plural (msgstr[0]
// against msgid when there are several forms). Texts keep the file's C
// escapes but \" (a quote); a charset of GBK, GB18030 or Big5 is converted to UTF-8.
ReadOutcome readPo(const std::filesystem::path& path, EntrySink& sink);

// The placeholder syntaxes a message's flags ("c-format, fuzzy") declare,
// from those of the call; none when no flag speaks of a format.
std::optional<report::PlaceholderSyntaxes> syntaxesOfFlags(std::string_view flags);

}  // namespace corvel::formats
