#include "windows_process.h"

#include "platform.h"
#include "corvel/windows_text.h"

#include <windows.h>

#include <fstream>
#include <iterator>

namespace corvel::test {

namespace {

// A file the child writes one of its streams into; read and removed after.
class CaptureFile {
public:
    explicit CaptureFile(const wchar_t* name) : path_(std::filesystem::temp_directory_path() / name)
    {
        SECURITY_ATTRIBUTES inherit {sizeof inherit, nullptr, TRUE};
        handle_ = ::CreateFileW(path_.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                                CREATE_ALWAYS, FILE_ATTRIBUTE_TEMPORARY, nullptr);
    }
    ~CaptureFile()
    {
        closeHandle();
        std::error_code ec;
        std::filesystem::remove(path_, ec);
    }
    CaptureFile(const CaptureFile&) = delete;
    CaptureFile& operator=(const CaptureFile&) = delete;

    HANDLE handle() const { return handle_; }
    std::string text()
    {
        closeHandle();
        std::ifstream in(path_, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

private:
    void closeHandle()
    {
        if (handle_ != INVALID_HANDLE_VALUE)
            ::CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
    }

    std::filesystem::path path_;
    HANDLE handle_ = INVALID_HANDLE_VALUE;
};

}  // namespace

std::filesystem::path besideTestProgram(const std::wstring& fileName)
{
    wchar_t self[MAX_PATH * 4];
    DWORD n = ::GetModuleFileNameW(nullptr, self, MAX_PATH * 4);
    return std::filesystem::path(std::wstring(self, n)).parent_path() / fileName;
}

ProcessResult runProcess(const std::string& commandLine)
{
    std::wstring name = L"corvel-capture-" + std::to_wstring(::GetCurrentProcessId());
    CaptureFile out((name + L".out").c_str());
    CaptureFile err((name + L".err").c_str());

    std::wstring command = wideFromUtf8(commandLine);
    STARTUPINFOW startup {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = nullptr;
    startup.hStdOutput = out.handle();
    startup.hStdError = err.handle();
    PROCESS_INFORMATION process {};
    ProcessResult result;
    if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                          &startup, &process))
        return result;
    ::WaitForSingleObject(process.hProcess, INFINITE);
    DWORD status = 0;
    ::GetExitCodeProcess(process.hProcess, &status);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    result.status = static_cast<int>(status);
    result.out = out.text();
    result.err = err.text();
    return result;
}

ProcessResult runInConsole(const std::string& commandLine, unsigned codePage)
{
    ProcessResult result;
    // A console of this process's own: the one it may have inherited
    // (under Wine started from a pipe, one that takes no code page) is left.
    ::FreeConsole();
    if (!::AllocConsole()) {
        result.err = "no console: error " + std::to_string(::GetLastError());
        return result;
    }
    const UINT previous = ::GetConsoleOutputCP();
    if (!::SetConsoleOutputCP(codePage)) {
        result.err = "code page refused: error " + std::to_string(::GetLastError());
        return result;
    }
    SECURITY_ATTRIBUTES inherit {sizeof inherit, nullptr, TRUE};
    HANDLE screen = ::CreateConsoleScreenBuffer(GENERIC_READ | GENERIC_WRITE,
                                                FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                                                CONSOLE_TEXTMODE_BUFFER, nullptr);
    if (screen == INVALID_HANDLE_VALUE) {
        result.err = "no screen buffer: error " + std::to_string(::GetLastError());
        ::SetConsoleOutputCP(previous);
        return result;
    }
    constexpr SHORT kColumns = 200;
    constexpr SHORT kRows = 100;
    ::SetConsoleScreenBufferSize(screen, COORD {kColumns, kRows});
    CONSOLE_SCREEN_BUFFER_INFO info {};
    ::GetConsoleScreenBufferInfo(screen, &info);

    std::wstring command = wideFromUtf8(commandLine);
    STARTUPINFOW startup {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = nullptr;
    startup.hStdOutput = screen;
    startup.hStdError = screen;
    PROCESS_INFORMATION process {};
    if (::CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                         &startup, &process)) {
        ::WaitForSingleObject(process.hProcess, INFINITE);
        DWORD status = 0;
        ::GetExitCodeProcess(process.hProcess, &status);
        ::CloseHandle(process.hThread);
        ::CloseHandle(process.hProcess);
        result.status = static_cast<int>(status);
        for (SHORT row = 0; row < info.dwSize.Y; ++row) {
            std::wstring cells(static_cast<std::size_t>(info.dwSize.X), L' ');
            DWORD read = 0;
            ::ReadConsoleOutputCharacterW(screen, cells.data(), info.dwSize.X, COORD {0, row}, &read);
            cells.resize(read);
            cells.erase(cells.find_last_not_of(L' ') + 1);
            result.out += utf8FromWide(cells) + "\n";
        }
        result.out.erase(result.out.find_last_not_of('\n') + 1);
    }
    if (::GetConsoleOutputCP() != codePage)
        result.err = "the program changed the console's code page to "
            + std::to_string(::GetConsoleOutputCP());
    ::CloseHandle(screen);
    ::SetConsoleOutputCP(previous);
    return result;
}

std::string quoted(const std::filesystem::path& path)
{
    std::string text(1, '"');
    text += displayPath(path);
    text += '"';
    return text;
}

}  // namespace corvel::test
