#include "fullwidth_fix.h"

#include "corvel/display_path.h"
#include "corvel/replacing_file.h"
#include "report/pair_text.h"
#include "report/placeholder_rules.h"

#include <cerrno>
#include <fstream>

namespace corvel::cli {

namespace {

namespace fs = std::filesystem;

Error fileError(FileOp op, const fs::path& path, int cause)
{
    return Error(ErrorKind::Other, op, displayPath(path),
                 cause != 0 ? systemErrorText(cause) : std::string("input/output error"));
}

// A line read with its end apart. As in every dictionary the check reads, a
// line ends at CR LF or at a lone CR; a lone LF is part of the line.
struct Line {
    std::string text;
    std::string end;
};

bool readLine(std::istream& in, Line& line)
{
    line.end.clear();
    if (!std::getline(in, line.text, '\r'))
        return false;
    if (in.eof())
        return true;  // a last line without an end
    line.end.assign(1, '\r');
    if (in.peek() == '\n') {
        in.get();
        line.end += '\n';
    }
    return true;
}

}  // namespace

std::string halfWidthLine(const std::string& source, const std::string& line, Layout layout,
                          TextEncoding encoding)
{
    if (layout == Layout::LinePairs) {
        auto fixed = report::halfWidthTranslation(source, line, encoding);
        return fixed ? *fixed : line;
    }
    report::PairText pair = report::equalsPair(line, 1);
    if (pair.translationColumn + pair.translation.size() != line.size())
        return line;
    auto fixed = report::halfWidthTranslation(pair.source, pair.translation, encoding);
    return fixed ? line.substr(0, pair.translationColumn) + *fixed : line;
}

FullwidthFix fixFullwidth(const fs::path& corrected, Layout layout, TextEncoding encoding)
{
    FullwidthFix fix;
    std::ifstream in(corrected, std::ios::binary);
    if (!in) {
        fix.error = fileError(FileOp::Read, corrected, errno);
        return fix;
    }
    // The rewritten copy is a new file beside the corrected dictionary,
    // never a file that was there (another dictionary of the call, say).
    ReplacingFile out;
    if (Error made = out.open(corrected)) {
        fix.error = made;
        return fix;
    }
    Line line, source;
    for (long number = 1; readLine(in, line); ++number) {
        std::string text = line.text;
        if (layout == Layout::Equals || number % 2 == 0)
            text = halfWidthLine(source.text, line.text, layout, encoding);
        else
            source = line;
        fix.lines += text != line.text ? 1 : 0;
        out.stream() << text << line.end;
    }
    const bool readFailed = in.bad();
    const int cause = errno;
    in.close();  // Windows replaces no file that is still open
    if (readFailed) {
        fix.error = fileError(FileOp::Read, corrected, cause);
        return fix;  // the new file goes with `out`
    }
    fix.error = out.commit();
    return fix;
}

}  // namespace corvel::cli
