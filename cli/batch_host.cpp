#include "batch_host.h"

namespace corvel::cli {

Answer BatchHost::ask(Question question)
{
    switch (question) {
    case Question::OpenLogAtEnd:
    case Question::OpenLogAfterEmpty:
        return Answer::Cancel;  // never open the log
    case Question::DictionaryMissing:
    case Question::UnknownError:
    case Question::SeriousError:
        break;
    }
    return Answer::Ok;
}

}  // namespace corvel::cli
