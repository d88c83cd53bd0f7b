#include "corvel/check_runs.h"

#include "names.h"

namespace corvel {

RunReport runCheck(const RunRequest& request, RunHost& host, const RunSinks& sinks)
{
    return request.layout == Layout::Equals ? runEqualsCheck(request, host, sinks)
                                            : runLinePairCheck(request, host, sinks);
}

std::optional<OutputNames> outputNames(const RunRequest& request)
{
    auto names = formRunNames(request.dictionary);
    if (!names)
        return std::nullopt;
    std::filesystem::path folder = request.outputParent / names->baseName;
    const bool corrects = request.mode == Mode::Correct;
    return OutputNames {folder, folder / names->logName,
                        corrects ? folder / names->fileName : std::filesystem::path()};
}

bool DefaultOptions::option(Option option) const
{
    switch (option) {
    case Option::ReplaceLog:
    case Option::PromptAtEnd:
    case Option::StopOnErrors:
    case Option::DeleteEmpty:
    case Option::DeleteErroneous:
        return true;
    case Option::StopOnEmpty:
    case Option::DeleteUntranslated:
        return false;
    }
    return false;
}

bool isValidTime(const LocalTime& t)
{
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (t.year < 1 || t.year > 9999 || t.month < 1 || t.month > 12 || t.day < 1)
        return false;
    const bool leap = (t.year % 4 == 0 && t.year % 100 != 0) || t.year % 400 == 0;
    const int days = kDays[t.month - 1] + (t.month == 2 && leap ? 1 : 0);
    return t.day <= days && t.hour >= 0 && t.hour <= 23 && t.minute >= 0 && t.minute <= 59
        && t.second >= 0 && t.second <= 59;
}

}  // namespace corvel
