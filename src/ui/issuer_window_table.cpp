#include "ui/issuer_window.h"

#include "archive/fields.h"
#include "archive/records.h"

#include <array>

namespace tessaro::ui {

namespace {

using archive::PartyRecord;
using namespace archive; // the field tables

template <auto Access> constexpr Binding text()
{
    return boundText<PartyRecord, Access>();
}

const std::array<ControlSpec, 28> Table = {{
    {"Command1", ControlKind::PushButton, "Ok", 2760, 2880, 855, 375, 0},
    bound(named({"cmbtit", ControlKind::ComboBox, "", 1920, 240, 855, 315, 1, widthOf(fieldOf(PartyField::Title))},
                "Titolo"),
          text<[](PartyRecord& p) -> auto& { return p.title; }>()),
    bound(named({"txtf1", ControlKind::LineEdit, "", 1920, 720, 3735, 285, 2, widthOf(fieldOf(PartyField::Surname))},
                "Cognome o denominazione sociale"),
          text<[](PartyRecord& p) -> auto& { return p.surname; }>()),
    bound(named({"txtf2", ControlKind::LineEdit, "", 1920, 1080, 3735, 285, 3, widthOf(fieldOf(PartyField::FirstName))},
                "Nome"),
          text<[](PartyRecord& p) -> auto& { return p.firstName; }>()),
    bound(named({"txtf3", ControlKind::LineEdit, "", 1920, 1440, 3735, 285, 4, widthOf(fieldOf(PartyField::Address))},
                "Indirizzo"),
          text<[](PartyRecord& p) -> auto& { return p.address; }>()),
    // 33 characters typed; a longer city stored (35) still shows whole.
    bound(named({"txtf4", ControlKind::LineEdit, "", 1920, 1800, 3735, 285, 5, 33}, "Città"),
          text<[](PartyRecord& p) -> auto& { return p.city; }>()),
    bound(named({"txtf6", ControlKind::LineEdit, "", 1920, 2160, 615, 285, 6, widthOf(fieldOf(PartyField::PostCode)),
                 Filter::Digits},
                "CAP"),
          text<[](PartyRecord& p) -> auto& { return p.postCode; }>()),
    bound(named({"txtf5", ControlKind::LineEdit, "", 5280, 2160, 375, 285, 7, widthOf(fieldOf(PartyField::Province))},
                "Prov."),
          text<[](PartyRecord& p) -> auto& { return p.province; }>()),
    bound(named({"txtf7", ControlKind::LineEdit, "", 1920, 2520, 1815, 285, 8, widthOf(fieldOf(PartyField::TaxCode))},
                "Codice Fiscale"),
          text<[](PartyRecord& p) -> auto& { return p.taxCode; }>()),
    bound(named({"txtf8", ControlKind::LineEdit, "", 4440, 2520, 1215, 285, 9, widthOf(fieldOf(PartyField::VatNumber)),
                 Filter::Digits},
                "P.IVA"),
          text<[](PartyRecord& p) -> auto& { return p.vatNumber; }>()),
    {"Command4", ControlKind::PushButton, "<---", 3000, 120, 375, 375, 20},
    {"Command5", ControlKind::PushButton, "--->", 3360, 120, 375, 375, 21},
    {"Command2", ControlKind::PushButton, "Salva", 3840, 120, 855, 375, 19},
    {"Command3", ControlKind::PushButton, "Sostituisci", 4800, 120, 855, 375, 22},
    // Left of "Ok", on the row the buttons of the bottom share.
    {"Command6", ControlKind::PushButton, "Fattura elettronica...", 240, 2880, 2175, 375, 23},
    {"Label1", ControlKind::Label, "Titolo", 240, 240, 1575, 255},
    {"Label2", ControlKind::Label, "Cognome o denominazione sociale", 240, 600, 1815, 375},
    {"Label3", ControlKind::Label, "Nome", 240, 1080, 1575, 255},
    {"Label4", ControlKind::Label, "Indirizzo", 240, 1440, 1575, 255},
    {"Label5", ControlKind::Label, "Città", 240, 1800, 1575, 255},
    {"Label6", ControlKind::Label, "CAP", 240, 2160, 1575, 255},
    {"Label7", ControlKind::Label, "Prov.", 4680, 2160, 555, 255},
    {"Label8", ControlKind::Label, "Codice Fiscale", 240, 2520, 1575, 255},
    {"Label9", ControlKind::Label, "P.IVA", 3960, 2520, 435, 255},
    // Under the buttons, one hint per identifier in the order of the fields,
    // each as tall as its longest sentence needs.
    {"etcnota6", ControlKind::Label, "", 240, 3360, 5655, 195},
    {"etcnota5", ControlKind::Label, "", 240, 3555, 5655, 195},
    {"etcnota7", ControlKind::Label, "", 240, 3750, 5655, 570},
    {"etcnota8", ControlKind::Label, "", 240, 4320, 5655, 390},
}};

const std::array<const char*, 6> Titles = {"dott.", "ing.", "arch.", "geom.", "rag.", "soc."};

} // namespace

std::span<const ControlSpec> issuerWindowTable()
{
    return Table;
}

std::span<const char* const> issuerTitles()
{
    return Titles;
}

} // namespace tessaro::ui
