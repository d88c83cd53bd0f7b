// Stands in for the text editor in the editor tests: writes how it was
// started (the window style it was asked for, then its whole command line,
// UTF-8) to probe.txt in its working directory, whole or not at all.
#include <windows.h>

#include <string>

namespace {

std::string utf8(const wchar_t* wide)
{
    int n = ::WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide, -1, out.data(), n, nullptr, nullptr);
    out.resize(out.size() - 1);  // the terminating NUL
    return out;
}

}  // namespace

int main()
{
    STARTUPINFOW startup {};
    ::GetStartupInfoW(&startup);
    std::string report = std::to_string(startup.wShowWindow) + "\n" + utf8(::GetCommandLineW());

    HANDLE file = ::CreateFileW(L"probe.tmp", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 1;
    DWORD written = 0;
    BOOL ok = ::WriteFile(file, report.data(), static_cast<DWORD>(report.size()), &written, nullptr);
    ::CloseHandle(file);
    if (!ok || !::MoveFileExW(L"probe.tmp", L"probe.txt", MOVEFILE_REPLACE_EXISTING))
        return 1;
    return 0;
}
