#include "calc/regimes.h"

namespace tessaro::calc {

namespace {

constexpr std::array<RegimeStatement, 1> Statements = {{
    {"RF19",
     "regime forfettario",
     {"Operazione in franchigia da IVA ai sensi dell'art. 1,", "commi da 54 a 89, della Legge n. 190/2014;",
      "non soggetta a ritenuta d'acconto ai sensi del comma 67."},
     "N2.2",
     "Operazione in franchigia da IVA ai sensi dell'art. 1, commi da 54 a 89, della Legge n. 190/2014",
     true},
}};

} // namespace

const RegimeStatement& regimeStatement(std::string_view regime)
{
    for (const RegimeStatement& statement : Statements) {
        if (statement.regime == regime)
            return statement;
    }
    return OrdinaryStatement;
}

} // namespace tessaro::calc
