#include "ui/register_window.h"

#include <array>

namespace tessaro::ui {

namespace {

using K = ControlKind;

constexpr std::array<ControlSpec, 9> Table = {{
    {.name = "Label1", .kind = K::Label, .caption = "Cerca:", .left = 120, .top = 150, .width = 600, .height = 255},
    {.name = "txtcerca",
     .kind = K::LineEdit,
     .left = 780,
     .top = 120,
     .width = 3000,
     .height = 315,
     .tabOrder = 0,
     .maxLength = 60,
     .helpText = "Cliente, descrizione o numero: si mostrano le fatture che contengono tutte le parole scritte",
     .accessibleName = "Cerca (cliente, descrizione, numero)"},
    {.name = "Label2", .kind = K::Label, .caption = "Mostra:", .left = 3900, .top = 150, .width = 660, .height = 255},
    {.name = "cmbincassi",
     .kind = K::DropDownList,
     .left = 4620,
     .top = 120,
     .width = 1800,
     .height = 315,
     .tabOrder = 1,
     .helpText = "Tutte le fatture, quelle con qualcosa ancora da incassare, quelle scadute o quelle la cui fattura "
                 "elettronica è stata scartata",
     .accessibleName = "Mostra (tutte, da incassare, scadute, scartate)"},
    {.name = "etcconta",
     .kind = K::Label,
     .left = 6540,
     .top = 150,
     .width = 3660,
     .height = 255,
     .accessibleName = "Fatture mostrate"},
    {.name = "cmdcsv",
     .kind = K::PushButton,
     .caption = "Esporta CSV...",
     .left = 10320,
     .top = 90,
     .width = 1920,
     .height = 375,
     .tabOrder = 2},
    {.name = "cmdstampa",
     .kind = K::PushButton,
     .caption = "Stampa registro",
     .left = 12360,
     .top = 90,
     .width = 1920,
     .height = 375,
     .tabOrder = 3},
    {.name = "cmdpdf",
     .kind = K::PushButton,
     .caption = "Salva registro in PDF",
     .left = 14400,
     .top = 90,
     .width = 2760,
     .height = 375,
     .tabOrder = 4},
    {.name = "etcnota",
     .kind = K::Label,
     .left = 120,
     .top = 7020,
     .width = 17040,
     .height = 540,
     .accessibleName = "Nota sugli importi"},
}};

} // namespace

std::span<const ControlSpec> registerWindowTable()
{
    return Table;
}

} // namespace tessaro::ui
