#include "ui/year_receipts_window.h"

#include <array>

namespace tessaro::ui {

namespace {

using K = ControlKind;

// The year and the search at the top with the buttons that hand the year
// over; the list, its totals, the note and the month bars (built beside the
// table) below; "Chiudi" at the foot.
constexpr std::array<ControlOf<YearReceiptsView>, 10> Table = {{
    {{.name = "Label1", .kind = K::Label, .caption = "Anno:", .left = 120, .top = 150, .width = 600, .height = 255}},
    {named({.name = "cmbanno",
            .kind = K::ComboBox,
            .left = 780,
            .top = 120,
            .width = 1200,
            .height = 315,
            .tabOrder = 0,
            .maxLength = 4,
            .helpText = "L'anno in cui il denaro è arrivato: sceglierlo o scriverlo e premere Invio"},
           "Anno"),
     boundText<&YearReceiptsView::year>()},
    {{.name = "Label2", .kind = K::Label, .caption = "Cerca:", .left = 2160, .top = 150, .width = 660, .height = 255}},
    {named(
        {.name = "txtcerca",
         .kind = K::LineEdit,
         .left = 2880,
         .top = 120,
         .width = 3300,
         .height = 315,
         .tabOrder = 1,
         .maxLength = 60,
         .helpText = "Cliente o fattura (12 oppure 12/2025): si mostrano gli incassi che contengono tutte le parole"},
        "Cerca (cliente, fattura)")},
    {named({.name = "etcconta", .kind = K::Label, .left = 6300, .top = 150, .width = 3900, .height = 255},
           "Incassi mostrati")},
    {{.name = "cmdcsv",
      .kind = K::PushButton,
      .caption = "Esporta CSV...",
      .left = 10320,
      .top = 90,
      .width = 1920,
      .height = 375,
      .tabOrder = 3}},
    {{.name = "cmdstampa",
      .kind = K::PushButton,
      .caption = "Stampa",
      .left = 12360,
      .top = 90,
      .width = 1920,
      .height = 375,
      .tabOrder = 4}},
    {{.name = "cmdpdf",
      .kind = K::PushButton,
      .caption = "Salva in PDF...",
      .left = 14400,
      .top = 90,
      .width = 2760,
      .height = 375,
      .tabOrder = 5}},
    {named({.name = "etcnota", .kind = K::Label, .left = 120, .top = 6720, .width = 17040, .height = 540},
           "Nota sugli incassi")},
    {{.name = "cmdchiudi",
      .kind = K::PushButton,
      .caption = "Chiudi",
      .left = 15180,
      .top = 10320,
      .width = 1980,
      .height = 375,
      .tabOrder = 6}},
}};

} // namespace

std::span<const ControlOf<YearReceiptsView>> yearReceiptsWindowTable()
{
    return Table;
}

} // namespace tessaro::ui
