#include "run_context.h"

#include "platform.h"

namespace corvel {

namespace {
const DefaultOptions kDefaultOptions;
}

RunContext::RunContext(const RunRequest& request, RunHost& host, const RunSinks& sinks)
    : request_(request),
      options_(request.options ? *request.options : kDefaultOptions),
      host_(host),
      sinks_(sinks),
      followsLines_(request.linePath == LinePath::EveryLine),
      anyEnds_(request.lineEnds == LineEnds::Any)
{
}

std::optional<RunEnding> RunContext::openDictionary()
{
    const std::filesystem::path& dictionary = request_.dictionary;
    auto names = formRunNames(dictionary);
    if (!names)
        return handle(Error(ErrorKind::Other, FileOp::Run, displayPath(dictionary),
                            whyNoRunNames(dictionary)));
    names_ = *names;
    Error error;
    File file = File::open(dictionary, File::Access::Read, error);
    if (auto end = handle(error))
        return end;
    files_.dictionary = LineReader(std::move(file));
    if (request_.encoding == TextEncoding::Utf8)
        (void)files_.dictionary.skipUtf8Bom();
    return handle(files_.dictionary.error());
}

// A folder that could not be made is reported with the cause of that
// failure, not with the one of the open that follows it.
std::optional<RunEnding> RunContext::makeOutputFolder()
{
    const std::filesystem::path path = request_.outputParent / names_.baseName;
    Error made = makeFolder(path);
    if (auto end = handle(made))
        return end;
    Error opened;
    outputFolder_ = Folder::open(path, opened);
    std::error_code ec;
    const bool exists = std::filesystem::exists(std::filesystem::symlink_status(path, ec));
    if (opened && made && !exists)
        opened = Error(ErrorKind::Other, made.op(), made.path(), made.cause());
    if (auto end = handle(opened))
        return end;
    report_.outputFolder = path;
    tell([&](RunSink& s) { s.outputFolderReady(path); });
    return std::nullopt;
}

std::optional<RunEnding> RunContext::openOutput(FileNumber number,
                                                const std::filesystem::path& name,
                                                File::Access access)
{
    const std::filesystem::path path = outputFolder_.path() / name;
    // The dictionary is only ever read.
    if (sameFile(path, request_.dictionary))
        return handle(Error(ErrorKind::Other, FileOp::Run, displayPath(path),
                            "would write over the dictionary itself"));
    Error opened = files_.output(number).open(outputFolder_, name, access, request_.outputs);
    if (number == FileNumber::Log)
        report_.log = path;
    return handle(opened);
}

std::optional<RunEnding> RunContext::closeOutput(FileNumber number)
{
    return handle(files_.output(number).close());
}

std::optional<RunEnding> RunContext::handle(const Error& error)
{
    switch (error.kind()) {
    case ErrorKind::None:
    case ErrorKind::PathAccess:
        return std::nullopt;
    case ErrorKind::FileNotFound:
        report_.error = error;
        (void)host_.ask(Question::DictionaryMissing);
        tell([](RunSink& s) { s.waiting(); });
        return RunEnding::FileNotFound;
    case ErrorKind::Other:
        break;
    }
    report_.error = error;
    (void)files_.closeAll();
    (void)host_.ask(Question::UnknownError);
    return endApplication(RunEnding::UnknownError);
}

std::optional<RunEnding> RunContext::fail(const std::string& cause)
{
    return handle(Error(ErrorKind::Other, FileOp::Run, displayPath(request_.dictionary), cause));
}

std::optional<RunEnding> RunContext::openLog(LogOpening when, RunEnding ending)
{
    auto end = handle(host_.openLog(report_.log, when));
    if (end == RunEnding::FileNotFound)
        return ending;
    return end;
}

RunEnding RunContext::endApplication(RunEnding ending)
{
    (void)files_.closeAll();
    host_.endApplication();
    return ending;
}

RunEnding RunContext::endedByHost()
{
    (void)files_.closeAll();
    return RunEnding::Ended;
}

RunReport RunContext::finish(RunEnding ending)
{
    report_.ending = ending;
    return report_;
}

}  // namespace corvel
