// What the windows say beside an issuer's CAP, province, codice fiscale and
// partita IVA, and beside a client's codice fiscale and partita IVA, while
// they are typed: the sentence the e-invoice refusal would give, so the fault
// is mended before any export. A hint refuses nothing.
#pragma once

#include "archive/records.h"

#include <QString>

#include <array>

class QLabel;

namespace tessaro::ui {

struct IdentifierHint {
    const char* field; // objectName of the window's field
    QString text; // empty when the field is blank or fine
};

// In the order of the issuer window's fields: CAP, province, codice fiscale,
// partita IVA. The codice fiscale of a person (a first name) and of a firm
// follow different rules.
std::array<IdentifierHint, 4> identifierHints(const archive::PartyRecord& issuer);

// The main window's client fields: codice fiscale, partita IVA.
std::array<IdentifierHint, 2> clientIdentifierHints(const archive::PartyRecord& client);

// The label that shows a field's hint: "etcnota7" for "txtf7" or "txtc7".
QString hintLabelName(const char* field);

// The look of a hint: from the top left, in a dark red that reads as a warning.
void styleHint(QLabel* label);

} // namespace tessaro::ui
