#include "bench/fixture.h"

#include "archive/issuers.h"
#include "archive/lifecycle.h"
#include "archive/payments.h"
#include "archive/record_file.h"
#include "archive/records.h"
#include "archive/settings.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <vector>

namespace tessaro::bench {

namespace {

archive::PartyRecord party(int n)
{
    archive::PartyRecord p;
    p.title = n % 3 == 0 ? "Sig.ra" : "Sig.";
    p.surname = "Rossi " + std::to_string(n);
    p.firstName = "Mario";
    p.address = "Via Garibaldi " + std::to_string(n % 200 + 1);
    p.city = "Città di Castello";
    p.province = "PG";
    p.postCode = "06012";
    p.taxCode = "RSSMRA70A01C745X";
    p.vatNumber = std::to_string(10000000000LL + n);
    return p;
}

// Every tenth invoice is in lire with its own rate; the others in euro. All
// fill the three lines, and every other one has extra lines too.
archive::InvoiceRecord invoice(int n)
{
    archive::InvoiceRecord r;
    r.client = party(n % ClientCount + 1);
    r.day = std::to_string(n % 28 + 1);
    r.month = std::to_string(n % 12 + 1);
    r.vat = "22";
    r.kind = n % 5 == 0 ? "a" : "s";
    r.description = {"Progettazione esecutiva dell'impianto e direzione lavori, lotto " + std::to_string(n),
                     "Sopralluoghi e rilievi in cantiere", "Pratiche catastali"};
    r.amount = {std::to_string(100 + n % 900) + ".50", "250", std::to_string(n % 70 + 10)};
    r.quantity = {"1", "2", std::to_string(n % 4)};
    r.pension = "4";
    r.expenses = "12.30";
    r.withholding = "20";
    r.currency = n % 10 == 0 ? "l" : "e";
    r.rate = n % 10 == 0 ? 1936.27f : 0.0f;
    r.expenses2 = n % 7 == 0 ? "2" : "";
    if (r.currency == "l")
        r.amount = {std::to_string(150000 + n), "250000", "12000"};
    return r;
}

archive::ExtraLinesRecord extraLines(int n)
{
    archive::ExtraLinesRecord lines;
    if (n % 2 != 0)
        return lines;
    for (int k = 0; k < static_cast<int>(archive::ExtraLineCount); ++k) {
        lines.description[static_cast<std::size_t>(k)] = "Voce aggiuntiva " + std::to_string(k + 4);
        lines.amount[static_cast<std::size_t>(k)] = std::to_string(5 + k) + ".25";
        lines.quantity[static_cast<std::size_t>(k)] = std::to_string(k % 3 + 1);
    }
    return lines;
}

// Every other invoice has terms and payments: a part paid and not yet due,
// a part paid and overdue (due before the year of the book), or paid in full.
archive::InvoicePayments payments(int n)
{
    archive::InvoicePayments p;
    if (n % 2 == 0)
        return p;
    p.method = "MP05";
    const calc::Date paidOn {FullBookYear, n % 12 + 1, 28};
    switch (n % 6) {
    case 1:
        p.term = "60";
        p.payments.push_back({paidOn, "100.00", "MP05", "Acconto", ""});
        break;
    case 3:
        p.term = "DATA";
        p.typedDue = std::to_string(FullBookYear - 1) + "1130";
        p.payments.push_back({paidOn, "50.00", "MP01", "", ""});
        break;
    default:
        p.term = "30";
        p.payments.push_back({paidOn, "1000.00", "MP05", "", ""});
        p.payments.push_back({paidOn, "99000.00", "MP05", "Saldo", ""});
        break;
    }
    return p;
}

bool writeWhole(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    auto file = archive::RecordFile::open(archive::realFileSystem(), path, 1);
    return file && file.value().truncate(0) && file.value().writeBlock(1, bytes);
}

} // namespace

TempDir::TempDir()
{
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/tessaro-bench-XXXXXX";
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a temporary folder under " + pattern);
    m_path = pattern;
}

TempDir::~TempDir()
{
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

bool writeBook(const archive::BookPaths& book, int count)
{
    std::vector<std::uint8_t> invoices(static_cast<std::size_t>(count) * archive::InvoiceRecordSize);
    std::vector<std::uint8_t> lines(static_cast<std::size_t>(count) * archive::ExtraLinesRecordSize);
    for (int n = 1; n <= count; ++n) {
        const auto i = static_cast<std::size_t>(n - 1);
        archive::encodeInvoice(invoice(n),
                               std::span<std::uint8_t, archive::InvoiceRecordSize>(
                                   invoices.data() + i * archive::InvoiceRecordSize, archive::InvoiceRecordSize));
        archive::encodeExtraLines(extraLines(n),
                                  std::span<std::uint8_t, archive::ExtraLinesRecordSize>(
                                      lines.data() + i * archive::ExtraLinesRecordSize, archive::ExtraLinesRecordSize));
    }
    return writeWhole(book.invoices, invoices) && writeWhole(book.extraLines, lines)
        && archive::writeCounter(book, static_cast<std::int16_t>(count + 1)).ok();
}

archive::BookPaths fullBook(const std::string& path)
{
    return archive::bookPaths(archive::DataDir(path), 1, std::to_string(FullBookYear));
}

archive::BookPaths printBook(const std::string& path)
{
    return archive::bookPaths(archive::DataDir(path), 1, std::to_string(PrintBookYear));
}

bool writeReceiptsBooks(const std::string& path)
{
    const archive::BookPaths full = fullBook(path);
    std::error_code error;
    for (int year = ReceiptsFirstYear; year <= FullBookYear; ++year) {
        const archive::BookPaths copy
            = archive::bookPaths(archive::DataDir(path), ReceiptsIssuer, std::to_string(year));
        for (const auto& [from, to] : {std::pair {full.invoices, copy.invoices},
                                       {full.extraLines, copy.extraLines},
                                       {full.counter, copy.counter},
                                       {full.payments, copy.payments}}) {
            if (!std::filesystem::copy_file(from, to, std::filesystem::copy_options::overwrite_existing, error))
                return false;
        }
    }
    return true;
}

bool writeDataFolder(const std::string& path)
{
    const archive::DataDir dir(path);
    bool ok = archive::writeIssuerCount(dir, 1).ok() && archive::writeCurrentIssuer(dir, 1).ok()
        && archive::writeEuroRate(dir, archive::DefaultEuroRate).ok()
        && archive::writeCurrencyFile(dir, archive::Currency::Euro).ok()
        && archive::writeInvoiceTypeFile(dir, archive::InvoiceType::Commercial).ok();
    archive::PartyRecord issuer = party(0);
    issuer.surname = "Bianchi";
    issuer.firstName = "Ing. Laura";
    ok = ok && archive::writeIssuer(dir, 1, issuer).ok();

    std::vector<std::uint8_t> clients(static_cast<std::size_t>(ClientCount) * archive::PartyRecordSize);
    for (int n = 1; n <= ClientCount; ++n)
        archive::encodeParty(
            party(n),
            std::span<std::uint8_t, archive::PartyRecordSize>(
                clients.data() + static_cast<std::size_t>(n - 1) * archive::PartyRecordSize, archive::PartyRecordSize));
    ok = ok && writeWhole(archive::dataFile(dir, "clienti"), clients)
        && archive::writeClientCount(dir, static_cast<std::int16_t>(ClientCount)).ok();
    ok = ok && writeBook(fullBook(path), archive::MaxInvoiceNumber) && writeBook(printBook(path), PrintBookInvoices);
    std::vector<archive::InvoicePayments> received;
    received.reserve(archive::MaxInvoiceNumber);
    for (int n = 1; n <= archive::MaxInvoiceNumber; ++n)
        received.push_back(payments(n));
    return ok && archive::writePayments(fullBook(path), 1, received).ok();
}

} // namespace tessaro::bench
