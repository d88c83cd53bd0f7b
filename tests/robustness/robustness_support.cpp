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

LocalTime fixedTime()
{
    return {2002, 5, 30, 14, 5, 9};
}

Clock fixedClock()
{
    return [] { return fixedTime(); };
}

ScriptedRun::ScriptedRun(Layout layout, const fs::path& dictionary, Mode mode)
{
    request.layout = layout;
    request.dictionary = dictionary;
    request.outputParent = dictionary.parent_path();
    request.mode = mode;
    request.clock = fixedClock();
    request.options = &options;
    host.unscriptedAnswer = Answer::Cancel;
}

WorkFolder::WorkFolder()
{
    std::string pattern = (fs::temp_directory_path() / "corvel-robust-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("cannot create a temporary folder");
    path_ = pattern;
}

WorkFolder::~WorkFolder()
{
    std::error_code ec;
    fs::remove_all(path_, ec);
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

std::unique_ptr<FullDeviceFile> FullDeviceFile::bind(const fs::path& at)
{
    privateMounts();
    writeFile(at, "");
    if (::mount("/dev/full", at.c_str(), nullptr, MS_BIND, nullptr) != 0)
        return nullptr;
    return std::unique_ptr<FullDeviceFile>(new FullDeviceFile(at));
}

FullDeviceFile::~FullDeviceFile()
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

}  // namespace corvel::robustness
