// The data folder the benchmark works on: one issuer, a client archive, a
// book filled to the highest number the counter allows and a book of the
// size a busy year prints; every other invoice of the full book with terms
// and payments, some overdue. Written straight through the archive layer.
#pragma once

#include "archive/book.h"

#include <string>

namespace tessaro::bench {

inline constexpr int FullBookYear = 2024;
inline constexpr int PrintBookYear = 2023;
inline constexpr int PrintBookInvoices = 1000;
inline constexpr int ClientCount = 200;

// A unique folder under the temporary directory, removed with everything in it.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& path() const { return m_path; }

private:
    std::string m_path;
};

// Settings, issuer 1, the clients and both books. False when a file could not be written.
bool writeDataFolder(const std::string& dir);

// Writes invoices 1..count of a book and its counter (count + 1).
bool writeBook(const archive::BookPaths& book, int count);

// "Incassi dell'anno" reads every book of an issuer: issuer 2 gets ten
// copies of the full book, one for each year from 2015 to 2024, every
// payment of them dated in FullBookYear. Issuer 1's books stay as they are.
inline constexpr int ReceiptsIssuer = 2;
inline constexpr int ReceiptsFirstYear = 2015;
bool writeReceiptsBooks(const std::string& dir);

archive::BookPaths fullBook(const std::string& dir);
archive::BookPaths printBook(const std::string& dir);

} // namespace tessaro::bench
