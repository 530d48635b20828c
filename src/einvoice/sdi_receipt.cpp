#include "einvoice/sdi_receipt.h"

#include <expat.h>

#include <algorithm>
#include <array>
#include <memory>
#include <set>
#include <type_traits>

namespace tessaro::einvoice {

namespace {

// Cannot occur in a namespace name: XML 1.0 forbids the character even as a
// reference, so splitting at it never cuts a URI.
constexpr char NameSeparator = '\x01';

constexpr std::array<std::string_view, 2> ReceiptNamespaces = {
    "http://www.fatturapa.gov.it/sdi/messaggi/v1.0",
    "http://ivaservizi.agenziaentrate.gov.it/docs/xsd/fattura/messaggi/v1.0",
};
constexpr std::string_view SignatureNamespace = "http://www.w3.org/2000/09/xmldsig#";

const std::string NotAReceipt = "non è una ricevuta del Sistema di Interscambio";

struct QualifiedName {
    std::string_view uri; // empty for an element outside any namespace
    std::string_view local;
};

QualifiedName split(const XML_Char* name)
{
    const std::string_view whole(name);
    const auto at = whole.find(NameSeparator);
    if (at == std::string_view::npos)
        return {{}, whole};
    return {whole.substr(0, at), whole.substr(at + 1)};
}

std::string trimmed(std::string_view text)
{
    constexpr std::string_view Blanks = " \t\r\n";
    const auto first = text.find_first_not_of(Blanks);
    if (first == std::string_view::npos)
        return {};
    return std::string(text.substr(first, text.find_last_not_of(Blanks) - first + 1));
}

bool endsWithP7m(std::string_view name)
{
    if (name.size() < 4)
        return false;
    std::string tail(name.substr(name.size() - 4));
    std::transform(tail.begin(), tail.end(), tail.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    return tail == ".p7m";
}

std::optional<ReceiptKind> kindOf(std::string_view root)
{
    if (root == "RicevutaConsegna")
        return ReceiptKind::Delivered;
    if (root == "NotificaMancataConsegna" || root == "RicevutaImpossibilitaRecapito")
        return ReceiptKind::NotDelivered;
    if (root == "NotificaScarto" || root == "RicevutaScarto")
        return ReceiptKind::Rejected;
    return std::nullopt;
}

// The state of one reading, shared with expat's handlers.
class Reader {
public:
    explicit Reader(XML_Parser parser) : m_parser(parser) { }

    void start(const XML_Char* name)
    {
        if (++m_depth > MaxReceiptDepth)
            return refuse("gli elementi sono annidati oltre " + std::to_string(MaxReceiptDepth) + " livelli");
        const QualifiedName qname = split(name);
        m_text.clear();
        if (m_depth == 1)
            return startRoot(qname);
        if (m_signatureDepth != 0)
            return;
        if (qname.uri == SignatureNamespace && qname.local == "Signature") {
            m_signatureDepth = m_depth;
            return;
        }
        if (m_depth <= 4)
            m_path[static_cast<std::size_t>(m_depth - 2)] = std::string(qname.local);
        if (m_depth == 3 && m_path[0] == "ListaErrori" && qname.local == "Errore")
            m_receipt.errors.emplace_back();
    }

    void end()
    {
        if (m_signatureDepth != 0) {
            if (m_depth == m_signatureDepth)
                m_signatureDepth = 0;
        } else if (m_depth >= 2 && m_depth <= 4) {
            keep(trimmed(m_text));
        }
        m_text.clear();
        --m_depth;
    }

    void text(const XML_Char* s, int length)
    {
        if (m_signatureDepth != 0)
            return;
        if (m_text.size() + static_cast<std::size_t>(length) > MaxReceiptTextBytes)
            return refuse("un testo supera i " + std::to_string(MaxReceiptTextBytes) + " byte");
        m_text.append(s, static_cast<std::size_t>(length));
    }

    void refuse(std::string reason)
    {
        if (m_refusal.empty())
            m_refusal = std::move(reason);
        XML_StopParser(m_parser, XML_FALSE);
    }

    const std::string& refusal() const { return m_refusal; }
    bool sawRoot() const { return m_sawRoot; }
    SdiReceipt& receipt() { return m_receipt; }
    std::string received() const { return m_received.empty() ? m_delivered : m_received; }

private:
    void startRoot(QualifiedName root)
    {
        m_sawRoot = true;
        if (std::find(ReceiptNamespaces.begin(), ReceiptNamespaces.end(), root.uri) == ReceiptNamespaces.end())
            return refuse(NotAReceipt);
        m_receipt.element = std::string(root.local);
        m_receipt.kind = kindOf(root.local).value_or(ReceiptKind::Other);
    }

    // Only the root's own children and the parts of each error: the same
    // names recur deeper (RiferimentoArchivio holds another NomeFile).
    void keep(std::string value)
    {
        const std::string& name = m_path[static_cast<std::size_t>(m_depth - 2)];
        if (m_depth == 2) {
            if (name == "IdentificativoSdI")
                once(m_receipt.sdiId, name, name, std::move(value));
            else if (name == "NomeFile")
                once(m_receipt.fileName, name, name, std::move(value));
            else if (name == "DataOraRicezione")
                once(m_received, name, name, std::move(value));
            else if (name == "DataOraConsegna")
                once(m_delivered, name, name, std::move(value));
        } else if (m_depth == 4 && m_path[0] == "ListaErrori" && m_path[1] == "Errore") {
            ReceiptError& error = m_receipt.errors.back();
            const std::string key = std::to_string(m_receipt.errors.size()) + name;
            if (name == "Codice")
                once(error.code, key, name, std::move(value));
            else if (name == "Descrizione")
                once(error.description, key, name, std::move(value));
            else if (name == "Suggerimento")
                once(error.suggestion, key, name, std::move(value));
        }
    }

    // Two values for one field would leave the choice to chance.
    void once(std::string& field, const std::string& key, const std::string& name, std::string value)
    {
        if (!m_filled.insert(key).second)
            return refuse("l'elemento " + name + " compare più di una volta");
        field = std::move(value);
    }

    XML_Parser m_parser;
    SdiReceipt m_receipt;
    std::string m_received;
    std::string m_delivered;
    std::string m_refusal;
    std::string m_text;
    std::array<std::string, 3> m_path; // local names at depths 2 to 4
    std::set<std::string> m_filled; // fields already read, errors' by number
    int m_depth = 0;
    int m_signatureDepth = 0; // depth of the ds:Signature being skipped, 0 outside
    bool m_sawRoot = false;
};

extern "C" {

void XMLCALL onStart(void* data, const XML_Char* name, const XML_Char**)
{
    static_cast<Reader*>(data)->start(name);
}

void XMLCALL onEnd(void* data, const XML_Char*)
{
    static_cast<Reader*>(data)->end();
}

void XMLCALL onText(void* data, const XML_Char* s, int length)
{
    static_cast<Reader*>(data)->text(s, length);
}

// A receipt has no document type. Refusing any at its start leaves no room
// for entities, internal (expansion bombs) or external (local files).
void XMLCALL onDoctype(void* data, const XML_Char*, const XML_Char*, const XML_Char*, int)
{
    static_cast<Reader*>(data)->refuse("contiene una dichiarazione DOCTYPE, che una ricevuta non ha");
}
}

// Newer expat deprecates these for 64-bit forms that older releases (Debian
// 12's) lack; a receipt is far too small for the difference to matter.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
unsigned long long lineOf(XML_Parser parser)
{
    return XML_GetCurrentLineNumber(parser);
}
long long byteIndexOf(XML_Parser parser)
{
    return XML_GetCurrentByteIndex(parser);
}
#pragma GCC diagnostic pop

std::string parseFailure(XML_Parser parser, std::span<const std::uint8_t> bytes)
{
    const auto line = std::to_string(lineOf(parser));
    switch (XML_GetErrorCode(parser)) {
    case XML_ERROR_UNKNOWN_ENCODING:
    case XML_ERROR_INCORRECT_ENCODING:
        return "la codifica dei caratteri dichiarata non è leggibile (riga " + line + ")";
    case XML_ERROR_INVALID_TOKEN: {
        // A byte past ASCII where a token fails is text in another code page
        // (Windows-1252, usually) declared as or taken for UTF-8.
        const auto at = byteIndexOf(parser);
        if (at >= 0 && static_cast<std::size_t>(at) < bytes.size() && bytes[static_cast<std::size_t>(at)] >= 0x80)
            return "il testo non è UTF-8 valido alla riga " + line;
        break;
    }
    default:
        break;
    }
    return "XML non valido alla riga " + line;
}

using ParserHandle = std::unique_ptr<std::remove_pointer_t<XML_Parser>, decltype(&XML_ParserFree)>;

} // namespace

ReceiptReading readReceipt(std::span<const std::uint8_t> bytes)
{
    if (bytes.size() > MaxReceiptBytes)
        return {std::nullopt,
                "il file è troppo grande per essere una ricevuta (oltre " + std::to_string(MaxReceiptBytes / 1024)
                    + " KB)"};
    ParserHandle parser(XML_ParserCreateNS(nullptr, NameSeparator), &XML_ParserFree);
    if (!parser)
        return {std::nullopt, "memoria insufficiente per leggere la ricevuta"};
    Reader reader(parser.get());
    XML_SetUserData(parser.get(), &reader);
    XML_SetElementHandler(parser.get(), onStart, onEnd);
    XML_SetCharacterDataHandler(parser.get(), onText);
    XML_SetStartDoctypeDeclHandler(parser.get(), onDoctype);
    XML_SetParamEntityParsing(parser.get(), XML_PARAM_ENTITY_PARSING_NEVER);

    const auto status = XML_Parse(parser.get(), reinterpret_cast<const char*>(bytes.data()),
                                  static_cast<int>(bytes.size()), XML_TRUE);
    if (!reader.refusal().empty())
        return {std::nullopt, reader.refusal()};
    if (status != XML_STATUS_OK)
        return {std::nullopt, parseFailure(parser.get(), bytes)};
    if (!reader.sawRoot())
        return {std::nullopt, NotAReceipt};

    SdiReceipt receipt = std::move(reader.receipt());
    receipt.when = reader.received();
    if (endsWithP7m(receipt.fileName))
        receipt.fileName.resize(receipt.fileName.size() - 4);
    if (receipt.kind != ReceiptKind::Other && receipt.fileName.empty())
        return {std::nullopt, "manca il nome del file (NomeFile)"};
    return {std::move(receipt), {}};
}

std::string_view receiptKindText(ReceiptKind kind)
{
    switch (kind) {
    case ReceiptKind::Delivered:
        return "consegnata";
    case ReceiptKind::NotDelivered:
        return "non consegnata";
    case ReceiptKind::Rejected:
        return "scartata";
    case ReceiptKind::Other:
        break;
    }
    return "non per questo programma";
}

} // namespace tessaro::einvoice
