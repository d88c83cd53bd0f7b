#include "corvel/unfinished_files.h"

#include <array>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <iomanip>
#include <random>
#include <sstream>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace corvel {

namespace {

enum class SlotState : int { Free, Filling, Writing, Whole };

// Room for the paths of the new files one process has at once (a report
// and, per dictionary checked at once, a log and a corrected dictionary).
constexpr std::size_t kSlots = 64;
constexpr std::size_t kPathRoom = 4096;

struct Slot {
    std::atomic<SlotState> state {SlotState::Free};
    std::filesystem::path::value_type made[kPathRoom];
    std::filesystem::path::value_type target[kPathRoom];
};

std::array<Slot, kSlots> slots;

bool copyInto(std::filesystem::path::value_type (&to)[kPathRoom],
              const std::filesystem::path& path)
{
    const auto& native = path.native();
    if (native.size() >= kPathRoom)
        return false;
    std::copy(native.begin(), native.end(), to);
    to[native.size()] = 0;
    return true;
}

}  // namespace

UnfinishedFile::UnfinishedFile(const std::filesystem::path& made,
                               const std::filesystem::path& target)
{
    for (std::size_t i = 0; i < kSlots; ++i) {
        SlotState free = SlotState::Free;
        if (!slots[i].state.compare_exchange_strong(free, SlotState::Filling))
            continue;
        if (copyInto(slots[i].made, made) && copyInto(slots[i].target, target)) {
            slots[i].state.store(SlotState::Writing);
            slot_ = static_cast<int>(i);
        } else {
            slots[i].state.store(SlotState::Free);
        }
        return;
    }
}

UnfinishedFile::~UnfinishedFile()
{
    if (slot_ >= 0)
        slots[static_cast<std::size_t>(slot_)].state.store(SlotState::Free);
}

void UnfinishedFile::whole()
{
    if (slot_ >= 0)
        slots[static_cast<std::size_t>(slot_)].state.store(SlotState::Whole);
}

void settleUnfinished() noexcept
{
#ifndef _WIN32
    for (Slot& slot : slots) {
        const SlotState state = slot.state.load();
        if (state == SlotState::Writing)
            (void)::unlink(slot.made);
        else if (state == SlotState::Whole)
            (void)::rename(slot.made, slot.target);
    }
#endif
}

std::filesystem::path newFileBeside(const std::filesystem::path& target)
{
    static std::atomic<unsigned> counter {0};
    static const unsigned seed = std::random_device {}();
    std::ostringstream name;
    name << ".corvel-" << std::hex << std::setw(8) << std::setfill('0')
         << (seed ^ (counter++ * 2654435761u));
    return target.parent_path() / name.str();
}

}  // namespace corvel
