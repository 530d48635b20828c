// Small look-ups over a recording page shared by the layout tests, and the
// fixtures they print.
#pragma once

#include "archive/app_state.h"
#include "archive/invoice_form.h"
#include "print/invoice_page.h"
#include "print/recording_page.h"

#include <QTest>

#include <cmath>
#include <string>

namespace tessaro::test {

inline bool near(double a, double b)
{
    return std::fabs(a - b) < 1e-6;
}

inline bool hasSegment(const print::RecordingPage& page, double x1, double y1, double x2, double y2, int width = -1)
{
    for (const auto& s : page.segments()) {
        const bool same = near(s.x1, x1) && near(s.y1, y1) && near(s.x2, x2) && near(s.y2, y2);
        if (same && (width < 0 || s.drawWidth == width))
            return true;
    }
    return false;
}

// The four edges of a rectangle drawn from its top-left corner.
inline bool hasRectangle(const print::RecordingPage& page, double l, double t, double r, double b, int width)
{
    return hasSegment(page, l, t, r, t, width) && hasSegment(page, r, t, r, b, width)
        && hasSegment(page, r, b, l, b, width) && hasSegment(page, l, b, l, t, width);
}

inline print::RecordingPage::Text textOf(const print::RecordingPage& page, const std::string& s, int pageIndex = -1)
{
    const auto found = page.find(s, pageIndex);
    if (!found)
        qWarning("text not printed: \"%s\"", s.c_str());
    return found.value_or(print::RecordingPage::Text {-1, -1, {}, {}, -1});
}

inline bool hasTextAt(const print::RecordingPage& page, const std::string& s, double y)
{
    for (const auto& t : page.texts()) {
        if (t.text == s && near(t.y, y))
            return true;
    }
    return false;
}

// Width of a text on the recording page.
inline double recordedWidth(const std::string& s, double points, bool bold)
{
    return static_cast<double>(print::characterCount(s)) * print::RecordingPage::charWidth(points, bold);
}

inline archive::PartyRecord sampleIssuer()
{
    archive::PartyRecord issuer;
    issuer.title = "Ing. ";
    issuer.surname = "Rossi";
    issuer.firstName = "Mario";
    issuer.address = "Via Roma 1";
    issuer.city = "Milano";
    issuer.province = "MI";
    issuer.postCode = "20100";
    issuer.taxCode = "RSSMRA60A01F205X";
    issuer.vatNumber = "012345678901";
    return issuer;
}

inline archive::PartyRecord sampleClient()
{
    archive::PartyRecord client;
    client.title = "Sig.";
    client.surname = "Bianchi";
    client.firstName = "Anna";
    client.address = "Corso Italia 5";
    client.city = "Torino";
    client.province = "TO";
    client.postCode = "10100";
    client.taxCode = "BNCNNA70A41L219Y";
    client.vatNumber = "98765432109";
    return client;
}

inline archive::AppState sampleState(archive::InvoiceType type)
{
    archive::AppState state;
    state.currentIssuer = 1;
    state.currentIssuerRecord = sampleIssuer();
    state.invoiceType = type;
    state.decimalSeparator = ',';
    return state;
}

inline print::InvoiceSheet sampleSheet(archive::InvoiceType type)
{
    print::InvoiceSheet sheet;
    sheet.issuer = sampleIssuer();
    sheet.type = type;
    return sheet;
}

inline archive::InvoiceForm sampleForm()
{
    archive::InvoiceForm form;
    form.number = "12";
    form.day = "05";
    form.month = "03";
    form.year = "2024";
    form.client = sampleClient();
    form.buffer.currency = "e";
    form.buffer.rate = 1936.27f;
    return form;
}

} // namespace tessaro::test
