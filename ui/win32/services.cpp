#include "services.h"

#include "corvel/windows_text.h"
#include "editor_process.h"

#include <commdlg.h>
#include <knownfolders.h>
#include <shellapi.h>
#include <shlobj.h>

namespace corvel::win32 {

namespace {

bool isFolder(const std::wstring& path)
{
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return !path.empty() && attributes != INVALID_FILE_ATTRIBUTES
        && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::wstring documentsFolder()
{
    PWSTR path = nullptr;
    std::wstring folder;
    if (SUCCEEDED(::SHGetKnownFolderPath(FOLDERID_Documents, 0, nullptr, &path)))
        folder = path;
    ::CoTaskMemFree(path);
    return folder;
}

// The buffer sizes of the request: 250 characters for the path, 255 for the title.
constexpr std::size_t kPathBuffer = 250;
constexpr std::size_t kTitleBuffer = 255;

}  // namespace

UINT messageBoxFlags(const MessageBoxRequest& request)
{
    UINT flags = request.buttons == Buttons::OkCancel ? MB_OKCANCEL : MB_OK;
    switch (request.icon) {
    case Icon::Question: return flags | MB_ICONQUESTION;
    case Icon::Exclamation: return flags | MB_ICONEXCLAMATION;
    case Icon::Critical: return flags | MB_ICONERROR;
    }
    return flags;
}

Answer SystemServices::showMessage(HWND owner, const MessageBoxRequest& request)
{
    const int pressed = ::MessageBoxW(owner, wideFromUtf8(request.text).c_str(),
                                      wideFromUtf8(request.title).c_str(),
                                      messageBoxFlags(request));
    return pressed == IDOK ? Answer::Ok : Answer::Cancel;
}

std::wstring chooserFilter(const std::vector<FileFilter>& filters)
{
    std::wstring filter;
    for (const FileFilter& f : filters) {
        filter += wideFromUtf8(f.label);
        filter += L'\0';
        filter += wideFromUtf8(f.pattern);
        filter += L'\0';
    }
    filter += L'\0';
    return filter;
}

std::wstring startFolder(std::string_view requested)
{
    const std::wstring wanted = wideFromUtf8(requested);
    if (isFolder(wanted))
        return wanted;
    if (std::wstring documents = documentsFolder(); isFolder(documents))
        return documents;
    wchar_t profile[MAX_PATH] {};
    ::GetEnvironmentVariableW(L"USERPROFILE", profile, MAX_PATH);
    return profile;
}

// The working directory stays where it is (OFN_NOCHANGEDIR): the run is
// given the chosen file's folder instead.
std::string SystemServices::chooseFile(HWND owner, const FileChooserRequest& request)
{
    const std::wstring filter = chooserFilter(request.filters);
    const std::wstring title = wideFromUtf8(request.title);
    const std::wstring folder = startFolder(request.initialFolder);
    const std::wstring extension = wideFromUtf8(request.defaultExtension);
    std::wstring path = wideFromUtf8(request.initialFile);
    path.resize(kPathBuffer, L'\0');
    std::wstring fileTitle(kTitleBuffer, L'\0');

    OPENFILENAMEW dialog {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = path.data();
    dialog.nMaxFile = static_cast<DWORD>(path.size());
    dialog.lpstrFileTitle = fileTitle.data();
    dialog.nMaxFileTitle = static_cast<DWORD>(fileTitle.size());
    dialog.lpstrInitialDir = folder.c_str();
    dialog.lpstrTitle = title.c_str();
    dialog.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
    dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST;
    const bool open = request.mode == ChooserMode::Open;
    dialog.Flags |= open ? OFN_FILEMUSTEXIST : OFN_OVERWRITEPROMPT;
    const BOOL chosen = open ? ::GetOpenFileNameW(&dialog) : ::GetSaveFileNameW(&dialog);
    if (!chosen)
        return {};
    const std::size_t end = path.find(L'\0');
    if (end == std::wstring::npos)
        return {};
    return utf8FromWide(std::wstring_view(path).substr(0, end));
}

Error SystemServices::openInEditor(const EditorRequest& request)
{
    return startEditorProcess(request);
}

void SystemServices::openAddress(HWND owner, std::string_view address)
{
    ::ShellExecuteW(owner, L"open", wideFromUtf8(address).c_str(), nullptr, nullptr, SW_SHOW);
}

void removeSystemMenuEntry(HWND window, int position)
{
    ::RemoveMenu(::GetSystemMenu(window, FALSE), static_cast<UINT>(position), MF_BYPOSITION);
}

}  // namespace corvel::win32
