// Every text of every window shows whole in the program's own font: each
// caption, label, button, check box, option button, frame title and help
// text within the room its control gives it, and no caption over a neighbour.
#include "einvoice/fatturapa.h"
#include "ui/app_font.h"
#include "ui/caption_widgets.h"
#include "ui/duplicate_dialog.h"
#include "ui/einvoice_window.h"
#include "ui/extra_lines_window.h"
#include "ui/info_windows.h"
#include "ui/issuer_window.h"
#include "ui/main_window.h"
#include "ui/main_window_table.h"
#include "ui/payments_window.h"
#include "ui/qt_dialogs.h"
#include "ui/withholdings_window.h"
#include "ui/year_receipts_window.h"

#include <QFontInfo>
#include <QMessageBox>
#include <QRadioButton>
#include <QStyleOption>
#include <QTest>

#include <functional>
#include <memory>

using namespace tessaro;

namespace {

// Where a control shows, in its parent: the caption the program draws, or the whole control.
QRectF shownArea(QWidget* widget)
{
    auto* owner = dynamic_cast<ui::CaptionOwner*>(widget);
    return owner ? owner->captionBounds().translated(widget->pos()) : QRectF(widget->geometry());
}

// What is wrong with the text of widget: cut by its room, or run into a neighbour; empty when nothing is.
QString fault(QWidget* widget)
{
    const QString text = widget->property("text").toString() + widget->property("title").toString();
    QSizeF need;
    QRect room = widget->rect();
    if (auto* owner = dynamic_cast<ui::CaptionOwner*>(widget)) {
        need = owner->captionBounds().size();
        room = owner->captionRoom();
        for (auto* other : widget->parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (other != widget && widget->isVisible() && other->isVisible()
                && shownArea(widget).intersects(shownArea(other)))
                return text + " runs into " + other->objectName();
        }
    } else if (auto* label = qobject_cast<QLabel*>(widget)) { // the help line, a message box's text
        need = label->wordWrap() ? QSize(label->width(), label->heightForWidth(label->width())) : label->sizeHint();
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) { // option buttons, a message box's buttons
        QStyleOptionButton option;
        option.initFrom(button);
        const bool radio = qobject_cast<QRadioButton*>(button);
        room = button->style()->subElementRect(radio ? QStyle::SE_RadioButtonContents : QStyle::SE_PushButtonContents,
                                               &option, button);
        need = button->fontMetrics().size(Qt::TextShowMnemonic, text);
    } else if (widget->inherits("QGroupBox")) {
        need = QSize(widget->minimumSizeHint().width(), 0);
    }
    QString line;
    if (!text.isEmpty() && (need.width() > room.width() || need.height() > room.height()))
        QDebug(&line) << widget->objectName() << text << "needs" << need << "in" << room.size();
    return line;
}

using Factory = std::function<QWidget*()>;

// An issuer whose every identifier is wrong in the way with the longest hint.
const archive::PartyRecord LongestHints = {"", "", "Mario", "", "", "B0", "4010", "RSSMRA70A01A9Ò4G", "01234567890"};

} // namespace

class TestLayout : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { ui::installProgramLook(); }

    void theFontIsFoundByName()
    {
        for (const QFont& font : {QApplication::font(), ui::dialogFont(9.75, true), ui::MainWindow().font()})
            QCOMPARE(QFontInfo(font).family(), ui::dialogFontFamily());
        QCOMPARE(QApplication::font().pointSizeF(), 8.25);
    }

    void everyTextShowsWhole_data()
    {
        QTest::addColumn<Factory>("create");
        const QString prompt = QString::fromUtf8(einvoice::RecipientPrompt.data(), einvoice::RecipientPrompt.size());
        QTest::newRow("main") << Factory([] { return new ui::MainWindow; });
        QTest::newRow("main with the client's hints") << Factory([] {
            auto* window = new ui::MainWindow;
            archive::InvoiceForm form;
            form.client = LongestHints;
            window->showForm(form);
            return window;
        });
        QTest::newRow("issuer") << Factory([] { return new ui::IssuerWindow; });
        QTest::newRow("issuer with every hint") << Factory([] {
            auto* window = new ui::IssuerWindow;
            window->setFields(LongestHints);
            return window;
        });
        QTest::newRow("duplicate") << Factory([] { return new ui::DuplicateDialog; });
        QTest::newRow("extra lines") << Factory([] { return new ui::ExtraLinesWindow([] { return 'e'; }); });
        QTest::newRow("e-invoice") << Factory([] { return new ui::EinvoiceWindow; });
        QTest::newRow("e-invoice with every hint") << Factory([] {
            auto* window = new ui::EinvoiceWindow;
            window->showIssuerHints(LongestHints);
            return window;
        });
        QTest::newRow("information") << Factory([] { return ui::createInformationWindow(nullptr); });
        QTest::newRow("products") << Factory([] { return ui::createProductsWindow(nullptr); });
        QTest::newRow("manual") << Factory([] { return ui::createManualWindow(nullptr); });
        QTest::newRow("payments, filled") << Factory([] {
            auto* window = new ui::PaymentsWindow;
            ui::PaymentsView view;
            view.heading = "Nota di credito n. 32766 del 30/12/2026 - Bianchi Costruzioni Generali Srl Anna";
            view.toPay = view.received = view.owed = "-999999999,99";
            view.state = "incassata in parte";
            view.method = "MP19";
            view.term = "90FM";
            view.due = view.newDate = "30/12/2026";
            view.newMethod = "MP08";
            window->setView(view);
            return window;
        });
        QTest::newRow("withholdings, two books not read") << Factory([] {
            auto* window = new ui::WithholdingsWindow;
            ui::WithholdingsView view;
            view.year = "2026";
            view.rows.resize(1);
            view.notes = "Anno 2024: non letto (Impossibile leggere il file /home/utente/Documenti/Tessaro/12024.arc)\n"
                         "Anno 2025: non letto (Impossibile leggere il file /home/utente/Documenti/Tessaro/12025.inc)";
            window->setView(view);
            return window;
        });
        QTest::newRow("year's payments, filled") << Factory([] {
            auto* window = new ui::YearReceiptsWindow;
            ui::YearReceiptsView view;
            view.year = "2026";
            view.years = {"2027", "2026"};
            view.count = "32766 di 163830 incassi";
            view.problems = {"Anno 2024: non letto (il file non si può leggere)", "Anno 2025: non letto (idem)"};
            window->setView(view);
            return window;
        });
        QTest::newRow("input box") << Factory([prompt] { return ui::createInputBox(nullptr, prompt, {}, {}); });
        QTest::newRow("message box") << Factory(
            [prompt] { return ui::createMessageBox(nullptr, prompt, {}, ui::Buttons::YesNo); });
    }

    void everyTextShowsWhole()
    {
        QFETCH(Factory, create);
        const std::unique_ptr<QWidget> window(create());
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QStringList faults;
        for (QWidget* widget : window->findChildren<QWidget*>())
            faults << fault(widget);
        // The main window's help line shows the help text of each field in turn.
        if (auto* help = window->findChild<QLabel*>(QStringLiteral("etcspi"))) {
            for (const ui::ControlSpec& spec : ui::mainWindowControls()) {
                help->setText(QString::fromUtf8(spec.helpText));
                faults << fault(help);
            }
        }
        faults.removeAll(QString());
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
    }
};

QTEST_MAIN(TestLayout)
#include "test_layout.moc"
