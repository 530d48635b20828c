#include "ui/payment_lists.h"

#include "calc/payments.h"
#include "ui/utf8_text.h"

#include <QComboBox>

namespace tessaro::ui {

void fillPaymentMethods(QComboBox* combo)
{
    combo->addItem(QStringLiteral("non indicata"), QString());
    for (const calc::PaymentMethod& method : calc::paymentMethods())
        combo->addItem(fromUtf8(method.name), fromUtf8(method.code));
}

void fillPaymentTerms(QComboBox* combo, bool withTypedDate)
{
    combo->addItem(QStringLiteral("nessuna"), QString());
    for (const calc::PaymentTerm& term : calc::paymentTerms()) {
        if (withTypedDate || !term.explicitDate)
            combo->addItem(fromUtf8(term.name), fromUtf8(term.code));
    }
}

} // namespace tessaro::ui
