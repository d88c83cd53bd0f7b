// What kind of text a source or translation is, where the check log's
// classes are too coarse for the report: whether a source beyond ASCII
// holds CJK at all, and whether a translation left in English is a name,
// an acronym, a number, an address or only placeholders, which a
// translator rightly keeps as it is.
#pragma once

#include "corvel/run_request.h"

#include <string_view>

namespace corvel::report {

// Whether `text` holds a CJK character: a Han character, kana, bopomofo
// or hangul (not CJK punctuation, full-width forms, symbols, or Latin,
// Greek and Cyrillic letters).
bool holdsCjk(std::string_view text, TextEncoding encoding);

// Whether an untranslated pair is one a translator keeps in English: the
// translation is the source itself, and the source, apart from
// placeholders, markup, digits and punctuation, is only acronyms (IP,
// SOCKS5), names written with an inner capital (HexChat, WhoIs, GitHub),
// one address without spaces (a URL, a host, an e-mail address, a path),
// a key or key combination (Shift, Ctrl+C), a date pattern (yyyy-MM-dd) or
// units (Hz, kbps); or the translation holds no word at all and rewrites
// the source's placeholders ("{1} of {2}" as "{1}/{2}") or answers a source
// without a word or of function words only ("for %1$s", "eight"); or the
// translation is acronyms, units and digits only ("BPM" for
// "beats/minute"), or a reference to another text ({$Mods.X.Y}).
bool keptInEnglish(std::string_view source, std::string_view translation);

}  // namespace corvel::report
