// The pension funds an invoice may pay a contribution to, in one table: the
// code the electronic invoice gives each (TipoCassa), the name the e-invoice
// window lists it by, and the shorter name the paper copy prints.
#pragma once

#include <array>
#include <string_view>

namespace tessaro::calc {

struct PensionFund {
    std::string_view code; // TC01 .. TC22
    std::string_view name;
    std::string_view printedName;
};

// The one fund that is not a professional fund: its contribution is a
// "rivalsa" charged on the fee, not an "integrative contribution".
inline constexpr std::string_view InpsFundCode = "TC22";

inline constexpr std::array<PensionFund, 22> PensionFunds = {{
    {"TC01", "Cassa Forense", "Cassa Forense"},
    {"TC02", "Cassa dottori commercialisti (CNPADC)", "CNPADC"},
    {"TC03", "Cassa geometri (CIPAG)", "CIPAG"},
    {"TC04", "INARCASSA", "INARCASSA"},
    {"TC05", "Cassa nazionale del notariato", "Cassa Nazionale del Notariato"},
    {"TC06", "Cassa ragionieri e periti commerciali (CNPR)", "CNPR"},
    {"TC07", "ENASARCO", "ENASARCO"},
    {"TC08", "ENPACL", "ENPACL"},
    {"TC09", "ENPAM", "ENPAM"},
    {"TC10", "ENPAF", "ENPAF"},
    {"TC11", "ENPAV", "ENPAV"},
    {"TC12", "ENPAIA", "ENPAIA"},
    {"TC13", "Fondo previdenza impiegati imprese di spedizione e agenzie marittime", "Fondo previdenza spedizionieri"},
    {"TC14", "INPGI", "INPGI"},
    {"TC15", "ONAOSI", "ONAOSI"},
    {"TC16", "CASAGIT", "CASAGIT"},
    {"TC17", "EPPI", "EPPI"},
    {"TC18", "EPAP", "EPAP"},
    {"TC19", "ENPAB", "ENPAB"},
    {"TC20", "ENPAPI", "ENPAPI"},
    {"TC21", "ENPAP", "ENPAP"},
    {InpsFundCode, "INPS", "INPS"},
}};

} // namespace tessaro::calc
