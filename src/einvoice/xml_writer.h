// A small writer of indented UTF-8 XML: elements open and close in the order
// they are written, text is escaped.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tessaro::einvoice {

class XmlWriter {
public:
    XmlWriter();

    // The root element with its attributes already written (name="value" ...).
    void openRoot(std::string_view name, std::string_view attributes);
    void open(std::string_view name);
    void close();
    // <name>text</name>
    void element(std::string_view name, std::string_view text);
    // Closes whatever is still open and returns the document.
    std::string finish();

    static std::string escaped(std::string_view text);

private:
    void indent();

    std::string m_out;
    std::vector<std::string> m_open;
};

} // namespace tessaro::einvoice
