// The resources of Corvel.exe and corvel-check.exe, read from the programs
// beside this test the way Windows Explorer reads them: the version block
// (app/corvel.rc.in), the icon, the manifest, and the language of each.
#include "identity.h"
#include "corvel/windows_text.h"
#include "version.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

namespace corvel {
namespace {

struct Program {
    const wchar_t* file;
    const char* internalName;
    const char* originalName;
    const char* description;
};

const Program kPrograms[] = {
    {L"Corvel.exe", "Corvel", "Corvel.EXE", "校验汉化字典的奇隅行错误"},
    {L"corvel-check.exe", "corvel-check", "corvel-check.exe", "汉化字典的命令行校验程序"},
};

std::wstring besideThisTest(const wchar_t* file)
{
    wchar_t self[MAX_PATH * 4];
    const DWORD n = ::GetModuleFileNameW(nullptr, self, MAX_PATH * 4);
    return n == 0 ? std::wstring(file)
                  : (std::filesystem::path(self).parent_path() / file).wstring();
}

class WindowsVersionBlock : public ::testing::TestWithParam<Program> {
protected:
    void SetUp() override
    {
        const std::wstring program = besideThisTest(GetParam().file);
        DWORD size = ::GetFileVersionInfoSizeW(program.c_str(), nullptr);
        ASSERT_GT(size, 0u) << "no version block";
        block_.resize(size);
        ASSERT_TRUE(::GetFileVersionInfoW(program.c_str(), 0, size, block_.data()));
    }

    // A value of the block by its query path, as VerQueryValueW gives it.
    std::pair<const void*, UINT> value(const std::wstring& query)
    {
        void* data = nullptr;
        UINT length = 0;
        if (!::VerQueryValueW(block_.data(), query.c_str(), &data, &length))
            return {nullptr, 0};
        return {data, length};
    }

    // A text of the string block "080404B0", UTF-8, up to its first NUL.
    std::string text(const wchar_t* name)
    {
        auto [data, length] = value(std::wstring(L"\\StringFileInfo\\080404B0\\") + name);
        if (data == nullptr)
            return "<missing>";
        std::wstring wide(static_cast<const wchar_t*>(data), length);
        return utf8FromWide(wide.substr(0, wide.find(L'\0')));
    }

private:
    std::vector<char> block_;
};

TEST_P(WindowsVersionBlock, LanguageIsChinesePrcWithUnicodeText)
{
    auto [data, length] = value(L"\\VarFileInfo\\Translation");
    ASSERT_NE(data, nullptr);
    ASSERT_GE(length, 4u);
    const WORD* pair = static_cast<const WORD*>(data);
    EXPECT_EQ(pair[0], 0x0804);
    EXPECT_EQ(pair[1], 1200);
}

// The product's version as major, minor, patch, 0: 0.2.0 gives 0.2.0.0.
TEST_P(WindowsVersionBlock, NumericVersionsAreTheProductVersion)
{
    auto [data, length] = value(L"\\");
    ASSERT_NE(data, nullptr);
    ASSERT_GE(length, sizeof(VS_FIXEDFILEINFO));
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(data);
    const DWORD high = version::kMajor << 16 | version::kMinor;
    const DWORD low = static_cast<DWORD>(version::kPatch) << 16;
    EXPECT_EQ(fixed->dwFileVersionMS, high);
    EXPECT_EQ(fixed->dwFileVersionLS, low);
    EXPECT_EQ(fixed->dwProductVersionMS, high);
    EXPECT_EQ(fixed->dwProductVersionLS, low);
}

TEST_P(WindowsVersionBlock, TextsAreTheApplicationIdentity)
{
    EXPECT_EQ(text(L"ProductName"), identity::kName);
    EXPECT_EQ(text(L"InternalName"), GetParam().internalName);
    EXPECT_EQ(text(L"OriginalFilename"), GetParam().originalName);
    EXPECT_EQ(text(L"FileVersion"), version::kFile);
    EXPECT_EQ(text(L"ProductVersion"), version::kFile);
    EXPECT_EQ(text(L"FileDescription"), GetParam().description);
}

INSTANTIATE_TEST_SUITE_P(BothPrograms, WindowsVersionBlock, ::testing::ValuesIn(kPrograms));

// The resource types by number: this test is built without UNICODE, where
// RT_MANIFEST and RT_GROUP_ICON are the narrow forms.
const LPCWSTR kManifestType = MAKEINTRESOURCEW(24);
const LPCWSTR kIconGroupType = MAKEINTRESOURCEW(14);

// A program's resources as Explorer and the loader see them.
class Resources {
public:
    explicit Resources(const std::wstring& program)
        : module_(::LoadLibraryExW(program.c_str(), nullptr,
                                   LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE))
    {
    }
    ~Resources()
    {
        if (module_ != nullptr)
            ::FreeLibrary(module_);
    }
    Resources(const Resources&) = delete;
    Resources& operator=(const Resources&) = delete;
    bool loaded() const { return module_ != nullptr; }

