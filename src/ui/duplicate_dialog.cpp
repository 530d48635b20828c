#include "ui/duplicate_dialog.h"

#include "archive/box_titles.h"
#include "ui/twips.h"

#include <QPushButton>

#include <array>

namespace tessaro::ui {

namespace {

const std::array<ControlSpec, 4> Table = {{
    {"Label1", ControlKind::Label, "Il file contiene già un record con lo stesso nome e cognome", 240, 120, 5175, 495,
     -1, 0, Filter::None, "", "", 9.75, true},
    {"Command1", ControlKind::PushButton, "Sostituisci", 360, 840, 1215, 495, 0},
    {"Command2", ControlKind::PushButton, "Salva come nuovo record", 2040, 840, 1335, 495, 1},
    {"Command3", ControlKind::PushButton, "Annulla", 3840, 840, 1335, 495, 2},
}};

} // namespace

std::span<const ControlSpec> duplicateDialogTable()
{
    return Table;
}

DuplicateDialog::DuplicateDialog(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QString::fromUtf8(archive::AttentionTitle));
    setFixedSize(twipsSize(DuplicateDialogWidthTwips, DuplicateDialogHeightTwips));
    buildControls(this, Table);

    const auto wire = [this](const char* name, DuplicateChoice choice) {
        connect(findChild<QPushButton*>(QString::fromLatin1(name)), &QPushButton::clicked, this, [this, choice] {
            m_choice = choice;
            accept();
        });
    };
    wire("Command1", DuplicateChoice::Replace);
    wire("Command2", DuplicateChoice::SaveAsNew);
    wire("Command3", DuplicateChoice::Cancel);
}

void DuplicateDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    findChild<QPushButton*>(QStringLiteral("Command1"))->setFocus();
}

} // namespace tessaro::ui
