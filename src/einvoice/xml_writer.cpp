#include "einvoice/xml_writer.h"

namespace tessaro::einvoice {

XmlWriter::XmlWriter() : m_out("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n") { }

void XmlWriter::indent()
{
    m_out.append(m_open.size() * 2, ' ');
}

void XmlWriter::openRoot(std::string_view name, std::string_view attributes)
{
    indent();
    m_out += '<';
    m_out += name;
    if (!attributes.empty()) {
        m_out += ' ';
        m_out += attributes;
    }
    m_out += ">\n";
    m_open.emplace_back(name);
}

void XmlWriter::open(std::string_view name)
{
    openRoot(name, {});
}

void XmlWriter::close()
{
    if (m_open.empty())
        return;
    const std::string name = m_open.back();
    m_open.pop_back();
    indent();
    m_out += "</" + name + ">\n";
}

void XmlWriter::element(std::string_view name, std::string_view text)
{
    indent();
    m_out += '<';
    m_out += name;
    m_out += '>';
    m_out += escaped(text);
    m_out += "</";
    m_out += name;
    m_out += ">\n";
}

std::string XmlWriter::finish()
{
    while (!m_open.empty())
        close();
    return m_out;
}

std::string XmlWriter::escaped(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\'':
            out += "&apos;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

} // namespace tessaro::einvoice
