#include "ui/payments_window.h"

#include <array>

namespace tessaro::ui {

namespace {

using K = ControlKind;

// The invoice and its figures at the top, its terms in a frame, the list of
// payments (built beside the table) in the middle, a new payment below it
// and the buttons at the bottom.
constexpr std::array<ControlOf<PaymentsView>, 30> Table = {{
    // The heading is set from the view by the window: a caption binds nothing.
    {{.name = "lblfattura", .kind = K::Label, .left = 120, .top = 120, .width = 9240, .height = 285, .bold = true}},
    {{.name = "Label1", .kind = K::Label, .caption = "Importo da pagare:", .left = 120, .top = 540, .width = 1800,
      .height = 285}},
    {named({.name = "etcdapagare", .kind = K::DisplayLabel, .left = 1980, .top = 540, .width = 1500, .height = 285},
           "Importo da pagare"),
     shownText<&PaymentsView::toPay>()},
    {{.name = "Label2", .kind = K::Label, .caption = "Incassato:", .left = 3720, .top = 540, .width = 1200,
      .height = 285}},
    {named({.name = "etcincassato", .kind = K::DisplayLabel, .left = 4980, .top = 540, .width = 1500, .height = 285},
           "Incassato"),
     shownText<&PaymentsView::received>()},
    {{.name = "Label3", .kind = K::Label, .caption = "Da incassare:", .left = 120, .top = 900, .width = 1800,
      .height = 285}},
    {named({.name = "etcresiduo", .kind = K::DisplayLabel, .left = 1980, .top = 900, .width = 1500, .height = 285},
           "Da incassare"),
     shownText<&PaymentsView::owed>()},
    {{.name = "Label4", .kind = K::Label, .caption = "Stato:", .left = 3720, .top = 900, .width = 1200,
      .height = 285}},
    {named({.name = "etcstato", .kind = K::DisplayLabel, .left = 4980, .top = 900, .width = 2200, .height = 285},
           "Stato"),
     shownText<&PaymentsView::state>()},

    {{.name = "Frame1", .kind = K::Frame, .caption = "Condizioni di pagamento", .left = 120, .top = 1320,
      .width = 9240, .height = 1080}},
    {{.name = "Label5", .kind = K::Label, .caption = "Modalità:", .left = 120, .top = 300, .width = 900,
      .height = 285, .parent = "Frame1"}},
    {named({.name = "cmbmodalita", .kind = K::DropDownList, .left = 1080, .top = 270, .width = 2700, .height = 315,
            .tabOrder = 0, .helpText = "Come il cliente paga la fattura", .parent = "Frame1"},
           "Modalità di pagamento"),
     boundText<&PaymentsView::method>()},
    {{.name = "Label6", .kind = K::Label, .caption = "Scadenza:", .left = 3960, .top = 300, .width = 900,
      .height = 285, .parent = "Frame1"}},
    {named({.name = "cmbtermine", .kind = K::DropDownList, .left = 4920, .top = 270, .width = 2640, .height = 315,
            .tabOrder = 1, .helpText = "Quando la fattura scade", .parent = "Frame1"},
           "Termine di pagamento"),
     boundText<&PaymentsView::term>()},
    {named({.name = "txtscadenza", .kind = K::LineEdit, .left = 7680, .top = 270, .width = 1380, .height = 315,
            .tabOrder = 2, .maxLength = 10, .helpText = "La data di scadenza, gg/mm/aaaa", .parent = "Frame1"},
           "Data di scadenza"),
     boundText<&PaymentsView::due>()},
    {{.name = "cmdcondizioni", .kind = K::PushButton, .caption = "Cambia condizioni", .left = 7080, .top = 690,
      .width = 1980, .height = 330, .tabOrder = 3, .parent = "Frame1"}},

    {{.name = "Label7", .kind = K::Label, .caption = "Incassi ricevuti:", .left = 120, .top = 2400, .width = 3000,
      .height = 240}},

    {{.name = "Frame2", .kind = K::Frame, .caption = "Nuovo incasso", .left = 120, .top = 5160, .width = 9240,
      .height = 1380}},
    {{.name = "Label8", .kind = K::Label, .caption = "Data:", .left = 120, .top = 300, .width = 600, .height = 285,
      .parent = "Frame2"}},
    {named({.name = "txtdata", .kind = K::LineEdit, .left = 780, .top = 270, .width = 1320, .height = 315,
            .tabOrder = 5, .maxLength = 10, .helpText = "Il giorno in cui il denaro è arrivato, gg/mm/aaaa",
            .parent = "Frame2"},
           "Data dell'incasso"),
     boundText<&PaymentsView::newDate>()},
    {{.name = "Label9", .kind = K::Label, .caption = "Importo:", .left = 2280, .top = 300, .width = 840,
      .height = 285, .parent = "Frame2"}},
    {named({.name = "txtimporto", .kind = K::LineEdit, .left = 3180, .top = 270, .width = 1500, .height = 315,
            .tabOrder = 6, .maxLength = 16, .helpText = "L'importo ricevuto, in euro", .parent = "Frame2"},
           "Importo incassato"),
     boundText<&PaymentsView::newAmount>()},
    {{.name = "Label10", .kind = K::Label, .caption = "Modalità:", .left = 4860, .top = 300, .width = 900,
      .height = 285, .parent = "Frame2"}},
    {named({.name = "cmbmodinc", .kind = K::DropDownList, .left = 5820, .top = 270, .width = 3240, .height = 315,
            .tabOrder = 7, .helpText = "Come il denaro è arrivato", .parent = "Frame2"},
           "Modalità dell'incasso"),
     boundText<&PaymentsView::newMethod>()},
    {{.name = "Label11", .kind = K::Label, .caption = "Nota:", .left = 120, .top = 750, .width = 600, .height = 285,
      .parent = "Frame2"}},
    {named({.name = "txtnota", .kind = K::LineEdit, .left = 780, .top = 720, .width = 5100, .height = 315,
            .tabOrder = 8, .maxLength = 30, .helpText = "Una breve nota, facoltativa", .parent = "Frame2"},
           "Nota dell'incasso"),
     boundText<&PaymentsView::newNote>()},
    {{.name = "cmdregistra", .kind = K::PushButton, .caption = "Registra incasso", .left = 7080, .top = 705,
      .width = 1980, .height = 330, .tabOrder = 9, .parent = "Frame2"}},

    {{.name = "cmdelimina", .kind = K::PushButton, .caption = "Elimina incasso", .left = 120, .top = 6720,
      .width = 1980, .height = 330, .tabOrder = 10}},
    {{.name = "cmdchiudi", .kind = K::PushButton, .caption = "Chiudi", .left = 7380, .top = 6720, .width = 1980,
      .height = 330, .tabOrder = 11}},
    {{.name = "Label12", .kind = K::Label, .caption = "Gli importi sono in euro.", .left = 2280, .top = 6750,
      .width = 4900, .height = 285}},
}};

} // namespace

std::span<const ControlOf<PaymentsView>> paymentsWindowTable()
{
    return Table;
}

} // namespace tessaro::ui
