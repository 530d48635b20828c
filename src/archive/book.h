// An invoice book: the three files of one issuer and one year. Invoice n is
// record n of the .arc (696 bytes) and of the .agg (343 bytes); the .imp
// holds the next free number N as a little-endian 16-bit integer.
#pragma once

#include "archive/app_state.h"
#include "archive/data_dir.h"
#include "archive/io_result.h"
#include "archive/record_file.h"
#include "archive/records.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tessaro::archive {

// Data directory joined with a file name of the data directory ("impost",
// "emit", "12024.arc") by the platform's separator.
std::string dataFile(const DataDir& dir, std::string_view name);

struct BookPaths {
    DataDir dir; // where the book lies, and the file system it is reached through
    std::string invoices; // .arc
    std::string extraLines; // .agg
    std::string counter; // .imp
    std::string creditNotes; // .ndc, only where a credit note was saved (see credit_notes.h)
    std::string payments; // .inc, only where terms or payments were saved (see payments.h)
    std::string einvoices; // .sdi, only where an electronic invoice was exported (see sdi_history.h)
    // A book of fee notices only: .avf, the invoice each notice became (see notices.h).
    std::string invoiced;
    Document document = Document::Invoices;

    FileSystem& fs() const { return dir.fs(); }
    bool ofNotices() const { return document == Document::Notices; }
};

// Issuer 1, year "2008" -> <dir>/12008.arc, .agg, .imp, .ndc, .inc, .sdi. The year text is used unchanged.
// The book of fee notices of the same issuer and year has files of its own
// that the earlier program never reads: 12008.avv, .avr, .avn (records laid
// out as .arc, .agg, .imp), .avp (as .inc) and .avf. It has no credit notes and no
// electronic invoices, and an invoice book no .avf: those paths are empty.
BookPaths bookPaths(const DataDir& dir, int issuer, const std::string& yearText,
                    Document document = Document::Invoices);

// The files of a book that the earlier program does not know, one record per
// invoice number: they exist only once something was written to them, and
// from then on move, and go, with the .arc. A path the book does not have is
// empty, and no file exists under it.
struct SideFile {
    const std::string* path;
    std::size_t recordLength;
};
inline constexpr std::size_t SideFileCount = 4;
std::array<SideFile, SideFileCount> sideFiles(const BookPaths& book);

// Reads past the end give a blank record (empty texts, rate 0), not an error.
Result<InvoiceRecord> readInvoice(const BookPaths& book, int number);
Status writeInvoice(const BookPaths& book, int number, const InvoiceRecord& invoice, WriteStep step = WriteStep::Alone);
Result<ExtraLinesRecord> readExtraLines(const BookPaths& book, int number);
Status writeExtraLines(const BookPaths& book, int number, const ExtraLinesRecord& lines,
                       WriteStep step = WriteStep::Alone);

// 0 when the counter file is missing or empty.
Result<std::int16_t> readCounter(const BookPaths& book);
Status writeCounter(const BookPaths& book, std::int16_t next, WriteStep step = WriteStep::Alone);

// Creates the three files empty where they do not exist yet.
Status createBook(const BookPaths& book);
// The files of a book as deleting it removes them: .arc, .imp and .agg, then
// the side files there are. When `required`, a missing one of the three is
// an error naming the first missing in that order; otherwise it is left out.
Result<std::vector<std::string>> bookFiles(const BookPaths& book, bool required);
// The issuer's books that have a file with the extension: "<issuer><year>.<extension>"
// with a year of four digits, by year.
struct BookOfYear {
    int year = 0;
    BookPaths paths;
};
Result<std::vector<BookOfYear>> issuerBooks(const DataDir& dir, int issuer, std::string_view extension,
                                            Document document = Document::Invoices);
// Every *.arc, then *.imp, then *.agg, then every side file of the data directory.
Result<std::vector<std::string>> allBookFiles(const DataDir& dir);

// The bytes the files of a book held from record `from` on, when the
// caller has them already (the journal of the renumbering keeps them): the
// shift then writes them in place without reading the files again.
struct KnownTails {
    std::span<const std::uint8_t> invoices;
    std::span<const std::uint8_t> extraLines;
    std::array<std::span<const std::uint8_t>, SideFileCount> sideFiles; // in the order of sideFiles()
};

// Moves records n .. last-1 up by one (last = new N) in the .arc, the .agg
// and the side files there are, the highest first.
Status shiftUp(const BookPaths& book, int from, int newLast, const KnownTails& known = {});
// Moves records from+1 .. last down by one in the same files, the lowest first.
Status shiftDown(const BookPaths& book, int from, int last, const KnownTails& known = {});

} // namespace tessaro::archive
