#include "archive/register.h"

#include "archive/codepage.h"
#include "archive/credit_notes.h"
#include "archive/fields.h"
#include "archive/lifecycle.h"
#include "archive/record_file.h"
#include "archive/records.h"
#include "archive/stored_figures.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace tessaro::archive {

namespace {

// Between the fields of a row's search text: folding turns every control
// byte into a blank, so neither a field nor a query can hold it and no word
// is found across two fields.
constexpr char FieldBreak = '\x01';

struct FoldTable {
    std::array<char, 256> to {};

    constexpr FoldTable()
    {
        for (int byte = 0; byte < 256; ++byte)
            to[static_cast<std::size_t>(byte)] = static_cast<char>(byte);
        for (int byte = 'A'; byte <= 'Z'; ++byte)
            set(byte, static_cast<char>(byte - 'A' + 'a'));
        for (int byte = 0; byte < 0x20; ++byte)
            set(byte, ' ');
        set(0x7F, ' ');
        set(0xA0, ' ');
        set(0x91, '\''); // the typographic apostrophes read as the plain one
        set(0x92, '\'');
        const auto range = [this](int first, int last, char letter) {
            for (int byte = first; byte <= last; ++byte)
                set(byte, letter);
        };
        range(0xC0, 0xC5, 'a');
        range(0xE0, 0xE5, 'a');
        range(0xC8, 0xCB, 'e');
        range(0xE8, 0xEB, 'e');
        range(0xCC, 0xCF, 'i');
        range(0xEC, 0xEF, 'i');
        range(0xD2, 0xD6, 'o');
        range(0xF2, 0xF6, 'o');
        range(0xD9, 0xDC, 'u');
        range(0xF9, 0xFC, 'u');
        set(0xC7, 'c');
        set(0xE7, 'c');
        set(0xD1, 'n');
        set(0xF1, 'n');
        set(0xD8, 'o');
        set(0xF8, 'o');
        set(0xDD, 'y');
        set(0xFD, 'y');
        set(0xFF, 'y');
        set(0x9F, 'y');
        set(0x8A, 's');
        set(0x9A, 's');
        set(0x8E, 'z');
        set(0x9E, 'z');
        set(0xC6, static_cast<char>(0xE6));
        set(0x8C, static_cast<char>(0x9C));
        set(0xD0, static_cast<char>(0xF0));
        set(0xDE, static_cast<char>(0xFE));
    }

private:
    constexpr void set(int byte, char folded) { to[static_cast<std::size_t>(byte)] = folded; }
};

constexpr FoldTable Fold;

std::string_view bytesOf(std::span<const std::uint8_t> record, FieldSpec field)
{
    return {reinterpret_cast<const char*>(record.data()) + field.offset, field.width};
}

// A stored text without the blanks around it; the zero bytes of a record
// never written count as blanks too.
std::string_view trimmedField(std::span<const std::uint8_t> record, FieldSpec field)
{
    std::string_view text = bytesOf(record, field);
    const auto blank = [](char c) { return c == ' ' || c == '\0'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

void appendFolded(std::string& out, std::string_view windows1252)
{
    for (const char c : windows1252)
        out += Fold.to[static_cast<unsigned char>(c)];
}

// A text for the screen: damaged bytes below the blank would be invisible
// or break a line, so they show as blanks.
std::string shownText(std::string_view windows1252)
{
    std::string plain(windows1252);
    for (char& c : plain) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            c = ' ';
    }
    return fromWindows1252(plain);
}

std::uint8_t dateNumber(std::span<const std::uint8_t> record, InvoiceField field, int highest)
{
    const double value = figureAt(record, fieldOf(field));
    if (!(value >= 1 && value <= highest) || value != std::floor(value))
        return 0;
    return static_cast<std::uint8_t>(value);
}

RegisterRow rowOf(int number, std::span<const std::uint8_t> record, std::span<const std::uint8_t> lines,
                  calc::InvoiceType type, calc::InvoiceTerms terms, bool& extraLinesCount)
{
    RegisterRow row;
    row.number = number;
    row.rate = rateAt(record);
    row.day = dateNumber(record, InvoiceField::Day, 31);
    row.month = dateNumber(record, InvoiceField::Month, 12);

    const char flag = storedCurrencyFlag(record);
    const calc::InvoiceAmounts amounts
        = calc::invoiceAmounts(storedFigures(record, lines, type), type, flag, calc::QuantityRule::YearlyTotals, terms);
    extraLinesCount = amounts.extraLinesCount;
    const RegisterFigures stored {amounts.taxable, amounts.vat, amounts.withholding,
                                  amounts.expenses + amounts.expenses2, amounts.toPay};
    const auto euro = [&](double amount) { return calc::inEuro(amount, flag, row.rate); };
    if (!euro(stored.taxable)) {
        row.currency = flag == calc::LireFlag ? RegisterCurrency::LireWithoutRate : RegisterCurrency::Unknown;
        row.figures = stored;
        return row;
    }
    row.currency = flag == calc::EuroFlag ? RegisterCurrency::Euro : RegisterCurrency::FromLire;
    row.figures = {*euro(stored.taxable), *euro(stored.vat), *euro(stored.withholding), *euro(stored.expenses),
                   *euro(stored.toPay)};
    return row;
}

void markCreditNote(RegisterRow& row, std::span<const std::uint8_t, CreditNoteRecordSize> record)
{
    const CreditNoteMark mark = decodeCreditNote(record);
    if (!mark.isCreditNote)
        return;
    row.creditNote = true;
    row.cancelledInvoice = invoiceNumber(mark.refNumber);
    for (double* figure :
         {&row.figures.taxable, &row.figures.vat, &row.figures.withholding, &row.figures.expenses, &row.figures.toPay})
        *figure = -*figure;
}

void add(RegisterFigures& sum, const RegisterFigures& figures)
{
    sum.taxable += figures.taxable;
    sum.vat += figures.vat;
    sum.withholding += figures.withholding;
    sum.expenses += figures.expenses;
    sum.toPay += figures.toPay;
}

bool allDigits(std::string_view word)
{
    return !word.empty() && std::all_of(word.begin(), word.end(), [](char c) { return c >= '0' && c <= '9'; });
}

} // namespace

std::string foldForSearch(std::string_view windows1252)
{
    std::string folded;
    folded.reserve(windows1252.size());
    appendFolded(folded, windows1252);
    return folded;
}

Result<BookRegister> BookRegister::read(const BookPaths& book, calc::InvoiceType type, int nextNumber,
                                        calc::InvoiceTerms terms)
{
    BookRegister reg;
    reg.m_type = type;
    const int count = std::clamp(nextNumber - 1, 0, MaxInvoiceNumber);
    const auto records = static_cast<std::size_t>(count);
    // A book without its invoice file has no invoices; reading it must not create one.
    if (!book.fs().exists(book.invoices)) {
        reg.m_searchStart.push_back(0);
        return reg;
    }
    auto invoices = RecordFile::open(book.fs(), book.invoices, InvoiceRecordSize);
    if (!invoices)
        return invoices.error();
    reg.m_invoices.resize(records * InvoiceRecordSize);
    if (count > 0) {
        if (Status read = invoices.value().readBlock(1, reg.m_invoices); !read)
            return read.error();
    }
    // The .agg only matters where lines 4 to 10 can count.
    std::vector<std::uint8_t> extraLines;
    if (type == calc::InvoiceType::Commercial) {
        extraLines.resize(records * ExtraLinesRecordSize);
        if (count > 0 && book.fs().exists(book.extraLines)) {
            auto file = RecordFile::open(book.fs(), book.extraLines, ExtraLinesRecordSize);
            if (!file)
                return file.error();
            if (Status read = file.value().readBlock(1, extraLines); !read)
                return read.error();
        }
    }

    auto creditNotes = readCreditNoteRecords(book, count);
    if (!creditNotes)
        return creditNotes.error();

    reg.m_rows.reserve(records);
    reg.m_searchStart.reserve(records + 1);
    reg.m_clientLength.reserve(records);
    for (std::size_t i = 0; i < records; ++i) {
        const auto record
            = std::span<const std::uint8_t>(reg.m_invoices).subspan(i * InvoiceRecordSize, InvoiceRecordSize);
        std::span<const std::uint8_t> lines;
        if (!extraLines.empty())
            lines = std::span<const std::uint8_t>(extraLines).subspan(i * ExtraLinesRecordSize, ExtraLinesRecordSize);
        bool extraLinesCount = false;
        reg.m_rows.push_back(rowOf(static_cast<int>(i) + 1, record, lines, type, terms, extraLinesCount));
        markCreditNote(reg.m_rows.back(),
                       std::span<const std::uint8_t, CreditNoteRecordSize>(
                           creditNotes.value().data() + i * CreditNoteRecordSize, CreditNoteRecordSize));

        reg.m_searchStart.push_back(static_cast<std::uint32_t>(reg.m_search.size()));
        appendFolded(reg.m_search, trimmedField(record, fieldOf(PartyField::Surname)));
        const std::string_view firstName = trimmedField(record, fieldOf(PartyField::FirstName));
        if (!firstName.empty()) {
            reg.m_search += ' ';
            appendFolded(reg.m_search, firstName);
        }
        reg.m_clientLength.push_back(static_cast<std::uint16_t>(reg.m_search.size() - reg.m_searchStart.back()));
        for (std::size_t line = 1; line <= calc::MainLineCount; ++line) {
            reg.m_search += FieldBreak;
            appendFolded(reg.m_search, trimmedField(record, descriptionField(line)));
        }
        if (extraLinesCount && !lines.empty()) {
            for (std::size_t line = 4; line <= 10; ++line) {
                reg.m_search += FieldBreak;
                appendFolded(reg.m_search, trimmedField(lines, extraDescriptionField(line)));
            }
        }
    }
    reg.m_searchStart.push_back(static_cast<std::uint32_t>(reg.m_search.size()));
    return reg;
}

std::span<const std::uint8_t> BookRegister::invoiceBytes(int index) const
{
    return std::span<const std::uint8_t>(m_invoices)
        .subspan(static_cast<std::size_t>(index) * InvoiceRecordSize, InvoiceRecordSize);
}

std::string BookRegister::clientText(int index) const
{
    const auto record = invoiceBytes(index);
    std::string text = shownText(trimmedField(record, fieldOf(PartyField::Surname)));
    const std::string_view firstName = trimmedField(record, fieldOf(PartyField::FirstName));
    if (!firstName.empty())
        text += (text.empty() ? "" : " ") + shownText(firstName);
    return text;
}

std::string BookRegister::dayText(int index) const
{
    return shownText(trimmedField(invoiceBytes(index), fieldOf(InvoiceField::Day)));
}

std::string BookRegister::monthText(int index) const
{
    return shownText(trimmedField(invoiceBytes(index), fieldOf(InvoiceField::Month)));
}

char BookRegister::kind(int index) const
{
    return flagAt(invoiceBytes(index), fieldOf(InvoiceField::Kind));
}

RegisterFigures BookRegister::totals() const
{
    RegisterFigures sum;
    for (const RegisterRow& row : m_rows) {
        if (row.counted())
            add(sum, row.figures);
    }
    return sum;
}

RegisterFigures BookRegister::totalsOf(std::span<const char> selected) const
{
    RegisterFigures sum;
    const std::size_t rows = std::min(selected.size(), m_rows.size());
    for (std::size_t i = 0; i < rows; ++i) {
        if (selected[i] && m_rows[i].counted())
            add(sum, m_rows[i].figures);
    }
    return sum;
}

std::array<double, 12> BookRegister::monthlyTaxable() const
{
    std::array<double, 12> months {};
    for (const RegisterRow& row : m_rows) {
        if (row.counted() && row.month >= 1)
            months[row.month - 1u] += row.figures.taxable;
    }
    return months;
}

int BookRegister::uncountedRows() const
{
    return static_cast<int>(
        std::count_if(m_rows.begin(), m_rows.end(), [](const RegisterRow& r) { return !r.counted(); }));
}

std::string_view BookRegister::searchText(int index) const
{
    const auto i = static_cast<std::size_t>(index);
    return std::string_view(m_search).substr(m_searchStart[i], m_searchStart[i + 1] - m_searchStart[i]);
}

std::vector<char> BookRegister::matching(std::string_view queryUtf8) const
{
    const std::string folded = foldForSearch(toWindows1252(queryUtf8));
    std::vector<std::string_view> words;
    std::vector<int> numbers; // per word: the number it names, or -1
    for (std::size_t at = 0; at < folded.size();) {
        const std::size_t start = folded.find_first_not_of(' ', at);
        if (start == std::string::npos)
            break;
        const std::size_t end = std::min(folded.find(' ', start), folded.size());
        const std::string_view word = std::string_view(folded).substr(start, end - start);
        words.push_back(word);
        numbers.push_back(allDigits(word) && word.size() <= 5 ? std::stoi(std::string(word)) : -1);
        at = end;
    }
    std::vector<char> matches(m_rows.size(), 1);
    if (words.empty())
        return matches;
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        const std::string_view text = searchText(static_cast<int>(i));
        for (std::size_t w = 0; w < words.size(); ++w) {
            if (numbers[w] == m_rows[i].number || text.find(words[w]) != std::string_view::npos)
                continue;
            matches[i] = 0;
            break;
        }
    }
    return matches;
}

int BookRegister::compareClients(int a, int b) const
{
    const auto client
        = [this](int index) { return searchText(index).substr(0, m_clientLength[static_cast<std::size_t>(index)]); };
    return client(a).compare(client(b));
}

} // namespace tessaro::archive
