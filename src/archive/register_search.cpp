// The register's search: every row's client and descriptions folded once
// when the book is read, so each keystroke only compares bytes.
#include "archive/register.h"

#include "archive/codepage.h"
#include "archive/register_fields.h"
#include "calc/text.h"

#include <algorithm>

namespace tessaro::archive {

namespace {

// Between the fields of a row's search text: folding turns every control
// byte into a blank, so neither a field nor a query can hold it and no word
// is found across two fields.
constexpr char FieldBreak = '\x01';

} // namespace

void BookRegister::indexRow(std::span<const std::uint8_t> record, std::span<const std::uint8_t> extraLines)
{
    m_searchStart.push_back(static_cast<std::uint32_t>(m_search.size()));
    appendFoldedForSearch(m_search, storedText(record, fieldOf(PartyField::Surname)));
    const std::string_view firstName = storedText(record, fieldOf(PartyField::FirstName));
    if (!firstName.empty()) {
        m_search += ' ';
        appendFoldedForSearch(m_search, firstName);
    }
    m_clientLength.push_back(static_cast<std::uint16_t>(m_search.size() - m_searchStart.back()));
    for (std::size_t line = 1; line <= calc::MainLineCount; ++line) {
        m_search += FieldBreak;
        appendFoldedForSearch(m_search, storedText(record, descriptionField(line)));
    }
    if (!extraLines.empty()) {
        for (std::size_t line = 4; line <= 10; ++line) {
            m_search += FieldBreak;
            appendFoldedForSearch(m_search, storedText(extraLines, extraDescriptionField(line)));
        }
    }
}

std::string_view BookRegister::searchText(int index) const
{
    const auto i = static_cast<std::size_t>(index);
    return std::string_view(m_search).substr(m_searchStart[i], m_searchStart[i + 1] - m_searchStart[i]);
}

std::vector<char> BookRegister::matching(std::string_view queryUtf8) const
{
    const std::vector<SearchWord> words = searchWords(queryUtf8);
    std::vector<char> matches(m_rows.size(), 1);
    if (words.empty())
        return matches;
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        const std::string_view text = searchText(static_cast<int>(i));
        for (std::size_t w = 0; w < words.size(); ++w) {
            if (words[w].number == m_rows[i].number || text.find(words[w].text) != std::string_view::npos)
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
