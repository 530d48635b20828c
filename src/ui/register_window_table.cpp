#include "ui/register_window.h"

#include <array>

namespace tessaro::ui {

namespace {

using K = ControlKind;

const std::array<ControlSpec, 7> Table = {{
    {"Label1", K::Label, "Cerca:", 120, 150, 600, 255},
    named({"txtcerca", K::LineEdit, "", 780, 120, 4200, 315, 0, 60, Filter::None,
           "Cliente, descrizione o numero: si mostrano le fatture che contengono tutte le parole scritte"},
          "Cerca (cliente, descrizione, numero)"),
    named({"etcconta", K::Label, "", 5100, 150, 4200, 255}, "Fatture mostrate"),
    {"cmdcsv", K::PushButton, "Esporta CSV...", 10320, 90, 1920, 375, 2},
    {"cmdstampa", K::PushButton, "Stampa registro", 12360, 90, 1920, 375, 3},
    {"cmdpdf", K::PushButton, "Salva registro in PDF", 14400, 90, 2760, 375, 4},
    named({"etcnota", K::Label, "", 120, 7020, 17040, 540}, "Nota sugli importi"),
}};

} // namespace

std::span<const ControlSpec> registerWindowTable()
{
    return Table;
}

} // namespace tessaro::ui
