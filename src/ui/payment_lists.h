// The lists of payment methods and terms, the same in every window that
// offers them: a first item for no choice, then each name with its code as
// the item's data, which is what the control tables read and show.
#pragma once

class QComboBox;

namespace tessaro::ui {

void fillPaymentMethods(QComboBox* combo);
// withTypedDate: the term of a date typed for one invoice, which is never
// the issuer's choice for all its new ones.
void fillPaymentTerms(QComboBox* combo, bool withTypedDate);

} // namespace tessaro::ui