    // Every resource as "type/name" with its language.
    std::vector<std::pair<std::string, WORD>> languages() const
    {
        std::vector<std::pair<std::string, WORD>> found;
        ::EnumResourceTypesW(module_, &eachType, reinterpret_cast<LONG_PTR>(&found));
        return found;
    }
    bool has(LPCWSTR type, LPCWSTR name) const
    {
        return ::FindResourceW(module_, name, type) != nullptr;
    }
    // The manifest's text.
    std::string manifest() const
    {
        HRSRC found = ::FindResourceW(module_, MAKEINTRESOURCEW(1), kManifestType);
        if (found == nullptr)
            return {};
        const auto* bytes = static_cast<const char*>(::LockResource(::LoadResource(module_, found)));
        return std::string(bytes, ::SizeofResource(module_, found));
    }

private:
    using Found = std::vector<std::pair<std::string, WORD>>;
    static std::string nameOf(LPCWSTR name)
    {
        return IS_INTRESOURCE(name) ? std::to_string(reinterpret_cast<ULONG_PTR>(name))
                                    : utf8FromWide(name);
    }
    static BOOL CALLBACK eachLanguage(HMODULE, LPCWSTR type, LPCWSTR name, WORD language,
                                      LONG_PTR found)
    {
        reinterpret_cast<Found*>(found)->emplace_back(nameOf(type) + "/" + nameOf(name), language);
        return TRUE;
    }
    static BOOL CALLBACK eachName(HMODULE module, LPCWSTR type, LPWSTR name, LONG_PTR found)
    {
        ::EnumResourceLanguagesW(module, type, name, &eachLanguage, found);
        return TRUE;
    }
    static BOOL CALLBACK eachType(HMODULE module, LPWSTR type, LONG_PTR found)
    {
        ::EnumResourceNamesW(module, type, &eachName, found);
        return TRUE;
    }

    HMODULE module_;
};

class WindowsResources : public ::testing::TestWithParam<Program> {};

// Every resource is Simplified Chinese (PRC), as the programs' texts are.
TEST_P(WindowsResources, EveryResourceIsChinesePrc)
{
    Resources resources(besideThisTest(GetParam().file));
    ASSERT_TRUE(resources.loaded());
    const auto languages = resources.languages();
    EXPECT_GE(languages.size(), 3u) << "version block, icon and manifest at least";
    for (const auto& [resource, language] : languages)
        EXPECT_EQ(language, 0x0804) << resource;
}

TEST_P(WindowsResources, CarryTheApplicationIconAndAManifest)
{
    Resources resources(besideThisTest(GetParam().file));
    ASSERT_TRUE(resources.loaded());
    EXPECT_TRUE(resources.has(kIconGroupType, MAKEINTRESOURCEW(1)));
    const std::string manifest = resources.manifest();
    EXPECT_NE(manifest.find("<supportedOS Id=\"{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}\"/>"),
              std::string::npos);
    // The manifest's version is the product's, with a fourth number 0.
    const std::string identity = std::to_string(version::kMajor) + "." + std::to_string(version::kMinor)
        + "." + std::to_string(version::kPatch) + ".0\"";
    EXPECT_NE(manifest.find("version=\"" + identity), std::string::npos) << manifest;
}

INSTANTIATE_TEST_SUITE_P(BothPrograms, WindowsResources, ::testing::ValuesIn(kPrograms));

// corvel-check reads and writes through a UTF-8 active code page and takes
// paths past 260 characters.
TEST(CheckerManifest, AsksForUtf8AndLongPaths)
{
    Resources resources(besideThisTest(L"corvel-check.exe"));
    ASSERT_TRUE(resources.loaded());
    const std::string manifest = resources.manifest();
    for (const char* setting :
         {R"(<activeCodePage xmlns="http://schemas.microsoft.com/SMI/2019/WindowsSettings">UTF-8</activeCodePage>)",
          R"(<longPathAware xmlns="http://schemas.microsoft.com/SMI/2016/WindowsSettings">true</longPathAware>)"})
        EXPECT_NE(manifest.find(setting), std::string::npos) << setting;
}

}  // namespace
}  // namespace corvel
