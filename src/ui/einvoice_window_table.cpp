#include "ui/einvoice_window.h"

#include "archive/fields.h"
#include "einvoice/einvoice_files.h"

#include <array>

namespace tessaro::ui {

namespace {

using Data = einvoice::IssuerEinvoiceData;
using namespace archive; // the field tables

template <auto Access> constexpr Binding text()
{
    return boundText<Data, Access>();
}

template <auto Access> constexpr Binding state()
{
    return boundState<Data, Access>();
}

// The combo boxes list long names: they take the width the captions leave.
constexpr std::array<ControlSpec, 14> Table = {{
    {"Label1", ControlKind::Label, "Regime fiscale", 240, 240, 2775, 255},
    bound({"cmbregime", ControlKind::DropDownList, "", 3120, 200, 5640, 315, 0, 0, Filter::None,
           "Regime fiscale di chi emette la fattura", "", 0, false, "Regime fiscale"},
          text<[](Data& d) -> auto& { return d.fiscalRegime; }>()),
    {"Label2", ControlKind::Label, "Tipo cassa", 240, 720, 2775, 255},
    bound({"cmbcassa", ControlKind::DropDownList, "", 3120, 680, 5640, 315, 1, 0, Filter::None,
           "Cassa previdenziale del contributo integrativo; \"nessuna\" se non c'è", "", 0, false, "Tipo cassa"},
          text<[](Data& d) -> auto& { return d.pensionFund; }>()),
    {"Label3", ControlKind::Label, "Natura (fatture senza IVA)", 240, 1200, 2775, 255},
    bound({"cmbnatura", ControlKind::DropDownList, "", 3120, 1160, 5640, 315, 2, 0, Filter::None,
           "Natura dell'operazione nelle fatture con IVA pari a zero", "", 0, false, "Natura (fatture senza IVA)"},
          text<[](Data& d) -> auto& { return d.vatNature; }>()),
    {"Label4", ControlKind::Label, "Riferimento normativo", 240, 1680, 2775, 255},
    bound({"txtriferimento", ControlKind::LineEdit, "", 3120, 1665, 5640, 285, 3,
           widthOf(fieldOf(IssuerEinvoiceField::LegalReference)), Filter::None, "Norma citata nelle fatture senza IVA",
           "", 0, false, "Riferimento normativo"},
          text<[](Data& d) -> auto& { return d.legalReference; }>()),
    {"Label5", ControlKind::Label, "IBAN", 240, 2160, 2775, 255},
    bound({"txtiban", ControlKind::LineEdit, "", 3120, 2145, 3735, 285, 4, widthOf(fieldOf(IssuerEinvoiceField::Iban)),
           Filter::None, "Conto su cui ricevere il pagamento (facoltativo): solo lettere e cifre", "", 0, false,
           "IBAN"},
          text<[](Data& d) -> auto& { return d.iban; }>()),
    bound({"chkbollo", ControlKind::CheckBox, "Addebita al cliente l'imposta di bollo (2,00 euro) quando è dovuta", 240,
           2580, 8520, 255, 5, 0, Filter::None,
           "Le fatture senza IVA oltre 77,47 euro la riportano nel totale da pagare"},
          state<[](Data& d) -> auto& { return d.chargeStampDuty; }>()),
    // Five lines: the hints on the issuer's CAP, province, codice fiscale and partita IVA.
    {EinvoiceIssuerHintsName, ControlKind::Label, "", 240, 2940, 8520, 945},
    {"Command1", ControlKind::PushButton, "Ok", 6600, 3960, 975, 375, 6},
    {"Command2", ControlKind::PushButton, "Annulla", 7785, 3960, 975, 375, 7},
}};

} // namespace

std::span<const ControlSpec> einvoiceWindowTable()
{
    return Table;
}

} // namespace tessaro::ui
