#include "robustness_support.h"

#include "platform.h"

#include <fcntl.h>
#include <sched.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace corvel::robustness {

ScriptedWindow::ScriptedWindow(fs::path chosen, Mode mode) : chosen_(std::move(chosen)), mode_(mode)
{
    // The options of a fresh main window.
    options_ = {{Option::ReplaceLog, true},        {Option::PromptAtEnd, true},
                {Option::StopOnErrors, true},      {Option::StopOnEmpty, false},
                {Option::DeleteEmpty, true},       {Option::DeleteErroneous, true},
                {Option::DeleteUntranslated, false}};
}

std::string ScriptedWindow::labelText(StatusLabel l) const
{
    auto it = labels_.find(l);
    return it == labels_.end() ? std::string() : it->second;
}

bool ScriptedWindow::labelVisible(StatusLabel l) const
{
    auto it = visible_.find(l);
    return it != visible_.end() && it->second;
}

bool ScriptedWindow::enabled(Control c) const
{
    auto it = enabled_.find(c);
    return it == enabled_.end() || it->second;
}

Answer ScriptedWindow::messageBox(const MessageBoxRequest& request)
{
    boxes_.push_back(request);
    return request.buttons == Buttons::OkCancel ? Answer::Cancel : Answer::Ok;
}

bool ScriptedWindow::yield()
{
    return !onYield || onYield(line_);
}

void ScriptedWindow::endApplication()
{
    ended_ = true;
    if (onEnd)
        onEnd();
}

LocalTime fixedTime()
{
    return {2002, 5, 30, 14, 5, 9};
}

Clock fixedClock()
{
    return [] { return fixedTime(); };
}

WorkFolder::WorkFolder() : previous_(fs::current_path())
{
    std::string pattern = (fs::temp_directory_path() / "corvel-robust-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("cannot create a temporary folder");
    path_ = pattern;
    enter();
}

WorkFolder::~WorkFolder()
{
    std::error_code ec;
    fs::current_path(previous_, ec);
    fs::remove_all(path_, ec);
}

void WorkFolder::enter() const
{
    fs::current_path(path_);
}

namespace {
// Mounts made in a private mount namespace vanish with the test process,
// even when it dies before it can unmount them.
void privateMounts()
{
    static const bool done = [] {
        if (::unshare(CLONE_NEWNS) != 0)
            return false;
        return ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
    }();
    (void)done;
}
}  // namespace

std::unique_ptr<TmpfsMount> TmpfsMount::mount(const fs::path& at, const std::string& size,
                                              bool readOnly)
{
    privateMounts();
    unsigned long flags = MS_NOSUID | MS_NODEV | (readOnly ? MS_RDONLY : 0);
    std::string data = "size=" + size + ",mode=0777";
    if (::mount("tmpfs", at.c_str(), "tmpfs", flags, data.c_str()) != 0)
        return nullptr;
    return std::unique_ptr<TmpfsMount>(new TmpfsMount(at));
}

TmpfsMount::~TmpfsMount()
{
    (void)::umount2(at_.c_str(), MNT_DETACH);
}

namespace {
bool setImmutable(const fs::path& folder, bool on)
{
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    int attributes = 0;
    bool ok = ::ioctl(fd, FS_IOC_GETFLAGS, &attributes) == 0;
    if (ok) {
        attributes = on ? (attributes | FS_IMMUTABLE_FL) : (attributes & ~FS_IMMUTABLE_FL);
        ok = ::ioctl(fd, FS_IOC_SETFLAGS, &attributes) == 0;
    }
    ::close(fd);
    return ok;
}
}  // namespace

std::unique_ptr<ImmutableFolder> ImmutableFolder::set(const fs::path& folder)
{
    if (!setImmutable(folder, true))
        return nullptr;
    return std::unique_ptr<ImmutableFolder>(new ImmutableFolder(folder));
}

ImmutableFolder::~ImmutableFolder()
{
    (void)setImmutable(folder_, false);
}

std::string readFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void writeFile(const fs::path& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out << bytes;
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

std::string gbk(const std::string& utf8)
{
    return toGbk(utf8);
}

std::vector<std::string> splitCrLf(const std::string& bytes)
{
    std::vector<std::string> lines;
    std::size_t at = 0;
    while (at < bytes.size()) {
        std::size_t end = bytes.find("\r\n", at);
        if (end == std::string::npos) {
            lines.push_back(bytes.substr(at));  // a torn last line shows as such
            break;
        }
        lines.push_back(bytes.substr(at, end - at));
        at = end + 2;
    }
    return lines;
}

std::vector<std::string> listTree(const fs::path& folder)
{
    std::vector<std::string> names;
    for (const auto& e : fs::recursive_directory_iterator(folder))
        names.push_back(fs::relative(e.path(), folder).string());
    std::sort(names.begin(), names.end());
    return names;
}

RunReport runCheck(Layout layout, RunWindow& window)
{
    return layout == Layout::LinePairs ? runLinePairCheck(window, fixedClock())
                                       : runEqualsCheck(window, fixedClock());
}

}  // namespace corvel::robustness
