#include "ui/main_window_table.h"

#include "archive/fields.h"
#include "archive/invoice_form.h"

#include <array>

namespace tessaro::ui {

namespace {

using K = ControlKind;
using F = Filter;
using archive::InvoiceForm;
using namespace archive; // the field tables

template <auto Access> constexpr Binding text()
{
    return boundText<InvoiceForm, Access>();
}
template <auto Access> constexpr Binding state()
{
    return boundState<InvoiceForm, Access>();
}

// Captions without a name of their own sit to the left of (or above) the
// control they describe; captions taller than one line wrap.
constexpr ControlSpec Controls[] = {
    // Issuer block
    {"Label27", K::Label, "Chi emette la fattura corrente", 240, 120, 2535, 255, -1, 0, F::None, "", "", 8.25, true},
    named({"etcem1", K::DisplayLabel, "", 240, 360, 2895, 255}, "Chi emette la fattura corrente 1"),
    named({"etcem2", K::DisplayLabel, "", 240, 600, 2895, 255}, "Chi emette la fattura corrente 2"),
    named({"etcem3", K::DisplayLabel, "", 240, 840, 2895, 255}, "Chi emette la fattura corrente 3"),

    // Invoice identity
    {"", K::Label, "Fattura n.", 240, 1335, 795, 255},
    named(bound({"txtnum", K::LineEdit, "", 1080, 1320, 495, 285, 0, 5, F::Digits,
                 "Indicare il numero della fattura corrente oppure premere le frecce a fianco per spostarsi in altra "
                 "fattura"},
                text<[](InvoiceForm& f) -> auto& { return f.number; }>()),
          "Fattura n."),
    runs({"command", K::PushButton, "<---", 1920, 1320, 495, 255}, Command::PreviousInvoice),
    runs({"Command7", K::PushButton, "--->", 2400, 1320, 495, 255}, Command::NextInvoice),
    {"", K::Label, "Giorno", 240, 1695, 795, 255},
    bound(named({"txtgio", K::LineEdit, "", 1080, 1680, 495, 285, 1, widthOf(fieldOf(InvoiceField::Day)), F::Digits,
                 "Indicare il giorno di emissione della fattura"},
                "Giorno"),
          text<[](InvoiceForm& f) -> auto& { return f.day; }>()),
    {"", K::Label, "Mese", 240, 2055, 795, 255},
    bound(named({"txtmese", K::LineEdit, "", 1080, 2040, 495, 285, 2, widthOf(fieldOf(InvoiceField::Month)), F::Digits,
                 "Indicare il mese di emissione della fattura. Ad esempio, per aprile indicare 04 oppure 4"},
                "Mese"),
          text<[](InvoiceForm& f) -> auto& { return f.month; }>()),
    {"", K::Label, "Anno", 240, 2415, 795, 255},
    bound(named({"txtanno", K::LineEdit, "", 1080, 2400, 495, 285, 3, 4, F::Digits,
                 "Indicare l'anno di emissione della fattura"},
                "Anno"),
          text<[](InvoiceForm& f) -> auto& { return f.year; }>()),
    runs({"Command4", K::PushButton, "Nuova", 1920, 1680, 975, 375}, Command::NewInvoice),
    runs({"Command5", K::PushButton, "Salva", 1920, 2160, 975, 375}, Command::SaveInvoice),
    runs({"Command2", K::PushButton, "Stampa", 1920, 2760, 975, 375, 28}, Command::PrintInvoice),
    bound({"Check1", K::CheckBox, "Stampa dichiaraz. di omessa IVA", 240, 2760, 1695, 375, 86, 0, F::None,
           "Inserisce o meno nella fattura la dicitura di 'operazione effettuata secondo la finanziaria 2008' per le "
           "fatture senza IVA."},
          state<[](InvoiceForm& f) -> auto& { return f.omittedVatStatement; }>()),

    // Settlement and percentages
    {"Frame1", K::Frame, "Fattura emessa", 3240, 240, 2655, 855},
    bound({"opt1", K::RadioButton, "in acconto", 120, 360, 1095, 195, 30, 0, F::None, "", "Frame1"},
          state<[](InvoiceForm& f) -> auto& { return f.onAccount; }>()),
    bound({"opt2", K::RadioButton, "a saldo", 1320, 360, 975, 195, 31, 0, F::None, "", "Frame1"},
          state<[](InvoiceForm& f) -> auto& { return f.balance; }>()),
    {"label37", K::Label, "Cambio per questa fattura", 3240, 1080, 1815, 375},
    bound(named({"etccambio", K::DisplayLabel, "", 5160, 1080, 735, 255}, "Cambio per questa fattura"),
          shownText<InvoiceForm, [](InvoiceForm& f) -> auto& { return f.rateText; }>()),
    {"", K::Label, "Percentuale di IVA", 3240, 1455, 1815, 255},
    bound(named({"txtiva", K::LineEdit, "", 5160, 1440, 375, 285, 4, widthOf(fieldOf(InvoiceField::Vat)), F::Digits,
                 "Indicare la percentuale IVA che deve essere applicata all'imponibile"},
                "Percentuale di IVA"),
          text<[](InvoiceForm& f) -> auto& { return f.vat; }>()),
    {"", K::Label, "%", 5580, 1440, 255, 285, -1, 0, F::None, "", "", 9.75, true},
    {"", K::Label, "Cassa Nazionale", 3240, 1815, 1815, 255},
    // Three characters for a percentage such as 2.5, though the record keeps one.
    named(bound({"txtcn", K::LineEdit, "", 5160, 1800, 375, 285, 5, 3, F::DigitsAndPoint,
                 "Per i professionisti indicare la percentuale che va alla Cassa Nazionale. Ad es. per gli ingegneri "
                 "il 2% va all'INARCASSA"},
                text<[](InvoiceForm& f) -> auto& { return f.pension; }>()),
          "Cassa Nazionale"),
    {"", K::Label, "%", 5580, 1800, 255, 285, -1, 0, F::None, "", "", 9.75, true},
    {"", K::Label, "Ritenuta d'acconto", 3240, 2175, 1815, 255},
    bound(
        named({"txtra", K::LineEdit, "", 5160, 2160, 375, 285, 6, widthOf(fieldOf(InvoiceField::Withholding)),
               F::Digits,
               "Indicare la percentuale soggetta ad eventuale ritenuta d'acconto. Lasciare in bianco se non soggetta a "
               "ritenuta d'acc."},
              "Ritenuta d'acconto"),
        text<[](InvoiceForm& f) -> auto& { return f.withholding; }>()),
    {"", K::Label, "%", 5580, 2160, 255, 285, -1, 0, F::None, "", "", 9.75, true},
    {"", K::Label, "Spese sostenute", 3240, 2535, 1815, 255},
    bound(named({"txtspe", K::LineEdit, "", 5160, 2520, 735, 285, 7, widthOf(fieldOf(InvoiceField::Expenses)),
                 F::Amount, "Indicare le spese generali sostenute esenti da IVA"},
                "Spese sostenute"),
          text<[](InvoiceForm& f) -> auto& { return f.expenses; }>()),
    {"", K::Label, "Spese sostenute", 3240, 2895, 1815, 255},
    bound(named({"txtspe2", K::LineEdit, "", 5160, 2880, 735, 285, 8, widthOf(fieldOf(InvoiceField::Expenses2)),
                 F::Amount, "Indicare le spese sostenute per l'approvazione della parcella"},
                "Spese sostenute per l'approvazione della parcella"),
          text<[](InvoiceForm& f) -> auto& { return f.expenses2; }>()),

    // Client block
    {"", K::Label, "Dati del cliente", 6240, 120, 2760, 285, -1, 0, F::None, "", "", 9.75, true},
    named({"Cmbclienti", K::DropDownList, "", 9120, 120, 2535, 315, 32}, "Elenco clienti"),
    runs({"Command3", K::PushButton, "Carica archivio clienti", 9120, 480, 2535, 375}, Command::LoadClients),
    {"", K::Label, "Titolo", 6240, 630, 1635, 255},
    bound(named({"cmbtit", K::ComboBox, "", 7920, 600, 855, 315, 9, widthOf(fieldOf(PartyField::Title)), F::None,
                 "Indicare un eventuale titolo del cliente"},
                "Titolo"),
          text<[](InvoiceForm& f) -> auto& { return f.client.title; }>()),
    {"", K::Label, "Cognome o denominazione sociale", 6240, 885, 1680, 555},
    bound(named({"txtc1", K::LineEdit, "", 7920, 1080, 3735, 285, 10, widthOf(fieldOf(PartyField::Surname)), F::None,
                 "Indicare il cognome o la denominazione sociale del cliente"},
                "Cognome o denominazione sociale"),
          text<[](InvoiceForm& f) -> auto& { return f.client.surname; }>()),
    {"", K::Label, "Nome", 6240, 1455, 1635, 255},
    bound(named({"txtc2", K::LineEdit, "", 7920, 1440, 3735, 285, 11, widthOf(fieldOf(PartyField::FirstName)), F::None,
                 "Indicare l'eventuale nome del cliente"},
                "Nome"),
          text<[](InvoiceForm& f) -> auto& { return f.client.firstName; }>()),
    {"", K::Label, "Indirizzo", 6240, 1815, 1635, 255},
    bound(named({"txtc3", K::LineEdit, "", 7920, 1800, 3735, 285, 12, widthOf(fieldOf(PartyField::Address)), F::None,
                 "Indicare l'indirizzo (via, piazza, ecc.) fiscale del cliente"},
                "Indirizzo"),
          text<[](InvoiceForm& f) -> auto& { return f.client.address; }>()),
    {"", K::Label, "Città", 6240, 2175, 1635, 255},
    // 33 characters typed, as in the issuer window; a longer city stored (35) still shows whole.
    bound(named({"txtc4", K::LineEdit, "", 7920, 2160, 3735, 285, 13, 33, F::None,
                 "Indicare la città di domicilio fiscale del cliente"},
                "Città"),
          text<[](InvoiceForm& f) -> auto& { return f.client.city; }>()),
    {"", K::Label, "CAP", 6240, 2535, 1635, 255},
    bound(named({"txtc6", K::LineEdit, "", 7920, 2520, 615, 285, 14, widthOf(fieldOf(PartyField::PostCode)), F::Digits,
                 "Indicare il Codice di Avviamento Postale della città"},
                "CAP"),
          text<[](InvoiceForm& f) -> auto& { return f.client.postCode; }>()),
    {"", K::Label, "Prov.", 10680, 2535, 555, 255},
    bound(named({"txtc5", K::LineEdit, "", 11280, 2520, 375, 285, 15, widthOf(fieldOf(PartyField::Province)), F::None,
                 "Indicare la sigla della provincia"},
                "Prov."),
          text<[](InvoiceForm& f) -> auto& { return f.client.province; }>()),
    {"", K::Label, "Codice Fiscale", 6240, 2895, 1635, 255},
    bound(named({"txtc7", K::LineEdit, "", 7920, 2880, 1815, 285, 16, widthOf(fieldOf(PartyField::TaxCode)), F::None,
                 "Indicare il Codice Fiscale del cliente. Può essere omesso se si indica la partita IVA"},
                "Codice Fiscale"),
          text<[](InvoiceForm& f) -> auto& { return f.client.taxCode; }>()),
    {"", K::Label, "P.IVA", 9840, 2895, 555, 255},
    bound(named({"txtc8", K::LineEdit, "", 10440, 2880, 1215, 285, 17, widthOf(fieldOf(PartyField::VatNumber)),
                 F::Digits, "Indicare la partita IVA del cliente. Può essere omessa se si indica il C.F."},
                "P.IVA"),
          text<[](InvoiceForm& f) -> auto& { return f.client.vatNumber; }>()),

    // Invoice lines
    {"", K::Label, "Voce n. 1", 240, 3360, 2895, 255},
    bound(named({"txtv1", K::MultiLineEdit, "", 240, 3600, 2895, 1455, 18, widthOf(descriptionField(1)), F::None,
                 "Descrivere l'articolo n. 1 od il tipo di prestazione (ad es. 'Onorario per progettazione...')"},
                "Voce n. 1"),
          text<[](InvoiceForm& f) -> auto& { return f.description[0]; }>()),
    {"", K::Label, "Importo", 240, 5175, 600, 255},
    bound(named({"txtimp1", K::LineEdit, "", 840, 5160, 1095, 285, 19, widthOf(amountField(1)), F::Amount,
                 "Indicare l'importo (esente da IVA) della voce n. 1"},
                "Importo voce n. 1"),
          text<[](InvoiceForm& f) -> auto& { return f.amount[0]; }>()),
    {"", K::Label, "Quantità", 2040, 5175, 675, 255},
    bound(named({"txtq1", K::LineEdit, "", 2760, 5160, 375, 285, 20, widthOf(quantityField(1)), F::Digits,
                 "Indicare la quantità (numero di pezzi) della voce n. 1"},
                "Quantità voce n. 1"),
          text<[](InvoiceForm& f) -> auto& { return f.quantity[0]; }>()),
    {"", K::Label, "Voce n. 2", 3360, 3360, 2895, 255},
    bound(named({"txtv2", K::MultiLineEdit, "", 3360, 3600, 2895, 1455, 21, widthOf(descriptionField(2)), F::None,
                 "Descrivere un eventuale articolo n. 2"},
                "Voce n. 2"),
          text<[](InvoiceForm& f) -> auto& { return f.description[1]; }>()),
    {"", K::Label, "Importo", 3360, 5175, 600, 255},
    bound(named({"txtimp2", K::LineEdit, "", 3960, 5160, 1095, 285, 22, widthOf(amountField(2)), F::Amount,
                 "Indicare l'importo della voce n. 2"},
                "Importo voce n. 2"),
          text<[](InvoiceForm& f) -> auto& { return f.amount[1]; }>()),
    {"", K::Label, "Quantità", 5160, 5175, 675, 255},
    bound(named({"txtq2", K::LineEdit, "", 5880, 5160, 375, 285, 23, widthOf(quantityField(2)), F::Digits,
                 "Indicare la quantità (numero di pezzi) della voce n. 2"},
                "Quantità voce n. 2"),
          text<[](InvoiceForm& f) -> auto& { return f.quantity[1]; }>()),
    {"", K::Label, "Voce n. 3", 6480, 3360, 2895, 255},
    bound(named({"txtv3", K::MultiLineEdit, "", 6480, 3600, 2895, 1455, 24, widthOf(descriptionField(3)), F::None,
                 "Descrivere un eventuale articolo n. 3"},
                "Voce n. 3"),
          text<[](InvoiceForm& f) -> auto& { return f.description[2]; }>()),
    {"", K::Label, "Importo", 6480, 5175, 600, 255},
    bound(named({"txtimp3", K::LineEdit, "", 7080, 5160, 1095, 285, 25, widthOf(amountField(3)), F::Amount,
                 "Indicare l'importo della voce n. 3"},
                "Importo voce n. 3"),
          text<[](InvoiceForm& f) -> auto& { return f.amount[2]; }>()),
    {"", K::Label, "Quantità", 8280, 5175, 675, 255},
    bound(named({"txtq3", K::LineEdit, "", 9000, 5160, 375, 285, 26, widthOf(quantityField(3)), F::Digits,
                 "Indicare la quantità (numero di pezzi) della voce n. 3"},
                "Quantità voce n. 3"),
          text<[](InvoiceForm& f) -> auto& { return f.quantity[2]; }>()),
    runs({"Command6", K::PushButton, "Vai alle altre voci", 9840, 3600, 1455, 1815, 33}, Command::ExtraLines),

    // Totals
    runs({"Command1", K::PushButton, "Calcola", 240, 5880, 1815, 615, 27}, Command::Calculate),
    {"", K::Label, "Totali", 2160, 5880, 720, 195, -1, 0, F::None, "", "", 0, true},
    {"", K::Label, "Imponibile (A)", 2280, 6060, 810, 390},
    bound(named({"etcimp", K::DisplayLabel, "", 3120, 6120, 1095, 255}, "Imponibile (A)"),
          text<[](InvoiceForm& f) -> auto& { return f.taxable; }>()),
    {"", K::Label, "IVA (B)", 4260, 6120, 510, 255},
    bound(named({"etciva", K::DisplayLabel, "", 4800, 6120, 1095, 255}, "IVA (B)"),
          text<[](InvoiceForm& f) -> auto& { return f.vatAmount; }>()),
    {"", K::Label, "Ritenuta d'acconto (C)", 5940, 6060, 1500, 390},
    bound(named({"etcra", K::DisplayLabel, "", 7485, 6120, 975, 255}, "Ritenuta d'acconto (C)"),
          text<[](InvoiceForm& f) -> auto& { return f.withholdingAmount; }>()),
    {"", K::Label, "Da pagare (A+B-C+spese)", 8520, 6060, 1875, 390},
    named(bound({"txttot", K::LineEdit, "", 10440, 6120, 1095, 285, 29, 10, F::Total,
                 "Indicare il totale da pagare. Saranno calcolate e ritroso le altre voci (importo, cassa nazionale, "
                 "ritenuta "
                 "d'acc.)"},
                text<[](InvoiceForm& f) -> auto& { return f.total; }>()),
          "Da pagare (A+B-C+spese)"),
    named({"etcspi", K::DisplayLabel, "", 240, 6600, 11415, 255}, "Riga di aiuto"),

    // Separator lines
    {"", K::HLine, "", 120, 0, 9240, 0},
    {"", K::HLine, "", 240, 3240, 11520, 0},
    {"", K::HLine, "", 240, 5640, 11520, 0},
    {"", K::HLine, "", 2880, 6000, 8640, 0},
    {"", K::HLine, "", 2280, 6480, 9240, 0},
    {"", K::VLine, "", 6000, 120, 0, 3000},
};

constexpr std::array<const char*, 3> ServiceAmountHelp = {
    "Indicare l'importo (esente da IVA) della voce n. 1",
    "Indicare l'importo della voce n. 2",
    "Indicare l'importo della voce n. 3",
};

constexpr std::array<const char*, 3> CommercialAmountHelp = {
    "Indicare il prezzo (esente da IVA) del singolo elemento della voce n. 1",
    "Indicare il prezzo (esente da IVA) del singolo elemento della voce n. 2",
    "Indicare il prezzo (esente da IVA) del singolo elemento della voce n. 3",
};

} // namespace

std::span<const ControlSpec> mainWindowControls()
{
    return Controls;
}

const char* amountHelpText(int line, archive::InvoiceType type)
{
    if (line < 1 || line > 3)
        return "";
    const auto& texts = type == archive::InvoiceType::Commercial ? CommercialAmountHelp : ServiceAmountHelp;
    return texts[static_cast<std::size_t>(line - 1)];
}

} // namespace tessaro::ui
