#include "corvel/report/rule_catalogue.h"

namespace corvel::report::rules {

// Reported by the analyser in place of untranslated.
constinit const RuleInfo KeptInEnglish {
    RuleId::KeptInEnglish, "kept-in-english", Severity::Warning, false, kOnUntranslated,
    "The translation keeps a name, an acronym, an address or placeholders as they are.",
    "An untranslated pair whose translation is its source, where the source apart from "
    "placeholders, markup, digits and punctuation is only acronyms (USB, SOCKS5), names "
    "with an inner capital (HexChat, GitHub, Wi-Fi), single capitals (A-Z) or one address "
    "without spaces (a URL, a host, an e-mail address, a path). A translator rightly keeps "
    "these, so they are not reported as untranslated; the check log still lists them. Off "
    "by default."};

}  // namespace corvel::report::rules
