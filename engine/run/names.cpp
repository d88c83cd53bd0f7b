#include "names.h"

#include <algorithm>

namespace corvel {

namespace {

using NativeString = std::filesystem::path::string_type;
using NativeChar = std::filesystem::path::value_type;

bool isSeparator(NativeChar c)
{
#ifdef _WIN32
    return c == L'\\' || c == L'/';
#else
    return c == '/';
#endif
}

bool isLogExtension(const NativeString& ext)
{
    static constexpr char kLog[] = ".log";
    if (ext.size() != 4)
        return false;
    for (std::size_t i = 0; i < 4; ++i) {
        NativeChar c = ext[i];
        if (c >= 'A' && c <= 'Z')
            c = static_cast<NativeChar>(c - 'A' + 'a');
        if (c != static_cast<NativeChar>(kLog[i]))
            return false;
    }
    return true;
}

NativeString native(const char* ascii)
{
    return NativeString(ascii, ascii + std::char_traits<char>::length(ascii));
}

}  // namespace

NativeString fileNameOf(const std::filesystem::path& path)
{
    const NativeString& full = path.native();
    auto sep = std::find_if(full.rbegin(), full.rend(), isSeparator);
    return NativeString(sep.base(), full.end());
}

bool isUsableBase(const NativeString& base)
{
    return !base.empty() && base != native(".") && base != native("..");
}

std::optional<RunNames> formRunNames(const std::filesystem::path& chosenPath)
{
    NativeString fileName = fileNameOf(chosenPath);
    auto dot = fileName.rfind(static_cast<NativeChar>('.'));
    if (dot == NativeString::npos)
        return std::nullopt;
    NativeString base = fileName.substr(0, dot);
    if (!isUsableBase(base))
        return std::nullopt;
    NativeString ext = fileName.substr(dot);
    NativeString log = base + (isLogExtension(ext) ? native("1.log") : native(".log"));
    return RunNames {fileName, base, ext, log};
}

std::string whyNoRunNames(const std::filesystem::path& chosenPath)
{
    NativeString fileName = fileNameOf(chosenPath);
    auto dot = fileName.rfind(static_cast<NativeChar>('.'));
    if (dot == NativeString::npos)
        return "the file name has no \".\", so no output folder can be named";
    NativeString base = fileName.substr(0, dot);
    if (base.empty())
        return "the file name has nothing before its last \".\", so no output folder can be named";
    if (!isUsableBase(base))
        return "the file name before its last \".\" is \"" + std::string(base.begin(), base.end())
            + "\", which names no folder of its own";
    return {};
}

}  // namespace corvel
