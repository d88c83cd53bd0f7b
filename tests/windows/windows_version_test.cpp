// The version block of Corvel.EXE (app/corvel.rc.in), read from the
// program beside this test the way Windows Explorer reads it.
#include "identity.h"
#include "corvel/windows_text.h"
#include "version.h"

#include <gtest/gtest.h>

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

namespace corvel {
namespace {

class WindowsVersionBlock : public ::testing::Test {
protected:
    void SetUp() override
    {
        wchar_t self[MAX_PATH * 4];
        DWORD n = ::GetModuleFileNameW(nullptr, self, MAX_PATH * 4);
        ASSERT_GT(n, 0u);
        const std::wstring program =
            (std::filesystem::path(self).parent_path() / L"Corvel.exe").wstring();
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

TEST_F(WindowsVersionBlock, LanguageIsChinesePrcWithUnicodeText)
{
    auto [data, length] = value(L"\\VarFileInfo\\Translation");
    ASSERT_NE(data, nullptr);
    ASSERT_GE(length, 4u);
    const WORD* pair = static_cast<const WORD*>(data);
    EXPECT_EQ(pair[0], 0x0804);
    EXPECT_EQ(pair[1], 1200);
}

// The product's version as major, minor, patch, 0: 0.2.0 gives 0.2.0.0.
TEST_F(WindowsVersionBlock, NumericVersionsAreTheProductVersion)
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

TEST_F(WindowsVersionBlock, TextsAreTheApplicationIdentity)
{
    EXPECT_EQ(text(L"ProductName"), identity::kName);
    EXPECT_EQ(text(L"InternalName"), identity::kName);
    EXPECT_EQ(text(L"OriginalFilename"), "Corvel.EXE");
    EXPECT_EQ(text(L"FileVersion"), version::kFile);
    EXPECT_EQ(text(L"ProductVersion"), version::kFile);
    EXPECT_EQ(text(L"FileDescription"), "校验汉化字典的奇隅行错误");
}

}  // namespace
}  // namespace corvel
