// What the window "Regime forfettario: limiti e stima" shows and what the user
// asks of it, as plain data: the command reads the year, checks and writes
// the settings and reckons the estimate; the window only shows and reports.
#pragma once

#include <string>
#include <vector>

namespace tessaro::ui {

// The settings as the fields hold them, typed or shown.
struct FlatRateSettingsView {
    std::string coefficient; // cmbcoefficiente: a percentage, "78"
    std::string substituteRate; // cmbaliquota: "15" or "5"
    // How the contributions are reckoned: one of the three option buttons.
    bool inps = true; // optinps
    bool fundRate = false; // optcassaaliquota
    bool fundAmount = false; // optcassaimporto
    std::string contributionValue; // txtvalore: the fund's rate or amount
    std::string contributionsPaid; // txtversati: paid in the year shown
    bool pensionIsIncome = false; // chkcassareddito
};

struct FlatRateStepView {
    std::string name;
    std::string reckoning;
    std::string value;
};

struct FlatRateView {
    std::string heading; // the issuer and the regime
    std::string year; // txtanno
    std::string fees; // etccompensi: the income of the year counted against the limits
    std::string limitNextYear; // etclimite1: "85.000,00"
    std::string limitAtOnce; // etclimite2: "100.000,00"
    std::string limitState; // etcstato: where the fees stand, in plain words
    // The bar: the fees and the two limits, in euro.
    double feesValue = 0;
    double limitNextYearValue = 0;
    double limitAtOnceValue = 0;
    std::vector<std::string> coefficients; // the coefficients the combo lists, "78"
    FlatRateSettingsView settings;
    std::vector<FlatRateStepView> steps; // lststima
    std::string notes; // lblnote: books not read, one a line
};

struct FlatRateRequest {
    enum class Action { Close, ShowYear, SaveSettings, Print, SavePdf };
    Action action = Action::Close;
    std::string year; // as typed
    FlatRateSettingsView settings; // as typed
};

} // namespace tessaro::ui
