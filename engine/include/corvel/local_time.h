// Calendar date and time of day, local time: what the logs' date lines show.
#pragma once

#include <functional>

namespace corvel {

struct LocalTime {
    int year = 0, month = 0, day = 0;
    int hour = 0, minute = 0, second = 0;
};

LocalTime localNow();

// Whether the date exists in the calendar and the time of day is valid.
bool isValidTime(const LocalTime& time);

// Supplies the date and time for a log's date lines.
using Clock = std::function<LocalTime()>;

}  // namespace corvel
