// An invoice book: the three files of one issuer and one year. Invoice n is
// record n of the .arc (696 bytes) and of the .agg (343 bytes); the .imp
// holds the next free number N as a little-endian 16-bit integer.
#pragma once

#include "archive/io_result.h"
#include "archive/records.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace tessaro::archive {

// Data directory joined with a file name of the data directory ("impost",
// "emit", "12024.arc") by the platform's separator.
std::string dataFile(const std::string& dataDir, std::string_view name);

struct BookPaths {
    std::string invoices;   // .arc
    std::string extraLines; // .agg
    std::string counter;    // .imp
};

// Issuer 1, year "2008" -> <dir>/12008.arc, .agg, .imp. The year text is used unchanged.
BookPaths bookPaths(const std::string& dataDir, int issuer, const std::string& yearText);

// Reads past the end give a blank record (empty texts, rate 0), not an error.
Result<InvoiceRecord> readInvoice(const BookPaths& book, int number);
Status writeInvoice(const BookPaths& book, int number, const InvoiceRecord& invoice);
Result<ExtraLinesRecord> readExtraLines(const BookPaths& book, int number);
Status writeExtraLines(const BookPaths& book, int number, const ExtraLinesRecord& lines);

// 0 when the counter file is missing or empty.
Result<std::int16_t> readCounter(const BookPaths& book);
Status writeCounter(const BookPaths& book, std::int16_t next);

// Creates the three files empty where they do not exist yet.
Status createBook(const BookPaths& book);
// Removes .arc, .imp, .agg in this order; a missing file stops it with an error.
Status deleteBook(const BookPaths& book);
// Removes every *.arc, then *.imp, then *.agg of the data directory. A pattern
// that matches nothing is not an error; a file that cannot be removed is.
Status deleteAllBooks(const std::string& dataDir);

// Moves records n .. last-1 up by one (last = new N) in both files, the highest first.
Status shiftUp(const BookPaths& book, int from, int newLast);
// Moves records from+1 .. last down by one in both files, the lowest first.
Status shiftDown(const BookPaths& book, int from, int last);

} // namespace tessaro::archive
