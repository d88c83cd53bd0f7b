// The placeholder syntaxes the report recognises (--placeholders): every
// one unless a narrower list is asked for.
#pragma once

#include <bitset>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace corvel::report {

enum class PlaceholderSyntax : std::uint8_t {
    Printf,    // %s, %1$d, %(name)s, %%
    Qt,        // %1..%99, %L1, %0
    Brace,     // {0}, {name}, {0:format}, {{name}}
    Escape,    // \n, \t, \"
    Tag,       // <b>, </b>, <br/>
    Section,   // the section codes of game text: §a
    Argument,  // the @1..@9 arguments of Luanti texts
};
inline constexpr std::size_t kPlaceholderSyntaxCount = 7;

class PlaceholderSyntaxes {
public:
    PlaceholderSyntaxes() { on_.set(); }

    // Adds the syntaxes of a comma-separated list of names; false with
    // `error` naming the fault for an unknown or an empty name. The first
    // list given replaces the default of every syntax.
    bool addList(std::string_view list, std::string& error);

    bool has(PlaceholderSyntax syntax) const { return on_[static_cast<std::size_t>(syntax)]; }
    bool all() const { return on_.all(); }
    // Only these syntaxes, or one more or one less (a file's own
    // declaration of what a text holds).
    static PlaceholderSyntaxes none()
    {
        PlaceholderSyntaxes s;
        s.on_.reset();
        s.narrowed_ = true;
        return s;
    }
    void set(PlaceholderSyntax syntax, bool on) { on_.set(static_cast<std::size_t>(syntax), on); }
    // Keeps only the syntaxes `other` also has.
    PlaceholderSyntaxes& operator&=(const PlaceholderSyntaxes& other)
    {
        on_ &= other.on_;
        return *this;
    }
    unsigned long bits() const { return on_.to_ulong(); }

private:
    std::bitset<kPlaceholderSyntaxCount> on_;
    bool narrowed_ = false;
};

}  // namespace corvel::report
