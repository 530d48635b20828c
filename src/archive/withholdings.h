// The withholding suffered in a year, client by client: what the payments of
// the year carried (from the books of every year, divided by the cash-basis
// rule) beside the figures of each client's certificate (Certificazione
// Unica), which the user types and "certificazioni.fe" keeps.
#pragma once

#include "archive/data_dir.h"
#include "archive/io_result.h"
#include "archive/year_receipts.h"

#include <optional>
#include <string>
#include <vector>

namespace tessaro::archive {

// What a client's certificate says of the year.
struct Certificate {
    double gross = 0; // the fees paid before the withholding
    double withholding = 0;
    bool operator==(const Certificate&) const = default;
};

struct StoredCertificate {
    std::string client; // the client's key
    Certificate figures;
};

struct ClientWithholding {
    std::string key; // see clientKey
    std::string client; // the name on the client's latest payment of the year
    std::string taxCode;
    std::string vatNumber;
    double gross = 0; // the fees received before their withholding
    double withholding = 0;
    int invoices = 0; // invoices (not credit notes) with a payment in the year
    std::optional<Certificate> certificate;

    double net() const { return gross - withholding; }
};

struct WithholdingReckoning {
    int year = 0;
    // The clients that withheld, or whose certificate is typed, by name.
    std::vector<ClientWithholding> clients;
    std::vector<UnreadBook> unread;

    double gross() const;
    double withholding() const;
    int invoices() const;
    // The certificates typed, summed.
    Certificate certified() const;
};

// How a client is told from another across invoices and books: its tax code,
// else its VAT number (both in capitals, without blanks), else its name
// folded as the register's search folds it (UTF-8 in, UTF-8 out).
std::string clientKey(std::string_view taxCode, std::string_view vatNumber, std::string_view name);

// The payments of the year gathered by client: a refund on a credit note
// takes its share away. A client is listed when its withholding is not 0 to
// the cent, or when a certificate is typed for it.
WithholdingReckoning withholdingsByClient(const YearReceipts& receipts, const std::vector<StoredCertificate>& typed);

std::string certificateFile(const DataDir& dir); // <dir>/certificazioni.fe

// The certificates typed for the issuer's year; none when there is no file
// (reading never creates it). A record whose amounts are blank holds none.
Result<std::vector<StoredCertificate>> readCertificates(const DataDir& dir, int issuer, int year);
// The record of (issuer, year, client) replaced, or added at the end, as one
// operation of the journal named for the user: on the disk when it returns
// without error, the file as before otherwise. No figures blank the record.
Status storeCertificate(const DataDir& dir, int issuer, int year, const std::string& client,
                        const std::optional<Certificate>& figures, const std::string& operation);

} // namespace tessaro::archive
