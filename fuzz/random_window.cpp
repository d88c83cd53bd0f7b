#include "random_window.h"

namespace corvel::fuzz {

std::uint64_t Dice::next()
{
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

RandomWindow::RandomWindow(Settings settings, std::uint64_t seed)
    : settings_(std::move(settings)), dice_(seed)
{
}

void RandomWindow::touch() const
{
    if (trace_.endedApplication)
        trace_.callAfterEnd = true;
}

bool RandomWindow::fixedOption(Option o) const
{
    return (settings_.options >> static_cast<int>(o)) & 1u;
}

std::filesystem::path RandomWindow::chosenPath() const
{
    touch();
    return settings_.chosenPath;
}

Mode RandomWindow::mode() const
{
    touch();
    return settings_.mode;
}

bool RandomWindow::option(Option o) const
{
    touch();
    if (settings_.liveOptions)
        return dice_.oneIn(2);
    return fixedOption(o);
}

std::string RandomWindow::caption(Caption c) const
{
    touch();
    return designCaption(c);
}

Answer RandomWindow::messageBox(const MessageBoxRequest&)
{
    touch();
    return dice_.oneIn(2) ? Answer::Ok : Answer::Cancel;
}

Error RandomWindow::startEditor(const EditorRequest& request)
{
    touch();
    trace_.editorStarted = true;
    switch (dice_.next() % 8) {
    case 0:
        trace_.editorFailed = true;
        return Error(ErrorKind::FileNotFound, FileOp::StartProgram, request.commandLine,
                     "no editor");
    case 1:
        trace_.editorFailed = true;
        return Error(ErrorKind::Other, FileOp::StartProgram, request.commandLine,
                     "the editor failed");
    default: return Error();
    }
}

bool RandomWindow::yield()
{
    touch();
    if (dice_.oneIn(64)) {
        trace_.answeredStop = true;
        return false;
    }
    return true;
}

void RandomWindow::endApplication()
{
    touch();
    trace_.endedApplication = true;
    if (onEndApplication)
        onEndApplication();
}

}  // namespace corvel::fuzz
