#include "archive/withholdings.h"

#include "archive/book.h"
#include "archive/codepage.h"
#include "archive/fields.h"
#include "archive/journal.h"
#include "archive/payments.h"
#include "archive/record_file.h"
#include "calc/payments.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <limits>
#include <map>
#include <set>
#include <utility>

namespace tessaro::archive {

namespace {

using CertificateBytes = std::array<std::uint8_t, CertificateRecordSize>;

std::string capitalsWithoutBlanks(std::string_view text)
{
    std::string out;
    for (const char c : text) {
        if (c == ' ' || c == '\t')
            continue;
        out += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    }
    return out;
}

int numberAt(std::span<const std::uint8_t> record, FieldSpec field)
{
    const std::string text = fieldText(record, field);
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() ? value : -1;
}

std::optional<double> amountAt(std::span<const std::uint8_t> record, FieldSpec field)
{
    if (fieldText(record, field).empty())
        return std::nullopt;
    return figureAt(record, field);
}

struct Decoded {
    int issuer = 0;
    int year = 0;
    std::string client;
    std::optional<Certificate> figures;
};

Decoded decode(std::span<const std::uint8_t> record)
{
    Decoded decoded;
    decoded.issuer = numberAt(record, fieldOf(CertificateField::Issuer));
    decoded.year = numberAt(record, fieldOf(CertificateField::Year));
    decoded.client = fieldText(record, fieldOf(CertificateField::Client));
    const auto gross = amountAt(record, fieldOf(CertificateField::Gross));
    const auto withholding = amountAt(record, fieldOf(CertificateField::Withholding));
    // A record holds a certificate only whole: one figure alone was never written.
    if (gross && withholding)
        decoded.figures = Certificate {*gross, *withholding};
    return decoded;
}

CertificateBytes encode(int issuer, int year, const std::string& client, const std::optional<Certificate>& figures)
{
    CertificateBytes bytes;
    bytes.fill(' ');
    writeFixedText(fieldBytes(std::span(bytes), fieldOf(CertificateField::Issuer)), std::to_string(issuer));
    writeFixedText(fieldBytes(std::span(bytes), fieldOf(CertificateField::Year)), std::to_string(year));
    writeFixedText(fieldBytes(std::span(bytes), fieldOf(CertificateField::Client)), client);
    if (figures) {
        writeFixedText(fieldBytes(std::span(bytes), fieldOf(CertificateField::Gross)), storedAmount(figures->gross));
        writeFixedText(fieldBytes(std::span(bytes), fieldOf(CertificateField::Withholding)),
                       storedAmount(figures->withholding));
    }
    return bytes;
}

// Every whole record of the file, in order; none when there is no file.
Result<std::vector<Decoded>> readAll(const DataDir& dir)
{
    const std::string path = certificateFile(dir);
    std::vector<Decoded> records;
    if (!dir.fs().exists(path))
        return records;
    auto file = RecordFile::open(dir.fs(), path, CertificateRecordSize);
    if (!file)
        return file.error();
    const auto size = file.value().byteSize();
    if (!size)
        return size.error();
    // A record cut short was never written whole.
    const auto count = static_cast<int>(
        std::min<std::uint64_t>(size.value() / CertificateRecordSize, std::numeric_limits<std::int16_t>::max()));
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(count) * CertificateRecordSize);
    if (Status read = file.value().readBlock(1, bytes); !read)
        return read.error();
    for (int i = 0; i < count; ++i)
        records.push_back(decode(std::span<const std::uint8_t>(bytes).subspan(
            static_cast<std::size_t>(i) * CertificateRecordSize, CertificateRecordSize)));
    return records;
}

// The key as the file holds it: cut to its field, so that a long name still
// finds its own record.
std::string storedKey(const std::string& client)
{
    CertificateBytes bytes;
    bytes.fill(' ');
    writeFixedText(fieldBytes(std::span(bytes), fieldOf(CertificateField::Client)), client);
    return fieldText(bytes, fieldOf(CertificateField::Client));
}

} // namespace

std::string clientKey(std::string_view taxCode, std::string_view vatNumber, std::string_view name)
{
    if (std::string code = capitalsWithoutBlanks(taxCode); !code.empty())
        return code;
    if (std::string vat = capitalsWithoutBlanks(vatNumber); !vat.empty())
        return vat;
    const std::string folded = fromWindows1252(foldForSearch(toWindows1252(name)));
    // Blanks count once, wherever they are: "Rossi  Mario" is "Rossi Mario".
    std::string key;
    for (const char c : folded) {
        const bool blank = c == ' ' || c == '\t';
        if (blank && (key.empty() || key.back() == ' '))
            continue;
        key += blank ? ' ' : c;
    }
    if (!key.empty() && key.back() == ' ')
        key.pop_back();
    return key;
}

