// The figures of a stored invoice read straight from the bytes of its
// records, for the readers that go through a whole book (the yearly totals,
// the register): no text is decoded and nothing is allocated.
#pragma once

#include "calc/amounts.h"

#include <cstdint>
#include <span>

namespace tessaro::archive {

// The figures the amounts engine reads for an invoice of this type: the
// quantities and the extra lines only where they can count. extraLines may
// be empty when the type never reads it.
calc::InvoiceFigures storedFigures(std::span<const std::uint8_t> invoice, std::span<const std::uint8_t> extraLines,
                                   calc::InvoiceType type);

// The currency flag of a stored invoice ('l', 'e', or whatever else the byte holds).
char storedCurrencyFlag(std::span<const std::uint8_t> invoice);

} // namespace tessaro::archive
