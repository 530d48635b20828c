// Which invoices of a book are credit notes, and of which invoice: the .ndc
// beside the .arc, one record per invoice number. A book without credit
// notes has no .ndc, and the earlier program never sees one; once a credit
// note is saved the file follows the invoices through every renumbering.
#pragma once

#include "archive/book.h"
#include "archive/fields.h"
#include "archive/io_result.h"
#include "archive/record_file.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace tessaro::archive {

struct CreditNoteMark {
    bool isCreditNote = false;
    // The invoice it cancels, as the window showed it.
    std::string refNumber;
    std::string refDay;
    std::string refMonth;
    std::string refYear;

    bool operator==(const CreditNoteMark&) const = default;
};

void encodeCreditNote(const CreditNoteMark& mark, std::span<std::uint8_t, CreditNoteRecordSize> out);
CreditNoteMark decodeCreditNote(std::span<const std::uint8_t, CreditNoteRecordSize> in);
// Straight from the bytes: a record never written is no credit note.
inline bool isCreditNoteRecord(std::span<const std::uint8_t> record)
{
    return flagAt(record, fieldOf(CreditNoteField::Kind)) == CreditNoteFlag;
}

// No .ndc, or no record n in it, is an invoice; reading never creates the file.
Result<CreditNoteMark> readCreditNote(const BookPaths& book, int number);
// Records 1 .. count end to end, zero bytes where the file holds none.
Result<std::vector<std::uint8_t>> readCreditNoteRecords(const BookPaths& book, int count);
// Records first, first + 1, ... in one transfer; creates the file when needed.
Status writeCreditNotes(const BookPaths& book, int first, std::span<const CreditNoteMark> marks,
                        WriteStep step = WriteStep::Alone);

// The date of the cancelled invoice as dd/mm/yyyy; the parts as typed when
// they are no numbers.
std::string referredDate(const CreditNoteMark& mark);

} // namespace tessaro::archive
