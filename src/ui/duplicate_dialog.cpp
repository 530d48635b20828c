#include "ui/duplicate_dialog.h"

#include "ui/twips.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

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
    setWindowTitle(QStringLiteral("ATTENZIONE"));
    setFixedSize(twipsSize(DuplicateDialogWidthTwips, DuplicateDialogHeightTwips));
    buildControls(this, Table);
    findChild<QLabel*>(QStringLiteral("Label1"))->setWordWrap(true);

    const auto wire = [this](const char* name, DuplicateChoice choice) {
        connect(findChild<QPushButton*>(QString::fromLatin1(name)), &QPushButton::clicked, this, [this, choice] {
            m_choice = choice;
            accept();
        });
    };
    wire("Command1", DuplicateChoice::Replace);
    wire("Command2", DuplicateChoice::SaveAsNew);
    wire("Command3", DuplicateChoice::Cancel);

    // The buttons keep their measured widths; where a style pads more than
    // the classic one, a caption that would be cut gets a smaller type.
    for (auto* button : findChildren<QPushButton*>()) {
        QFont font = button->font();
        const int room = button->width() - 2 * button->style()->pixelMetric(QStyle::PM_ButtonMargin);
        while (font.pointSizeF() > 6 && QFontMetrics(font).horizontalAdvance(button->text()) > room)
            font.setPointSizeF(font.pointSizeF() - 0.25);
        button->setFont(font);
    }
}

void DuplicateDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    findChild<QPushButton*>(QStringLiteral("Command1"))->setFocus();
}

} // namespace tessaro::ui
