#include "print_turn.h"

namespace corvel::cli {

void PrintTurn::wait(std::size_t index)
{
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [&] { return next_ == index; });
}

bool PrintTurn::ready(std::size_t index)
{
    std::lock_guard<std::mutex> lock(mutex_);
    return next_ == index;
}

void PrintTurn::pass()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        ++next_;
    }
    changed_.notify_all();
}

bool HeldFindings::add(report::Finding finding)
{
    if (next_ == nullptr) {
        if (held_.size() < limit_ && !turn_.ready(index_)) {
            held_.push_back(std::move(finding));
            return true;
        }
        if (!release())
            return false;
    }
    return next_->add(std::move(finding));
}

bool HeldFindings::release()
{
    if (next_ != nullptr)
        return true;
    turn_.wait(index_);
    next_ = &begin_();
    bool goOn = true;
    for (report::Finding& finding : held_)
        if (goOn)
            goOn = next_->add(std::move(finding));
    held_ = {};
    return goOn;
}

}  // namespace corvel::cli
