// The controls of the invoice window as data: every field, caption, button,
// label and separator with its position in twips, tab order, maximum length,
// character filter and help text.
#pragma once

#include "archive/app_state.h"
#include "archive/invoice_form.h"
#include "ui/control_table.h"

#include <span>

namespace tessaro::ui {

// Client area below the menu bar.
inline constexpr int MainWindowWidthTwips = 11850;
inline constexpr int MainWindowHeightTwips = 7080;

// Background of the issuer labels etcem1..3.
inline constexpr int IssuerLabelRed = 255;
inline constexpr int IssuerLabelGreen = 255;
inline constexpr int IssuerLabelBlue = 128;

std::span<const ControlOf<archive::InvoiceForm>> mainWindowControls();

// Help text of the amount field of line 1..3: a fee for professional
// services, a unit price for commercial invoices.
const char* amountHelpText(int line, archive::InvoiceType type);

} // namespace tessaro::ui
