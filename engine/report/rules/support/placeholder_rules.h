// placeholder-mismatch and fullwidth-placeholder: the placeholders of a
// source against those of its translation (GBK bytes), and the half-width
// rewrite of a translation that --fix-fullwidth writes.
#pragma once

#include "placeholder_scanner.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvel::report {

struct PlaceholderComparison {
    std::vector<Placeholder> source;       // the source's placeholders
    std::vector<Placeholder> translation;  // the translation's, look-alikes of the source's included
    std::vector<std::size_t> missing;      // source placeholders the translation lacks
    std::vector<std::size_t> extra;        // translation placeholders the source lacks
    std::vector<std::size_t> lookAlikes;   // translation placeholders written full-width

    bool mismatch() const { return !missing.empty() || !extra.empty(); }
    void clear();
};

class PlaceholderRules {
public:
    explicit PlaceholderRules(TextEncoding encoding = TextEncoding::Gbk,
                              PlaceholderSyntaxes syntaxes = {})
        : encoding_(encoding), syntaxes_(syntaxes), scanner_(encoding)
    {
    }

    // Compares the two texts into `result` (whose storage is reused). A
    // full-width look-alike counts as the placeholder it stands for when
    // the source has that placeholder; otherwise it is ordinary text.
    void compare(std::string_view source, std::string_view translation,
                 PlaceholderComparison& result);
    // The same, with the byteKinds() of both texts already known.
    void compare(std::string_view source, std::string_view translation, unsigned sourceKinds,
                 unsigned translationKinds, PlaceholderComparison& result);

private:
    static bool isLabel(std::string_view text, const std::vector<Placeholder>& found,
                        const std::vector<Placeholder>& other);
    void keepRecognised(std::vector<Placeholder>& found) const;
    void match(PlaceholderComparison& result);

    TextEncoding encoding_;
    PlaceholderSyntaxes syntaxes_;
    PlaceholderScanner scanner_;
    std::vector<std::size_t> sourceOrder_;
    std::vector<std::size_t> translationOrder_;
};

PlaceholderComparison comparePlaceholders(std::string_view source, std::string_view translation,
                                          TextEncoding encoding = TextEncoding::Gbk);

// The translation with each full-width look-alike of a source placeholder
// written half-width (％ｓ -> %s, ｛０｝ -> {0}); nothing when it has none.
std::optional<std::string> halfWidthTranslation(std::string_view source,
                                                std::string_view translation,
                                                TextEncoding encoding = TextEncoding::Gbk);

// The half-width form of the bytes of one placeholder.
std::string halfWidthForm(std::string_view bytes, TextEncoding encoding = TextEncoding::Gbk);

}  // namespace corvel::report
