// Shared pieces of the fault-injection tests: a run as the window starts
// it with a recording host, temporary folders, mounts that make a folder
// full or read-only, and file helpers.
#pragma once

#include "corvel/check_runs.h"
#include "fake_host.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace corvel::robustness {

namespace fs = std::filesystem;

using test::FakeHost;

// A fixed time for the log's date lines, so logs compare byte for byte.
LocalTime fixedTime();
Clock fixedClock();

// A check of one dictionary as the window starts it: the output folder
// beside the dictionary, the options of a fresh window, the fixed clock,
// and a host that declines every offer to open the log.
class ScriptedRun {
public:
    ScriptedRun(Layout layout, const fs::path& dictionary, Mode mode = Mode::Check);

    RunReport run() { return runCheck(request, host, {&host}); }
    // The run ended the application.
    bool ended() const { return host.endApplicationCalls > 0; }

    test::TestOptions options;
    RunRequest request;
    FakeHost host;
};

// A fresh folder, removed with everything in it when the object goes.
class WorkFolder {
public:
    WorkFolder();
    ~WorkFolder();
    WorkFolder(const WorkFolder&) = delete;
    WorkFolder& operator=(const WorkFolder&) = delete;
    const fs::path& path() const { return path_; }
    fs::path operator/(const fs::path& name) const { return path_ / name; }

private:
    fs::path path_;
};

// A tmpfs mounted on a folder for the object's lifetime; none when this
// process may not mount (not root, or no mount namespace rights).
class TmpfsMount {
public:
    static std::unique_ptr<TmpfsMount> mount(const fs::path& at, const std::string& size,
                                             bool readOnly);
    ~TmpfsMount();
    TmpfsMount(const TmpfsMount&) = delete;
    TmpfsMount& operator=(const TmpfsMount&) = delete;

private:
    explicit TmpfsMount(fs::path at) : at_(std::move(at)) {}
    fs::path at_;
};

// A file whose writes fail as on a full disk: /dev/full bound onto a
// fresh file (outputs never follow a link, so a link to /dev/full would be
// refused before any write). None when this process may not mount.
class FullDeviceFile {
public:
    static std::unique_ptr<FullDeviceFile> bind(const fs::path& at);
    ~FullDeviceFile();
    FullDeviceFile(const FullDeviceFile&) = delete;
    FullDeviceFile& operator=(const FullDeviceFile&) = delete;

private:
    explicit FullDeviceFile(fs::path at) : at_(std::move(at)) {}
    fs::path at_;
};

// The immutable attribute on a folder (refuses even root), cleared when the
// object goes; none when the file system does not support it.
class ImmutableFolder {
public:
    static std::unique_ptr<ImmutableFolder> set(const fs::path& folder);
    ~ImmutableFolder();
    ImmutableFolder(const ImmutableFolder&) = delete;
    ImmutableFolder& operator=(const ImmutableFolder&) = delete;

private:
    explicit ImmutableFolder(fs::path folder) : folder_(std::move(folder)) {}
    fs::path folder_;
};

std::string readFile(const fs::path& path);
void writeFile(const fs::path& path, const std::string& bytes);
// GBK bytes of UTF-8 text.
std::string gbk(const std::string& utf8);
// Splits CR LF lines (the logs' and corrected dictionaries' line ends).
std::vector<std::string> splitCrLf(const std::string& bytes);
// Every file and folder under `folder`, relative, sorted.
std::vector<std::string> listTree(const fs::path& folder);

}  // namespace corvel::robustness
