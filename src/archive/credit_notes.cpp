#include "archive/credit_notes.h"

#include "archive/codepage.h"
#include "calc/numbers.h"
#include "calc/text.h"

#include <algorithm>
#include <array>

namespace tessaro::archive {

namespace {

std::string textAt(std::span<const std::uint8_t> record, CreditNoteField field)
{
    return std::string(trimBlanks(readFixedText(fieldBytes(record, fieldOf(field)))));
}

void putText(std::span<std::uint8_t> record, CreditNoteField field, std::string_view text)
{
    writeFixedText(fieldBytes(record, fieldOf(field)), text);
}

// A day or month as typed: one digit gains its zero, anything else stays.
std::string datePart(const std::string& part)
{
    return calc::isDigits(part, 1) ? calc::twoDigits(part[0] - '0') : part;
}

} // namespace

void encodeCreditNote(const CreditNoteMark& mark, std::span<std::uint8_t, CreditNoteRecordSize> out)
{
    std::fill(out.begin(), out.end(), std::uint8_t {' '});
    if (!mark.isCreditNote)
        return;
    putText(out, CreditNoteField::Kind, std::string(1, CreditNoteFlag));
    putText(out, CreditNoteField::RefNumber, mark.refNumber);
    putText(out, CreditNoteField::RefDay, mark.refDay);
    putText(out, CreditNoteField::RefMonth, mark.refMonth);
    putText(out, CreditNoteField::RefYear, mark.refYear);
}

CreditNoteMark decodeCreditNote(std::span<const std::uint8_t, CreditNoteRecordSize> in)
{
    if (!isCreditNoteRecord(in))
        return {};
    return {true, textAt(in, CreditNoteField::RefNumber), textAt(in, CreditNoteField::RefDay),
            textAt(in, CreditNoteField::RefMonth), textAt(in, CreditNoteField::RefYear)};
}

Result<CreditNoteMark> readCreditNote(const BookPaths& book, int number)
{
    if (!book.fs().exists(book.creditNotes))
        return CreditNoteMark {};
    std::array<std::uint8_t, CreditNoteRecordSize> bytes {};
    if (Status read = readRecord(book.fs(), book.creditNotes, number, bytes); !read)
        return read.error();
    return decodeCreditNote(bytes);
}

Result<std::vector<std::uint8_t>> readCreditNoteRecords(const BookPaths& book, int count)
{
    return readLeadingRecords(book.fs(), book.creditNotes, CreditNoteRecordSize, count);
}

Status writeCreditNotes(const BookPaths& book, int first, std::span<const CreditNoteMark> marks, WriteStep step)
{
    std::vector<std::uint8_t> bytes(marks.size() * CreditNoteRecordSize);
    for (std::size_t i = 0; i < marks.size(); ++i)
        encodeCreditNote(marks[i],
                         std::span<std::uint8_t, CreditNoteRecordSize>(bytes.data() + i * CreditNoteRecordSize,
                                                                       CreditNoteRecordSize));
    return writeRecords(book.fs(), book.creditNotes, CreditNoteRecordSize, first, bytes, step);
}

std::string referredDate(const CreditNoteMark& mark)
{
    return datePart(mark.refDay) + "/" + datePart(mark.refMonth) + "/" + mark.refYear;
}

} // namespace tessaro::archive
