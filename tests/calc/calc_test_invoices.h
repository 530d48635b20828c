// Invoices written the way the tests of the calculations read best.
#pragma once

#include "calc/forward.h"

#include <QByteArray>
#include <QMetaType>

namespace calc_test {

inline tessaro::calc::InvoiceTexts professionalInvoice(char flag = 'e')
{
    tessaro::calc::InvoiceTexts input;
    input.type = tessaro::calc::InvoiceType::Professional;
    input.currencyFlag = flag;
    input.decimalSeparator = ',';
    return input;
}

inline tessaro::calc::InvoiceTexts commercialInvoice(char flag = 'e')
{
    tessaro::calc::InvoiceTexts input = professionalInvoice(flag);
    input.type = tessaro::calc::InvoiceType::Commercial;
    return input;
}

inline QByteArray shown(const std::optional<std::string>& text)
{
    return text ? QByteArray::fromStdString(*text) : QByteArray("<kept>");
}

} // namespace calc_test

Q_DECLARE_METATYPE(tessaro::calc::InvoiceTexts)
