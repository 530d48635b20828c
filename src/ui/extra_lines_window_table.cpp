#include "ui/extra_lines_window.h"

#include "archive/fields.h"
#include "archive/records.h"

#include <array>

namespace tessaro::ui {

namespace {

using archive::ExtraLinesRecord;
using namespace archive; // the field tables

template <auto Access> constexpr Binding text()
{
    return boundText<ExtraLinesRecord, Access>();
}

// Three columns under their headings, one row per line 4 to 10, the notes
// below and "Ok" at the bottom right. Fields take the record's widths.
constexpr std::array<ControlSpec, 35> Table = {{
    {"Label1", ControlKind::Label, "DESCRIZIONE", 600, 120, 4815, 255},
    {"Label2", ControlKind::Label, "Importo", 5535, 120, 1335, 255},
    {"Label3", ControlKind::Label, "Quantità", 6990, 120, 735, 255},
    {"Label4", ControlKind::Label, "4", 120, 420, 375, 285},
    bound(named({"txtv4", ControlKind::LineEdit, "", 600, 420, 4815, 285, 0, widthOf(extraDescriptionField(4))},
                "Descrizione voce n. 4"),
          text<[](ExtraLinesRecord& r) -> auto& { return r.description[0]; }>()),
    bound(named({"txtimp4", ControlKind::LineEdit, "", 5535, 420, 1335, 285, 1, widthOf(extraAmountField(4)),
                 Filter::Amount},
                "Importo voce n. 4"),
          text<[](ExtraLinesRecord& r) -> auto& { return r.amount[0]; }>()),
    bound(named({"txtq4", ControlKind::LineEdit, "", 6990, 420, 735, 285, 2, widthOf(extraQuantityField(4)),
                 Filter::Digits},
                "Quantità voce n. 4"),
          text<[](ExtraLinesRecord& r) -> auto& { return r.quantity[0]; }>()),
    {"Label5", ControlKind::Label, "5", 120, 780, 375, 285},
    bound(named({"txtv5", ControlKind::LineEdit, "", 600, 780, 4815, 285, 3, widthOf(extraDescriptionField(5))},
                "Descrizione voce n. 5"),
          text<[](ExtraLinesRecord& r) -> auto& { return r.description[1]; }>()),
    bound(named({"txtimp5", ControlKind::LineEdit, "", 5535, 780, 1335, 285, 4, widthOf(extraAmountField(5)),
                 Filter::Amount},
                "Importo voce n. 5"),
          text<[](ExtraLinesRecord& r) -> auto& { return r.amount[1]; }>()),
    bound(named({"txtq5", ControlKind::LineEdit, "", 6990, 780, 735, 285, 5, widthOf(extraQuantityField(5)),
                 Filter::Digits},
                "Quantità voce n. 5"),
          text<[](ExtraLinesRecord& r) -> auto& { return r.quantity[1]; }>()),
    {"Label6", ControlKind::Label, "6", 120, 1140, 375, 285},
    bound(named({"txtv6", ControlKind::LineEdit, "", 600, 1140, 4815, 285, 6, widthOf(extraDescriptionField(6))},
                "Descrizione voce n. 6"),
          text<[](ExtraLinesRecord& r) -> auto& { return r.description[2]; }>()),
    bound(named({"txtimp6", ControlKind::LineEdit, "", 5535, 1140, 1335, 285, 7, widthOf(extraAmountField(6)),
                 Filter::Amount},
                "Importo voce n. 6"),
          text<[](ExtraLinesRecord& r) -> auto& { return r.amount[2]; }>()),
    bound(named({"txtq6", ControlKind::LineEdit, "", 6990, 1140, 735, 285, 8, widthOf(extraQuantityField(6)),
                 Filter::Digits},
                "Quantità voce n. 6"),
          text<[](ExtraLinesRecord& r) -> auto& { return r.quantity[2]; }>()),
    {"Label7", ControlKind::Label, "7", 120, 1500, 375, 285},
    bound(named({"txtv7", ControlKind::LineEdit, "", 600, 1500, 4815, 285, 9, widthOf(extraDescriptionField(7))},
                "Descrizione voce n. 7"),
          text<[](ExtraLinesRecord& r) -> auto& { return r.description[3]; }>()),
    bound(named({"txtimp7", ControlKind::LineEdit, "", 5535, 1500, 1335, 285, 10, widthOf(extraAmountField(7)),
                 Filter::Amount},
                "Importo voce n. 7"),
          text<[](ExtraLinesRecord& r) -> auto& { return r.amount[3]; }>()),
    bound(named({"txtq7", ControlKind::LineEdit, "", 6990, 1500, 735, 285, 11, widthOf(extraQuantityField(7)),
                 Filter::Digits},
                "Quantità voce n. 7"),
          text<[](ExtraLinesRecord& r) -> auto& { return r.quantity[3]; }>()),
    {"Label8", ControlKind::Label, "8", 120, 1860, 375, 285},
    bound(named({"txtv8", ControlKind::LineEdit, "", 600, 1860, 4815, 285, 12, widthOf(extraDescriptionField(8))},
                "Descrizione voce n. 8"),
          text<[](ExtraLinesRecord& r) -> auto& { return r.description[4]; }>()),
    bound(named({"txtimp8", ControlKind::LineEdit, "", 5535, 1860, 1335, 285, 13, widthOf(extraAmountField(8)),
                 Filter::Amount},
                "Importo voce n. 8"),
          text<[](ExtraLinesRecord& r) -> auto& { return r.amount[4]; }>()),
    bound(named({"txtq8", ControlKind::LineEdit, "", 6990, 1860, 735, 285, 14, widthOf(extraQuantityField(8)),
                 Filter::Digits},
                "Quantità voce n. 8"),
          text<[](ExtraLinesRecord& r) -> auto& { return r.quantity[4]; }>()),
    {"Label9", ControlKind::Label, "9", 120, 2220, 375, 285},
    bound(named({"txtv9", ControlKind::LineEdit, "", 600, 2220, 4815, 285, 15, widthOf(extraDescriptionField(9))},
                "Descrizione voce n. 9"),
          text<[](ExtraLinesRecord& r) -> auto& { return r.description[5]; }>()),
    bound(named({"txtimp9", ControlKind::LineEdit, "", 5535, 2220, 1335, 285, 16, widthOf(extraAmountField(9)),
                 Filter::Amount},
                "Importo voce n. 9"),
          text<[](ExtraLinesRecord& r) -> auto& { return r.amount[5]; }>()),
    bound(named({"txtq9", ControlKind::LineEdit, "", 6990, 2220, 735, 285, 17, widthOf(extraQuantityField(9)),
                 Filter::Digits},
                "Quantità voce n. 9"),
          text<[](ExtraLinesRecord& r) -> auto& { return r.quantity[5]; }>()),
    {"Label10", ControlKind::Label, "10", 120, 2580, 375, 285},
    bound(named({"txtv10", ControlKind::LineEdit, "", 600, 2580, 4815, 285, 18, widthOf(extraDescriptionField(10))},
                "Descrizione voce n. 10"),
          text<[](ExtraLinesRecord& r) -> auto& { return r.description[6]; }>()),
    bound(named({"txtimp10", ControlKind::LineEdit, "", 5535, 2580, 1335, 285, 19, widthOf(extraAmountField(10)),
                 Filter::Amount},
                "Importo voce n. 10"),
          text<[](ExtraLinesRecord& r) -> auto& { return r.amount[6]; }>()),
    bound(named({"txtq10", ControlKind::LineEdit, "", 6990, 2580, 735, 285, 20, widthOf(extraQuantityField(10)),
                 Filter::Digits},
                "Quantità voce n. 10"),
          text<[](ExtraLinesRecord& r) -> auto& { return r.quantity[6]; }>()),
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
