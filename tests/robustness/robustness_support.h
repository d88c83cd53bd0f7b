// Shared pieces of the fault-injection tests: a scripted window, temporary
// folders, mounts that make a folder full or read-only, and file helpers.
#pragma once

#include "check_runs.h"
#include "run_window.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace corvel::robustness {

namespace fs = std::filesystem;

// A window that answers as a user who declines every offer to open the log,
// and records what the run showed. yield() and endApplication() can be
// scripted to stop or end the run.
class ScriptedWindow : public RunWindow {
public:
    explicit ScriptedWindow(fs::path chosen, Mode mode = Mode::Check);

    void setOption(Option o, bool on) { options_[o] = on; }
    // Called at every yield with the line just handled; false stops the run.
    std::function<bool(std::int32_t line)> onYield;
    // Called when the run ends the application.
    std::function<void()> onEnd;

    bool ended() const { return ended_; }
    const std::vector<MessageBoxRequest>& boxes() const { return boxes_; }
    std::string labelText(StatusLabel l) const;
    bool labelVisible(StatusLabel l) const;
    bool enabled(Control c) const;

    fs::path chosenPath() const override { return chosen_; }
    Mode mode() const override { return mode_; }
    bool option(Option o) const override { return options_.at(o); }
    std::string caption(Caption c) const override { return designCaption(c); }
    void setLabelText(StatusLabel l, const std::string& text) override { labels_[l] = text; }
    void setLabelVisible(StatusLabel l, bool visible) override { visible_[l] = visible; }
    void setLineNumber(std::int32_t line) override { line_ = line; }
    void setEnabled(Control c, bool on) override { enabled_[c] = on; }
    Answer messageBox(const MessageBoxRequest& request) override;
    Error startEditor(const EditorRequest&) override { return Error(); }
    void beep() override {}
    bool yield() override;
    void endApplication() override;

private:
    fs::path chosen_;
    Mode mode_;
    std::map<Option, bool> options_;
    std::map<StatusLabel, std::string> labels_;
    std::map<StatusLabel, bool> visible_;
    std::map<Control, bool> enabled_;
    std::vector<MessageBoxRequest> boxes_;
    std::int32_t line_ = 0;
    bool ended_ = false;
};

// A fixed time for the log's date lines, so logs compare byte for byte.
LocalTime fixedTime();
Clock fixedClock();

// A fresh folder that is the working directory while the object lives.
class WorkFolder {
public:
    WorkFolder();
    ~WorkFolder();
    WorkFolder(const WorkFolder&) = delete;
    WorkFolder& operator=(const WorkFolder&) = delete;
    const fs::path& path() const { return path_; }
    fs::path operator/(const fs::path& name) const { return path_ / name; }
    // Makes the folder the working directory again (a run moves it).
    void enter() const;

private:
    fs::path path_;
    fs::path previous_;
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

// Runs the check of the window's layout, with the fixed clock.
enum class Layout { LinePairs, Equals };
RunReport runCheck(Layout layout, RunWindow& window);

// The texts the failure rule shows.
inline constexpr const char* kUnknownErrorText = "发生未知错误！程序即将终止！";
inline constexpr const char* kNotFoundText = "该文件不存在，请重新选择文件！";
inline constexpr const char* kWaitingText = "等待检错或纠错工作";

}  // namespace corvel::robustness
