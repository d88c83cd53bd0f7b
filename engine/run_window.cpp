#include "run_window.h"

namespace corvel {

const char* designCaption(Caption caption)
{
    switch (caption) {
    case Caption::CheckFrame: return "检错";
    case Caption::CorrectFrame: return "纠错";
    case Caption::DeleteEmpty: return "删除空行及相关行";
    case Caption::DeleteErroneous: return "删除错误的行及相关行";
    case Caption::DeleteUntranslated: return "删除未翻译的行及相关行";
    }
    return "";
}

}  // namespace corvel
