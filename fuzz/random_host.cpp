#include "random_host.h"

#include "corvel/display_path.h"

namespace corvel::fuzz {

std::uint64_t Dice::next()
{
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

RandomHost::RandomHost(Settings settings, std::uint64_t seed) : settings_(settings), dice_(seed)
{
}

void RandomHost::touch() const
{
    if (trace_.endedApplication)
        trace_.callAfterEnd = true;
}

bool RandomHost::fixedOption(Option o) const
{
    return (settings_.options >> static_cast<int>(o)) & 1u;
}

bool RandomHost::option(Option o) const
{
    touch();
    if (settings_.liveOptions)
        return dice_.oneIn(2);
    return fixedOption(o);
}

bool RandomHost::lineDone(std::int32_t)
{
    touch();
    if (dice_.oneIn(64)) {
        trace_.answeredStop = true;
        return false;
    }
    return true;
}

Answer RandomHost::ask(Question)
{
    touch();
    return dice_.oneIn(2) ? Answer::Ok : Answer::Cancel;
}

Error RandomHost::openLog(const std::filesystem::path& log, LogOpening)
{
    touch();
    trace_.logOpened = true;
    switch (dice_.next() % 8) {
    case 0:
        trace_.openLogFailed = true;
        return Error(ErrorKind::FileNotFound, FileOp::StartProgram, displayPath(log), "no editor");
    case 1:
        trace_.openLogFailed = true;
        return Error(ErrorKind::Other, FileOp::StartProgram, displayPath(log),
                     "the editor failed");
    default: return Error();
    }
}

void RandomHost::endApplication()
{
    touch();
    trace_.endedApplication = true;
    if (onEndApplication)
        onEndApplication();
}

void RandomHost::finding(const Finding& finding)
{
    touch();
    trace_.findings.emplace_back(finding.line, finding.what);
}

}  // namespace corvel::fuzz
