// What the window "Ritenute subite per cliente" shows and what the user asks
// of it, as plain data: the command reckons, checks and writes, the window
// only shows and reports, so the whole exchange runs headless too.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace tessaro::ui {

// The columns of the table, in order; the certificate's and the differences'
// are empty for a client whose certificate is not typed.
enum class WithholdingColumn {
    Client,
    Identifier,
    Gross,
    Withholding,
    Net,
    Invoices,
    CertifiedGross,
    CertifiedWithholding,
    GrossDifference,
    WithholdingDifference,
};
inline constexpr int WithholdingColumnCount = 10;
inline constexpr std::array<const char*, WithholdingColumnCount> WithholdingHeadings = {
    "Cliente",
    "Codice fiscale / P. IVA",
    "Compensi lordi",
    "Ritenute",
    "Netto incassato",
    "Fatture",
    "CU: compensi",
    "CU: ritenute",
    "Differenza compensi",
    "Differenza ritenute",
};

struct WithholdingRowView {
    std::array<std::string, WithholdingColumnCount> cells;
    // What the certificate fields show when the row is chosen: the typed figures, or empty.
    std::string certifiedGross;
    std::string certifiedWithholding;
};

struct WithholdingsView {
    std::string year; // txtanno
    std::vector<WithholdingRowView> rows; // lstclienti
    std::array<std::string, WithholdingColumnCount> totals; // the row of sums under the clients
    std::string notes; // the books not read, one per line; or why the list is empty
    int selected = -1; // the row chosen, kept across showings
    // txtcucompensi, txtcuritenute: the certificate of the row chosen, as the window shows it.
    std::string gross;
    std::string withholding;
};

struct WithholdingsRequest {
    enum class Action { Close, ShowYear, RecordCertificate, ExportCsv, Print, SavePdf };
    Action action = Action::Close;
    std::string year; // as typed
    int row = -1; // the client chosen, from 0
    std::string gross; // the certificate's figures as typed
    std::string withholding;
};

} // namespace tessaro::ui
