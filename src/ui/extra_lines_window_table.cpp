#include "ui/extra_lines_window.h"

#include <array>

namespace tessaro::ui {

namespace {

// Three columns under their headings, one row per line 4 to 10, the notes
// below and "Ok" at the bottom right. Field widths hold the record's widths
// (35, 10 and 4 characters).
const std::array<ControlSpec, 35> Table = {{
    {"Label1", ControlKind::Label, "DESCRIZIONE", 600, 120, 4815, 255},
    {"Label2", ControlKind::Label, "Importo", 5535, 120, 1335, 255},
    {"Label3", ControlKind::Label, "Quantità", 6990, 120, 735, 255},
    {"Label4", ControlKind::Label, "4", 120, 420, 375, 285},
    named({"txtv4", ControlKind::LineEdit, "", 600, 420, 4815, 285, 0, 35}, "Descrizione voce n. 4"),
    named({"txtimp4", ControlKind::LineEdit, "", 5535, 420, 1335, 285, 1, 10, Filter::Amount}, "Importo voce n. 4"),
    named({"txtq4", ControlKind::LineEdit, "", 6990, 420, 735, 285, 2, 4, Filter::Digits}, "Quantità voce n. 4"),
    {"Label5", ControlKind::Label, "5", 120, 780, 375, 285},
    named({"txtv5", ControlKind::LineEdit, "", 600, 780, 4815, 285, 3, 35}, "Descrizione voce n. 5"),
    named({"txtimp5", ControlKind::LineEdit, "", 5535, 780, 1335, 285, 4, 10, Filter::Amount}, "Importo voce n. 5"),
    named({"txtq5", ControlKind::LineEdit, "", 6990, 780, 735, 285, 5, 4, Filter::Digits}, "Quantità voce n. 5"),
    {"Label6", ControlKind::Label, "6", 120, 1140, 375, 285},
    named({"txtv6", ControlKind::LineEdit, "", 600, 1140, 4815, 285, 6, 35}, "Descrizione voce n. 6"),
    named({"txtimp6", ControlKind::LineEdit, "", 5535, 1140, 1335, 285, 7, 10, Filter::Amount}, "Importo voce n. 6"),
    named({"txtq6", ControlKind::LineEdit, "", 6990, 1140, 735, 285, 8, 4, Filter::Digits}, "Quantità voce n. 6"),
    {"Label7", ControlKind::Label, "7", 120, 1500, 375, 285},
    named({"txtv7", ControlKind::LineEdit, "", 600, 1500, 4815, 285, 9, 35}, "Descrizione voce n. 7"),
    named({"txtimp7", ControlKind::LineEdit, "", 5535, 1500, 1335, 285, 10, 10, Filter::Amount}, "Importo voce n. 7"),
    named({"txtq7", ControlKind::LineEdit, "", 6990, 1500, 735, 285, 11, 4, Filter::Digits}, "Quantità voce n. 7"),
    {"Label8", ControlKind::Label, "8", 120, 1860, 375, 285},
    named({"txtv8", ControlKind::LineEdit, "", 600, 1860, 4815, 285, 12, 35}, "Descrizione voce n. 8"),
    named({"txtimp8", ControlKind::LineEdit, "", 5535, 1860, 1335, 285, 13, 10, Filter::Amount}, "Importo voce n. 8"),
    named({"txtq8", ControlKind::LineEdit, "", 6990, 1860, 735, 285, 14, 4, Filter::Digits}, "Quantità voce n. 8"),
    {"Label9", ControlKind::Label, "9", 120, 2220, 375, 285},
    named({"txtv9", ControlKind::LineEdit, "", 600, 2220, 4815, 285, 15, 35}, "Descrizione voce n. 9"),
    named({"txtimp9", ControlKind::LineEdit, "", 5535, 2220, 1335, 285, 16, 10, Filter::Amount}, "Importo voce n. 9"),
    named({"txtq9", ControlKind::LineEdit, "", 6990, 2220, 735, 285, 17, 4, Filter::Digits}, "Quantità voce n. 9"),
    {"Label10", ControlKind::Label, "10", 120, 2580, 375, 285},
    named({"txtv10", ControlKind::LineEdit, "", 600, 2580, 4815, 285, 18, 35}, "Descrizione voce n. 10"),
    named({"txtimp10", ControlKind::LineEdit, "", 5535, 2580, 1335, 285, 19, 10, Filter::Amount}, "Importo voce n. 10"),
    named({"txtq10", ControlKind::LineEdit, "", 6990, 2580, 735, 285, 20, 4, Filter::Digits}, "Quantità voce n. 10"),
    {"Label11", ControlKind::Label, "Al termine premere OK per memorizzare le voci e chiudere questa finestra.", 120,
     3060, 7605, 450},
    {"Label12", ControlKind::Label,
     "Se si lascia la finestra aperta oppure se si chiude con la x non saranno stampate queste voci.", 120, 3540, 7605,
     450},
    {"Label13", ControlKind::Label,
     "Se un importo delle tre voci della pagina principale è zero queste voci non saranno prese in considerazione.",
     120, 4020, 7605, 450},
    {"Command1", ControlKind::PushButton, "Ok", 6750, 4560, 975, 375, 21},
}};

} // namespace

std::span<const ControlSpec> extraLinesWindowTable()
{
    return Table;
}

} // namespace tessaro::ui
