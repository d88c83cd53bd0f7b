// New files that stand in for an output until it is whole, and are renamed
// over it then. A process ended by a signal calls settleUnfinished() from
// its handler: a new file still being written is removed, so the output of
// an earlier run stays as it was; one already whole is put in its place.
#pragma once

#include <filesystem>

namespace corvel {

class UnfinishedFile {
public:
    // Records `made`, the new file that is to become `target`.
    UnfinishedFile(const std::filesystem::path& made, const std::filesystem::path& target);
    ~UnfinishedFile();  // forgets it (renamed or removed by then)
    UnfinishedFile(const UnfinishedFile&) = delete;
    UnfinishedFile& operator=(const UnfinishedFile&) = delete;

    // The new file is whole: a signal from now on puts it in place.
    void whole();

private:
    int slot_ = -1;  // none: too many at once or a name too long to hold
};

// From a signal handler (it uses only calls safe there): removes every new
// file not yet whole and renames every whole one over its target.
void settleUnfinished() noexcept;

// A name for a new file beside `target`, of a fixed short length (a target
// whose own name is as long as the system allows still gets one), that
// nothing else is likely to hold.
std::filesystem::path newFileBeside(const std::filesystem::path& target);

}  // namespace corvel
