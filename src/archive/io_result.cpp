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
    case Action::Pending:
        return "L'ultima operazione non è terminata e i dati non sono ancora stati riportati a prima (file " + path
            + "): finché non lo saranno non si può modificare nulla. Scegliere di nuovo l'anno per riprovare.";
    case Action::Changed:
        return "Le fatture dell'anno sono state modificate fuori da questa finestra (file " + path
            + "): scegliere di nuovo l'anno.";
    }
    return std::string("Impossibile ") + verb + " il file " + path;
}

} // namespace tessaro::archive