namespace {

// One figure of every client, summed in the clients' order.
template <typename Figure>
Figure sumOf(const std::vector<ClientWithholding>& clients, Figure ClientWithholding::*figure)
{
    Figure sum {};
    for (const ClientWithholding& client : clients)
        sum += client.*figure;
    return sum;
}

} // namespace

double WithholdingReckoning::gross() const
{
    return sumOf(clients, &ClientWithholding::gross);
}

double WithholdingReckoning::withholding() const
{
    return sumOf(clients, &ClientWithholding::withholding);
}

int WithholdingReckoning::invoices() const
{
    return sumOf(clients, &ClientWithholding::invoices);
}

Certificate WithholdingReckoning::certified() const
{
    Certificate sum;
    for (const ClientWithholding& client : clients) {
        if (client.certificate) {
            sum.gross += client.certificate->gross;
            sum.withholding += client.certificate->withholding;
        }
    }
    return sum;
}

WithholdingReckoning withholdingsByClient(const YearReceipts& receipts, const std::vector<StoredCertificate>& typed)
{
    std::map<std::string, ClientWithholding> byKey;
    std::map<std::string, std::set<std::pair<int, int>>> invoicesOf;
    // The rows come by date, so the last name met is the latest one used.
    for (const YearReceipt& row : receipts.rows) {
        const std::string key = storedKey(clientKey(row.taxCode, row.vatNumber, row.client));
        ClientWithholding& client = byKey[key];
        client.key = key;
        client.client = row.client;
        if (!row.taxCode.empty())
            client.taxCode = row.taxCode;
        if (!row.vatNumber.empty())
            client.vatNumber = row.vatNumber;
        client.gross += row.parts.grossFees();
        client.withholding += row.parts.withholding;
        if (!row.creditNote)
            invoicesOf[key].insert({row.invoiceYear, row.invoiceNumber});
    }
    for (auto& [key, client] : byKey)
        client.invoices = static_cast<int>(invoicesOf[key].size());
    std::erase_if(byKey, [](const auto& entry) { return calc::cents(entry.second.withholding) == 0; });
    for (const StoredCertificate& certificate : typed) {
        ClientWithholding& client = byKey[certificate.client];
        if (client.key.empty()) {
            // Typed for a client that withheld nothing this year: shown by its key.
            client.key = certificate.client;
            client.client = certificate.client;
        }
        client.certificate = certificate.figures;
    }

    WithholdingReckoning reckoning;
    reckoning.year = receipts.year;
    reckoning.unread = receipts.unread;
    for (auto& entry : byKey)
        reckoning.clients.push_back(std::move(entry.second));
    std::stable_sort(reckoning.clients.begin(), reckoning.clients.end(),
                     [](const ClientWithholding& a, const ClientWithholding& b) {
                         return clientKey("", "", a.client) < clientKey("", "", b.client);
                     });
    return reckoning;
}

std::string certificateFile(const DataDir& dir)
{
    return dataFile(dir, "certificazioni.fe");
}

Result<std::vector<StoredCertificate>> readCertificates(const DataDir& dir, int issuer, int year)
{
    auto records = readAll(dir);
    if (!records)
        return records.error();
    std::vector<StoredCertificate> found;
    for (Decoded& record : records.value()) {
        if (record.issuer == issuer && record.year == year && record.figures)
            found.push_back({std::move(record.client), *record.figures});
    }
    return found;
}

Status storeCertificate(const DataDir& dir, int issuer, int year, const std::string& client,
                        const std::optional<Certificate>& figures, const std::string& operation)
{
    auto records = readAll(dir);
    if (!records)
        return records.error();
    const std::string key = storedKey(client);
    const auto& all = records.value();
    const auto at = std::find_if(all.begin(), all.end(), [&](const Decoded& record) {
        return record.issuer == issuer && record.year == year && record.client == key;
    });
    const std::string path = certificateFile(dir);
    if (at == all.end() && (!figures || all.size() >= std::size_t(std::numeric_limits<std::int16_t>::max())))
        return figures ? Status(IoError {IoError::Action::Write, path}) : Status();
    const int number = static_cast<int>(at - all.begin()) + 1;
    const CertificateBytes bytes = encode(issuer, year, key, figures);

    Journal journal(dir, operation);
    if (Status kept = journal.keepRecords(path, CertificateRecordSize, number, 1); !kept)
        return kept;
    if (Status begun = journal.begin(); !begun)
        return begun;
    if (Status written = writeRecord(dir.fs(), path, number, bytes, WriteStep::InOperation); !written)
        return written;
    return journal.commit();
}

} // namespace tessaro::archive
