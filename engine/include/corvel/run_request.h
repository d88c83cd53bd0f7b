// What a check run starts from: the dictionary, the folder that receives the
// output folder, the layout, the mode, the clock and where the option boxes
// are read.
#pragma once

#include "corvel/local_time.h"

#include <filesystem>
#include <string>

namespace corvel {

enum class Layout { LinePairs, Equals };
enum class Mode { Check, Correct };

// What ends a line: CR LF or a lone CR (a lone LF is part of the line), or
// with Any a lone LF as well.
enum class LineEnds { CrLf, Any };

// The encoding a dictionary is read in. A translation character is a byte of
// 0x81 or above in GBK and GB18030, any character beyond ASCII in UTF-8;
// the check log is written in UTF-8 for a UTF-8 dictionary, in GBK otherwise.
enum class TextEncoding { Gbk, Gb18030, Utf8 };

// The options of the line-pair layout; on means ticked.
enum class Option {
    ReplaceLog,          // create the log anew (off: append)
    PromptAtEnd,         // ask to open the log at the end (off: beep)
    StopOnErrors,        // check mode: stop after a row of erroneous lines
    StopOnEmpty,         // check mode: stop at the first empty line
    DeleteEmpty,         // correct mode: drop empty lines and their related lines
    DeleteErroneous,     // correct mode: drop erroneous lines and their related lines
    DeleteUntranslated,  // correct mode: drop untranslated lines and their related lines
};

// Where a run reads its options. A run reads each option when it needs it,
// so a box ticked during a run takes effect from the next line on.
class OptionSource {
public:
    virtual ~OptionSource() = default;
    virtual bool option(Option option) const = 0;
};

// The options of a fresh main window; also those of the command line before
// its switches.
class DefaultOptions : public OptionSource {
public:
    bool option(Option option) const override;
};

// The captions the line-pair log's header quotes, UTF-8.
struct LogCaptions {
    std::string checkOperation = "检错";
    std::string correctOperation = "纠错";
    std::string deleteEmpty = "删除空行及相关行";
    std::string deleteErroneous = "删除错误的行及相关行";
    std::string deleteUntranslated = "删除未翻译的行及相关行";
};

// Which lines a run visits. EveryLine: every line in turn, the host told of
// each (RunHost::lineDone), as the windows need to show the line number and
// serve their events. FlaggedLines: the dictionary is read in blocks and
// only the flagged lines are visited where the reading allows it (GBK or
// GB18030, CR LF line ends); the host is told of no line.
enum class LinePath { EveryLine, FlaggedLines };

// How a run writes a log or corrected dictionary it makes anew. InPlace:
// at its name from the first byte, as the windows do. NewFile: into a new
// file beside it, put in its place when the run closes it, so that a
// process ended meanwhile (see unfinished_files.h) leaves the earlier file.
enum class OutputPlacement { InPlace, NewFile };

struct RunRequest {
    Layout layout = Layout::LinePairs;
    std::filesystem::path dictionary;
    // The folder that receives the output folder (named after the dictionary).
    std::filesystem::path outputParent;
    Mode mode = Mode::Check;
    Clock clock = localNow;
    const OptionSource* options = nullptr;  // none: the default options
    LogCaptions captions;
    // How the dictionary's bytes are read. A UTF-8 byte-order mark at its
    // start is not part of line 1 under UTF-8.
    TextEncoding encoding = TextEncoding::Gbk;
    LineEnds lineEnds = LineEnds::CrLf;
    LinePath linePath = LinePath::EveryLine;
    OutputPlacement outputs = OutputPlacement::InPlace;
};

}  // namespace corvel
