#include "ui/issuer_window.h"

#include <array>

namespace tessaro::ui {

namespace {

const std::array<ControlSpec, 24> Table = {{
    {"Command1", ControlKind::PushButton, "Ok", 2760, 2880, 855, 375, 0},
    named({"cmbtit", ControlKind::ComboBox, "", 1920, 240, 855, 315, 1, 5}, "Titolo"),
    named({"txtf1", ControlKind::LineEdit, "", 1920, 720, 3735, 285, 2, 29}, "Cognome o denominazione sociale"),
    named({"txtf2", ControlKind::LineEdit, "", 1920, 1080, 3735, 285, 3, 29}, "Nome"),
    named({"txtf3", ControlKind::LineEdit, "", 1920, 1440, 3735, 285, 4, 40}, "Indirizzo"),
    named({"txtf4", ControlKind::LineEdit, "", 1920, 1800, 3735, 285, 5, 33}, "Città"),
    named({"txtf6", ControlKind::LineEdit, "", 1920, 2160, 615, 285, 6, 5, Filter::Digits}, "CAP"),
    named({"txtf5", ControlKind::LineEdit, "", 5280, 2160, 375, 285, 7, 2}, "Prov."),
    named({"txtf7", ControlKind::LineEdit, "", 1920, 2520, 1815, 285, 8, 16}, "Codice Fiscale"),
    named({"txtf8", ControlKind::LineEdit, "", 4440, 2520, 1215, 285, 9, 12, Filter::Digits}, "P.IVA"),
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
