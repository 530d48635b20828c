#include "einvoice/codes.h"

#include "calc/pension_funds.h"

#include <algorithm>
#include <array>

namespace tessaro::einvoice {

namespace {

constexpr std::array<Code, 18> FiscalRegimes = {{
    {"RF01", "Ordinario"},
    {"RF02", "Contribuenti minimi (art. 1, c. 96-117, L. 244/2007)"},
    {"RF04", "Agricoltura e attività connesse e pesca (artt. 34 e 34-bis, DPR 633/1972)"},
    {"RF05", "Vendita sali e tabacchi (art. 74, c. 1, DPR 633/1972)"},
    {"RF06", "Commercio fiammiferi (art. 74, c. 1, DPR 633/1972)"},
    {"RF07", "Editoria (art. 74, c. 1, DPR 633/1972)"},
    {"RF08", "Gestione servizi telefonia pubblica (art. 74, c. 1, DPR 633/1972)"},
    {"RF09", "Rivendita documenti di trasporto pubblico e di sosta (art. 74, c. 1, DPR 633/1972)"},
    {"RF10",
     "Intrattenimenti, giochi e altre attività di cui alla tariffa allegata al DPR 640/72 (art. 74, c. 6, "
     "DPR 633/1972)"},
    {"RF11", "Agenzie viaggi e turismo (art. 74-ter, DPR 633/1972)"},
    {"RF12", "Agriturismo (art. 5, c. 2, L. 413/1991)"},
    {"RF13", "Vendite a domicilio (art. 25-bis, c. 6, DPR 600/1973)"},
    {"RF14", "Rivendita beni usati, oggetti d'arte, d'antiquariato o da collezione (art. 36, DL 41/1995)"},
    {"RF15", "Agenzie di vendite all'asta di oggetti d'arte, antiquariato o da collezione (art. 40-bis, DL 41/1995)"},
    {"RF16", "IVA per cassa P.A. (art. 6, c. 5, DPR 633/1972)"},
    {"RF17", "IVA per cassa (art. 32-bis, DL 83/2012)"},
    {"RF18", "Altro"},
    {"RF19", "Forfettario (art. 1, c. 54-89, L. 190/2014)"},
}};

// The window lists the funds by their full names.
constexpr std::array<Code, calc::PensionFunds.size()> PensionFunds = [] {
    std::array<Code, calc::PensionFunds.size()> codes {};
    for (std::size_t i = 0; i < codes.size(); ++i)
        codes[i] = {calc::PensionFunds[i].code, calc::PensionFunds[i].name};
    return codes;
}();

constexpr std::array<Code, 21> VatNatures = {{
    {"N1", "Escluse ex art. 15 DPR 633/72"},
    {"N2.1", "Non soggette ad IVA ai sensi degli artt. da 7 a 7-septies DPR 633/72"},
    {"N2.2", "Non soggette - altri casi"},
    {"N3.1", "Non imponibili - esportazioni"},
    {"N3.2", "Non imponibili - cessioni intracomunitarie"},
    {"N3.3", "Non imponibili - cessioni verso San Marino"},
    {"N3.4", "Non imponibili - operazioni assimilate alle cessioni all'esportazione"},
    {"N3.5", "Non imponibili - a seguito di dichiarazioni d'intento"},
    {"N3.6", "Non imponibili - altre operazioni che non concorrono alla formazione del plafond"},
    {"N4", "Esenti"},
    {"N5", "Regime del margine / IVA non esposta in fattura"},
    {"N6.1", "Inversione contabile - cessione di rottami e altri materiali di recupero"},
    {"N6.2", "Inversione contabile - cessione di oro e argento"},
    {"N6.3", "Inversione contabile - subappalto nel settore edile"},
    {"N6.4", "Inversione contabile - cessione di fabbricati"},
    {"N6.5", "Inversione contabile - cessione di telefoni cellulari"},
    {"N6.6", "Inversione contabile - cessione di prodotti elettronici"},
    {"N6.7", "Inversione contabile - prestazioni comparto edile e settori connessi"},
    {"N6.8", "Inversione contabile - operazioni settore energetico"},
    {"N6.9", "Inversione contabile - altri casi"},
    {"N7", "IVA assolta in altro stato UE"},
}};

bool contains(std::span<const Code> codes, std::string_view code)
{
    return std::any_of(codes.begin(), codes.end(), [&](const Code& c) { return c.code == code; });
}

} // namespace

std::span<const Code> fiscalRegimes()
{
    return FiscalRegimes;
}

std::span<const Code> pensionFunds()
{
    return PensionFunds;
}

std::span<const Code> vatNatures()
{
    return VatNatures;
}

bool isFiscalRegime(std::string_view code)
{
    return contains(FiscalRegimes, code);
}

bool isPensionFund(std::string_view code)
{
    return contains(PensionFunds, code);
}

bool isVatNature(std::string_view code)
{
    return contains(VatNatures, code);
}

std::string displayText(std::span<const Code> codes, std::string_view code)
{
    std::string text(code);
    for (const Code& c : codes) {
        if (c.code == code) {
            text += ' ';
            text += c.name;
        }
    }
    return text;
}

} // namespace tessaro::einvoice
