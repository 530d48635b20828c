#include "archive/io_result.h"

namespace tessaro::archive {

std::string IoError::describe() const
{
    const char* verb = "aprire";
    switch (action) {
    case Action::Open:
        verb = "aprire";
        break;
    case Action::Read:
        verb = "leggere";
        break;
    case Action::Write:
        verb = "scrivere";
        break;
    case Action::Remove:
        verb = "cancellare";
        break;
    }
    return std::string("Impossibile ") + verb + " il file " + path;
}

} // namespace tessaro::archive
