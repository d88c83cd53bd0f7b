#include "mojibake_matcher.h"

namespace corvel::encoding {

std::string_view describeMark(Mark mark)
{
    switch (mark) {
    case Mark::ReplacementAsGbk:
        return "'锟斤拷': the UTF-8 bytes of U+FFFD read as GBK, text an earlier conversion lost";
    case Mark::Replacement:
        return "U+FFFD replacement character: text an earlier conversion lost";
    case Mark::HotFill:
        return "'烫烫烫': bytes 0xCC of uninitialized memory read as text";
    case Mark::HeapFill:
        return "'屯屯屯': bytes 0xCD of uninitialized memory read as text";
    case Mark::QuestionRun:
        return "'?' run inside Chinese text: characters an earlier conversion could not write";
    }
    return "";
}

}  // namespace corvel::encoding
