#include "ui/einvoice_window.h"

#include "archive/fields.h"
#include "einvoice/einvoice_files.h"

#include <array>

namespace tessaro::ui {

namespace {

using K = ControlKind;
using Data = einvoice::IssuerEinvoiceData;
using namespace archive; // the field tables

// The combo boxes list long names: they take the width the captions leave.
constexpr std::array<ControlOf<Data>, 14> Table = {{
    {{.name = "Label1",
      .kind = K::Label,
      .caption = "Regime fiscale",
      .left = 240,
      .top = 240,
      .width = 2775,
      .height = 255}},
    {{.name = "cmbregime",
      .kind = K::DropDownList,
      .left = 3120,
      .top = 200,
      .width = 5640,
      .height = 315,
      .tabOrder = 0,
      .helpText = "Regime fiscale di chi emette la fattura",
      .accessibleName = "Regime fiscale"},
     boundText<&Data::fiscalRegime>()},
    {{.name = "Label2",
      .kind = K::Label,
      .caption = "Tipo cassa",
      .left = 240,
      .top = 720,
      .width = 2775,
      .height = 255}},
    {{.name = "cmbcassa",
      .kind = K::DropDownList,
      .left = 3120,
      .top = 680,
      .width = 5640,
      .height = 315,
      .tabOrder = 1,
      .helpText = "Cassa previdenziale del contributo integrativo; \"nessuna\" se non c'è",
      .accessibleName = "Tipo cassa"},
     boundText<&Data::pensionFund>()},
    {{.name = "Label3",
      .kind = K::Label,
      .caption = "Natura (fatture senza IVA)",
      .left = 240,
      .top = 1200,
      .width = 2775,
      .height = 255}},
    {{.name = "cmbnatura",
      .kind = K::DropDownList,
      .left = 3120,
      .top = 1160,
      .width = 5640,
      .height = 315,
      .tabOrder = 2,
      .helpText = "Natura dell'operazione nelle fatture con IVA pari a zero",
      .accessibleName = "Natura (fatture senza IVA)"},
     boundText<&Data::vatNature>()},
    {{.name = "Label4",
      .kind = K::Label,
      .caption = "Riferimento normativo",
      .left = 240,
      .top = 1680,
      .width = 2775,
      .height = 255}},
    {{.name = "txtriferimento",
      .kind = K::LineEdit,
      .left = 3120,
      .top = 1665,
      .width = 5640,
      .height = 285,
      .tabOrder = 3,
      .maxLength = widthOf(fieldOf(IssuerEinvoiceField::LegalReference)),
      .helpText = "Norma citata nelle fatture senza IVA",
      .accessibleName = "Riferimento normativo"},
     boundText<&Data::legalReference>()},
    {{.name = "Label5", .kind = K::Label, .caption = "IBAN", .left = 240, .top = 2160, .width = 2775, .height = 255}},
    {{.name = "txtiban",
      .kind = K::LineEdit,
      .left = 3120,
      .top = 2145,
      .width = 3735,
      .height = 285,
      .tabOrder = 4,
      .maxLength = widthOf(fieldOf(IssuerEinvoiceField::Iban)),
      .helpText = "Conto su cui ricevere il pagamento (facoltativo): solo lettere e cifre",
      .accessibleName = "IBAN"},
     boundText<&Data::iban>()},
    {{.name = "chkbollo",
      .kind = K::CheckBox,
      .caption = "Addebita al cliente l'imposta di bollo (2,00 euro) quando è dovuta",
      .left = 240,
      .top = 2580,
      .width = 8520,
      .height = 255,
      .tabOrder = 5,
      .helpText = "Le fatture senza IVA oltre 77,47 euro la riportano nel totale da pagare"},
     boundState<&Data::chargeStampDuty>()},
    // Five lines: the hints on the issuer's CAP, province, codice fiscale and partita IVA.
    {{.name = EinvoiceIssuerHintsName, .kind = K::Label, .left = 240, .top = 2940, .width = 8520, .height = 945}},
    {{.name = "Command1",
      .kind = K::PushButton,
      .caption = "Ok",
      .left = 6600,
      .top = 3960,
      .width = 975,
      .height = 375,
      .tabOrder = 6}},
    {{.name = "Command2",
      .kind = K::PushButton,
      .caption = "Annulla",
      .left = 7785,
      .top = 3960,
      .width = 975,
      .height = 375,
      .tabOrder = 7}},
}};

} // namespace

std::span<const ControlOf<Data>> einvoiceWindowTable()
{
    return Table;
}

} // namespace tessaro::ui
