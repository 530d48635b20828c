// The invoice window: its controls, filters, help line, the omitted-VAT box
// and the copy of an invoice in and out.
#include "ui/filters.h"
#include "ui/main_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

#include <cmath>
#include <tuple>

using tessaro::archive::InvoiceForm;
using tessaro::archive::InvoiceType;
using tessaro::archive::PartyRecord;
using tessaro::ui::MainWindow;

Q_DECLARE_METATYPE(tessaro::ui::Filter)

namespace {

// Pixels at 96 dpi, edges converted one by one.
int px(int twips)
{
    return static_cast<int>(std::lround(twips * 96.0 / 1440.0));
}

QRect rectAt96(int left, int top, int width, int height)
{
    return QRect(px(left), px(top), px(left + width) - px(left), px(top + height) - px(top));
}

QString focusedName()
{
    QWidget* w = QApplication::focusWidget();
    while (w && (w->objectName().isEmpty() || w->objectName().startsWith(QLatin1String("qt_"))))
        w = w->parentWidget();
    return w ? w->objectName() : QString();
}

// Types text key by key, letters outside ASCII included (QTest::keyClicks knows ASCII only).
void typeText(QWidget* w, const QString& text)
{
    for (QChar ch : text) {
        const int key = ch.toUpper().unicode();
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(ch));
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(w, &press);
        QApplication::sendEvent(w, &release);
    }
}

// A field written with "|" where a key goes, or brackets round the selection it replaces.
tessaro::ui::FieldText marked(QString text)
{
    const int open = static_cast<int>(text.indexOf(QLatin1Char('['))),
              at = static_cast<int>(text.indexOf(QLatin1Char('|')));
    if (open < 0)
        return {text.remove(at, 1), at, 0};
    const int close = static_cast<int>(text.indexOf(QLatin1Char(']')));
    return {text.remove(close, 1).remove(open, 1), open, close - open - 1};
}

QString textOf(QWidget* w)
{
    if (auto* edit = qobject_cast<QLineEdit*>(w))
        return edit->text();
    if (auto* plain = qobject_cast<QPlainTextEdit*>(w))
        return plain->toPlainText();
    if (auto* combo = qobject_cast<QComboBox*>(w))
        return combo->currentText();
    return {};
}

struct Field {
    const char* name;
    int left, top, width, height;
    int maxLength; // 0: none
    const char* help;
};

// The input fields as the window must show them.
const Field Fields[] = {
    {"txtnum", 1080, 1320, 495, 285, 5,
     "Indicare il numero della fattura corrente oppure premere le frecce a fianco per spostarsi in altra fattura"},
    {"txtgio", 1080, 1680, 495, 285, 2, "Indicare il giorno di emissione della fattura"},
    {"txtmese", 1080, 2040, 495, 285, 2,
     "Indicare il mese di emissione della fattura. Ad esempio, per aprile indicare 04 oppure 4"},
    {"txtanno", 1080, 2400, 495, 285, 4, "Indicare l'anno di emissione della fattura"},
    {"txtiva", 5160, 1440, 375, 285, 2, "Indicare la percentuale IVA che deve essere applicata all'imponibile"},
    {"txtcn", 5160, 1800, 375, 285, 3,
     "Per i professionisti indicare la percentuale che va alla Cassa Nazionale. Ad es. per gli ingegneri il 2% va "
     "all'INARCASSA"},
    {"txtra", 5160, 2160, 375, 285, 2,
     "Indicare la percentuale soggetta ad eventuale ritenuta d'acconto. Lasciare in bianco se non soggetta a "
     "ritenuta d'acc."},
    {"txtspe", 5160, 2520, 735, 285, 8, "Indicare le spese generali sostenute esenti da IVA"},
    {"txtspe2", 5160, 2880, 735, 285, 8, "Indicare le spese sostenute per l'approvazione della parcella"},
    {"cmbtit", 7920, 600, 855, 315, 5, "Indicare un eventuale titolo del cliente"},
    {"txtc1", 7920, 1080, 3735, 285, 29, "Indicare il cognome o la denominazione sociale del cliente"},
    {"txtc2", 7920, 1440, 3735, 285, 29, "Indicare l'eventuale nome del cliente"},
    {"txtc3", 7920, 1800, 3735, 285, 40, "Indicare l'indirizzo (via, piazza, ecc.) fiscale del cliente"},
    {"txtc4", 7920, 2160, 3735, 285, 33, "Indicare la città di domicilio fiscale del cliente"},
    {"txtc6", 7920, 2520, 615, 285, 5, "Indicare il Codice di Avviamento Postale della città"},
    {"txtc5", 11280, 2520, 375, 285, 2, "Indicare la sigla della provincia"},
    {"txtc7", 7920, 2880, 1815, 285, 16,
     "Indicare il Codice Fiscale del cliente. Può essere omesso se si indica la partita IVA"},
    {"txtc8", 10440, 2880, 1215, 285, 12,
     "Indicare la partita IVA del cliente. Può essere omessa se si indica il C.F."},
    {"txtv1", 240, 3600, 2895, 1455, 210,
     "Descrivere l'articolo n. 1 od il tipo di prestazione (ad es. 'Onorario per progettazione...')"},
    {"txtimp1", 840, 5160, 1095, 285, 10, "Indicare l'importo (esente da IVA) della voce n. 1"},
    {"txtq1", 2760, 5160, 375, 285, 4, "Indicare la quantità (numero di pezzi) della voce n. 1"},
    {"txtv2", 3360, 3600, 2895, 1455, 150, "Descrivere un eventuale articolo n. 2"},
    {"txtimp2", 3960, 5160, 1095, 285, 10, "Indicare l'importo della voce n. 2"},
    {"txtq2", 5880, 5160, 375, 285, 4, "Indicare la quantità (numero di pezzi) della voce n. 2"},
    {"txtv3", 6480, 3600, 2895, 1455, 90, "Descrivere un eventuale articolo n. 3"},
    {"txtimp3", 7080, 5160, 1095, 285, 10, "Indicare l'importo della voce n. 3"},
    {"txtq3", 9000, 5160, 375, 285, 4, "Indicare la quantità (numero di pezzi) della voce n. 3"},
    {"txttot", 10440, 6120, 1095, 285, 10,
     "Indicare il totale da pagare. Saranno calcolate e ritroso le altre voci (importo, cassa nazionale, ritenuta "
     "d'acc.)"},
};

// The other controls with a name: position only.
const Field Others[] = {
    {"Label27", 240, 120, 2535, 255, 0, ""},    {"etcem1", 240, 360, 2895, 255, 0, ""},
    {"etcem2", 240, 600, 2895, 255, 0, ""},     {"etcem3", 240, 840, 2895, 255, 0, ""},
    {"command", 1920, 1320, 495, 255, 0, ""},   {"Command7", 2400, 1320, 495, 255, 0, ""},
    {"Command4", 1920, 1680, 975, 375, 0, ""},  {"Command5", 1920, 2160, 975, 375, 0, ""},
    {"Command2", 1920, 2760, 975, 375, 0, ""},  {"Check1", 240, 2760, 1695, 375, 0, ""},
    {"Frame1", 3240, 240, 2655, 855, 0, ""},    {"opt1", 120, 360, 1095, 195, 0, ""},
    {"opt2", 1320, 360, 975, 195, 0, ""},       {"label37", 3240, 1080, 1815, 375, 0, ""},
    {"etccambio", 5160, 1080, 735, 255, 0, ""}, {"Cmbclienti", 9120, 120, 2535, 315, 0, ""},
    {"Command3", 9120, 480, 2535, 375, 0, ""},  {"Command6", 9840, 3600, 1455, 1815, 0, ""},
    {"Command1", 240, 5880, 1815, 615, 0, ""},  {"etcimp", 3120, 6120, 1095, 255, 0, ""},
    {"etciva", 4800, 6120, 1095, 255, 0, ""},   {"etcra", 7485, 6120, 975, 255, 0, ""},
    {"etcspi", 240, 6600, 11415, 255, 0, ""},
};

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_window = std::make_unique<MainWindow>();
        m_window->show();
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    }
    void cleanup() { m_window.reset(); }

    void windowAtOpening()
    {
        QCOMPARE(m_window->windowTitle(), QStringLiteral("Tessaro"));
        QCOMPARE(m_window->centralWidget()->size(), QSize(px(11850), px(7080)));
        QCOMPARE(m_window->minimumSize(), m_window->maximumSize());
        QCOMPARE(focusedName(), QStringLiteral("txtnum"));
        QCOMPARE(get<QLabel>("etcspi")->text(), QString::fromUtf8(Fields[0].help));
        QVERIFY(get<QRadioButton>("opt2")->isChecked());
        QVERIFY(!get<QRadioButton>("opt1")->isChecked());
        QCOMPARE(get<QLineEdit>("txtiva")->text(), QStringLiteral("22"));
        QVERIFY(!get<QCheckBox>("Check1")->isChecked());
        QVERIFY(!get<QWidget>("label37")->isVisible());
        QVERIFY(!get<QWidget>("etccambio")->isVisible());
        QVERIFY(get<QWidget>("etcspi")->isVisible());
        QCOMPARE(get<QLabel>("etcem1")->palette().color(QPalette::Window), QColor(255, 255, 128));
        QVERIFY(get<QLabel>("Label27")->font().bold());

        auto* titles = get<QComboBox>("cmbtit");
        QVERIFY(titles->isEditable());
        QStringList items;
        for (int i = 0; i < titles->count(); ++i)
            items << titles->itemText(i);
        QCOMPARE(items, QStringList({"dott.", "ing.", "arch.", "geom.", "rag.", "soc.", "avv."}));
        QVERIFY(titles->currentText().isEmpty());
        QVERIFY(!get<QComboBox>("Cmbclienti")->isEditable());
    }

    void geometry_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("expected");
        for (const Field& f : Fields)
            QTest::newRow(f.name) << QString::fromLatin1(f.name) << rectAt96(f.left, f.top, f.width, f.height);
        for (const Field& f : Others)
            QTest::newRow(f.name) << QString::fromLatin1(f.name) << rectAt96(f.left, f.top, f.width, f.height);
    }

    void geometry()
    {
        QFETCH(QString, name);
        QFETCH(QRect, expected);
        QCOMPARE(get<QWidget>(name)->geometry(), expected);
    }

    void tabOrder_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QStringList>("expected");
        const QStringList head = {"txtnum", "txtgio", "txtmese", "txtanno", "txtiva"};
        const QStringList client = {"cmbtit", "txtc1", "txtc2", "txtc3", "txtc4", "txtc6", "txtc5", "txtc7", "txtc8"};
        QTest::newRow("service") << int(InvoiceType::Professional)
                                 << head + QStringList {"txtcn", "txtra", "txtspe", "txtspe2"} + client
                + QStringList {"txtv1",   "txtimp1",  "txtv2",    "txtimp2", "txtv3",
                               "txtimp3", "Command1", "Command2", "txttot"};
        QTest::newRow("commercial") << int(InvoiceType::Commercial)
                                    << head + client + QStringList {"txtv1",   "txtimp1",  "txtq1",    "txtv2",
                                                                    "txtimp2", "txtq2",    "txtv3",    "txtimp3",
                                                                    "txtq3",   "Command1", "Command2", "txttot"};
    }

    // Tab walks the fields in their order, ends the round at Check1 and never
    // stops on the five buttons that are not tab stops.
    void tabOrder()
    {
        QFETCH(int, type);
        QFETCH(QStringList, expected);
        m_window->setInvoiceType(static_cast<InvoiceType>(type));
        get<QWidget>("txtnum")->setFocus();
        QStringList visited {focusedName()};
        for (int i = 0; i < 60 && visited.size() < 2 * expected.size() + 10; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << focusedName();
            if (visited.last() == QLatin1String("txtnum"))
                break;
        }
        QCOMPARE(visited.mid(0, expected.size()), expected);
        QCOMPARE(visited.last(), QStringLiteral("txtnum"));
        QCOMPARE(visited.at(visited.size() - 2), QStringLiteral("Check1"));
        for (const char* name : {"command", "Command7", "Command4", "Command5", "Command3"})
            QVERIFY2(!visited.contains(QLatin1String(name)), name);
    }

    void maxLength_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("maxLength");
        for (const Field& f : Fields)
            QTest::newRow(f.name) << QString::fromLatin1(f.name) << f.maxLength;
    }

    void maxLength()
    {
        QFETCH(QString, name);
        QFETCH(int, maxLength);
        m_window->setInvoiceType(name.startsWith(QLatin1String("txtq")) ? InvoiceType::Commercial
                                                                        : InvoiceType::Professional);
        auto* field = get<QWidget>(name);
        field->setFocus();
        QTest::keyClicks(QApplication::focusWidget(), QString(maxLength + 3, QLatin1Char('7')));
        QCOMPARE(textOf(field), QString(maxLength, QLatin1Char('7')));
    }

    void filters_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QChar>("flag");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("expected");
        QTest::newRow("digits refuse a letter") << "txtgio" << QChar('e') << "a"
                                                << "";
        QTest::newRow("digits keep digits") << "txtgio" << QChar('e') << "1a2"
                                            << "12";
        QTest::newRow("digits refuse a point") << "txtc8" << QChar('e') << "1.2"
                                               << "12";
        QTest::newRow("digits and point") << "txtcn" << QChar('e') << "2.5a"
                                          << "2.5";
        QTest::newRow("amount euro") << "txtimp1" << QChar('e') << "12.50"
                                     << "12.50";
        QTest::newRow("amount euro: the comma is the point") << "txtimp2" << QChar('e') << "12,5"
                                                             << "12.5";
        QTest::newRow("amount lire") << "txtimp1" << QChar('l') << "12.50"
                                     << "1250";
        QTest::newRow("amount other flag") << "txtspe" << QChar('x') << "1,a"
                                           << "1,a";
        QTest::newRow("expenses euro") << "txtspe2" << QChar('e') << "3.5-"
                                       << "3.5";
        QTest::newRow("total euro") << "txttot" << QChar('e') << "12,50.1"
                                    << "12,50.1";
        QTest::newRow("total lire") << "txttot" << QChar('l') << "1,2.3"
                                    << "123";
        QTest::newRow("none takes anything") << "txtc1" << QChar('e') << "D'Amico & C."
                                             << "D'Amico & C.";
        QTest::newRow("code page letters")
            << "txtc4" << QChar('e') << QString::fromUtf8("Città €") << QString::fromUtf8("Città €");
        QTest::newRow("outside code page") << "txtc1" << QChar('e') << QString::fromUtf8("aŁb") << "ab";
        QTest::newRow("description outside code page") << "txtv1" << QChar('e') << QString::fromUtf8("aЖb") << "ab";
        QTest::newRow("title") << "cmbtit" << QChar('e') << QString::fromUtf8("pŁrof") << "prof";
    }

    void filters()
    {
        QFETCH(QString, name);
        QFETCH(QChar, flag);
        QFETCH(QString, typed);
        QFETCH(QString, expected);
        m_window->setCurrencyFlag(flag.toLatin1());
        auto* field = get<QWidget>(name);
        field->setFocus();
        typeText(QApplication::focusWidget(), typed);
        QCOMPARE(textOf(field), expected);
    }

    void backspacePasses()
    {
        auto* day = get<QLineEdit>("txtgio");
        day->setFocus();
        QTest::keyClicks(day, QStringLiteral("12"));
        QTest::keyClick(day, Qt::Key_Backspace);
        QCOMPARE(day->text(), QStringLiteral("1"));
    }

    void pastedTextOutsideCodePage()
    {
        auto* surname = get<QLineEdit>("txtc1");
        surname->setFocus();
        QApplication::clipboard()->setText(QString::fromUtf8("Łódź"));
        if (QApplication::clipboard()->text() != QString::fromUtf8("Łódź"))
            QSKIP("no clipboard on this platform");
        surname->paste();
        QCOMPARE(surname->text(), QString::fromUtf8("?ód?"));
    }

    // One key into an amount (or Cassa, or total) field; refused, with the beep, where the text stays as it was.
    void keystroke_data()
    {
        using tessaro::ui::Filter;
        QTest::addColumn<Filter>("filter");
        QTest::addColumn<char>("flag");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QChar>("key");
        QTest::addColumn<QString>("after");
        const Filter amount = Filter::Amount;
        QTest::newRow("comma types the point") << amount << 'e' << "12|" << QChar(',') << "12.|";
        QTest::newRow("second point") << amount << 'e' << "12.5|" << QChar('.') << "12.5|";
        QTest::newRow("comma after a decimal point") << amount << 'e' << "12.50|" << QChar(',') << "12.50|";
        QTest::newRow("thousands, then comma") << amount << 'e' << "1.250|" << QChar(',') << "1250.|";
        QTest::newRow("its second point refused") << amount << 'e' << "1.250000|" << QChar(',') << "1250000.|";
        QTest::newRow("comma among the digits") << amount << 'e' << "1.250|50" << QChar(',') << "1250.|50";
        QTest::newRow("selected point replaced") << amount << 'e' << "1[.5]" << QChar('.') << "1.|";
        QTest::newRow("Cassa") << Filter::DigitsAndPoint << 'e' << "4|" << QChar(',') << "4.|";
    }

    void keystroke()
    {
        QFETCH(tessaro::ui::Filter, filter);
        QFETCH(char, flag);
        QFETCH(QString, before);
        QFETCH(QChar, key);
        QFETCH(QString, after);
        const tessaro::ui::Keystroke typed = tessaro::ui::typeInto(filter, flag, marked(before), key);
        QCOMPARE(typed.refused, before == after);
        QCOMPARE(typed.refused ? before : QString(typed.after.text).insert(typed.after.start, QLatin1Char('|')), after);
    }

    // A note under the client's codice fiscale, as in the issuer window, while the field has the focus.
    void clientHintsFollowTheTyping()
    {
        get<QLineEdit>("txtc2")->setText(QStringLiteral("Mario"));
        get<QLineEdit>("txtc7")->setFocus();
        typeText(get<QLineEdit>("txtc7"), QStringLiteral("01234567897")); // a firm's code
        QCOMPARE(get<QLabel>("etcnota7")->text(),
                 QString::fromUtf8("Il codice fiscale del cliente 01234567897 non è valido: 11 cifre sono il codice "
                                   "fiscale di una società, quello di una persona è di 16 caratteri."));
        QVERIFY(get<QLabel>("etcnota7")->isVisible());
        get<QWidget>("txtc8")->setFocus();
        QVERIFY(!get<QLabel>("etcnota7")->isVisible());
    }

    void helpLine_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("help");
        for (const Field& f : Fields)
            QTest::newRow(f.name) << QString::fromLatin1(f.name) << QString::fromUtf8(f.help);
    }

    // Entering a field shows its help and selects its whole text; leaving it empties the line.
    void helpLine()
    {
        QFETCH(QString, name);
        QFETCH(QString, help);
        m_window->setInvoiceType(name.startsWith(QLatin1String("txtq")) ? InvoiceType::Commercial
                                                                        : InvoiceType::Professional);
        auto* field = get<QWidget>(name);
        const QString text = name == QLatin1String("cmbtit") ? QStringLiteral("ing.") : QStringLiteral("12345");
        if (auto* edit = qobject_cast<QLineEdit*>(field))
            edit->setText(text);
        else if (auto* plain = qobject_cast<QPlainTextEdit*>(field))
            plain->setPlainText(text);
        else
            qobject_cast<QComboBox*>(field)->setEditText(text);
        const QString shown = textOf(field);

        get<QWidget>("Command6")->setFocus();
        field->setFocus();
        QCOMPARE(get<QLabel>("etcspi")->text(), help);
        if (auto* edit = qobject_cast<QLineEdit*>(field)) {
            QCOMPARE(edit->selectionStart(), 0);
            QCOMPARE(edit->selectedText(), shown);
        } else if (auto* plain = qobject_cast<QPlainTextEdit*>(field)) {
            QCOMPARE(plain->textCursor().selectionStart(), 0);
            QCOMPARE(plain->textCursor().selectedText(), shown);
        } else {
            QCOMPARE(qobject_cast<QComboBox*>(field)->lineEdit()->selectedText(), shown);
        }
        get<QWidget>("Command6")->setFocus();
        QCOMPARE(get<QLabel>("etcspi")->text(), QString());
    }

    void typingReplacesTheSelection()
    {
        auto* surname = get<QLineEdit>("txtc1");
        surname->setText(QStringLiteral("Rossi"));
        get<QWidget>("txtc2")->setFocus();
        surname->setFocus();
        QCOMPARE(surname->selectedText(), QStringLiteral("Rossi"));
        QTest::keyClicks(surname, QStringLiteral("Bo"));
        QCOMPARE(surname->text(), QStringLiteral("Bo"));
    }

    void checkBoxHelpStaysWhenLeft()
    {
        const QString help = QStringLiteral("Inserisce o meno nella fattura la dicitura di 'operazione effettuata "
                                            "secondo la finanziaria 2008' per le fatture senza IVA.");
        get<QWidget>("Check1")->setFocus();
        QCOMPARE(get<QLabel>("etcspi")->text(), help);
        get<QWidget>("Command6")->setFocus();
        QCOMPARE(get<QLabel>("etcspi")->text(), help);
        get<QWidget>("txtgio")->setFocus();
        QCOMPARE(get<QLabel>("etcspi")->text(), QStringLiteral("Indicare il giorno di emissione della fattura"));
    }

    void amountHelpFollowsType_data()
    {
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("service");
        QTest::addColumn<QString>("commercial");
        const QString price
            = QStringLiteral("Indicare il prezzo (esente da IVA) del singolo elemento della voce n. %1");
        QTest::newRow("1") << 1 << "Indicare l'importo (esente da IVA) della voce n. 1" << price.arg(1);
        QTest::newRow("2") << 2 << "Indicare l'importo della voce n. 2" << price.arg(2);
        QTest::newRow("3") << 3 << "Indicare l'importo della voce n. 3" << price.arg(3);
    }

    void amountHelpFollowsType()
    {
        QFETCH(int, line);
        QFETCH(QString, service);
        QFETCH(QString, commercial);
        auto* amount = get<QWidget>(QStringLiteral("txtimp%1").arg(line));
        auto* help = get<QLabel>("etcspi");
        m_window->setInvoiceType(InvoiceType::Commercial);
        amount->setFocus();
        QCOMPARE(help->text(), commercial);
        m_window->setInvoiceType(InvoiceType::Professional); // while the field has the focus
        QCOMPARE(help->text(), service);
    }

    void enabledFieldsFollowType()
    {
        const QStringList service = {"txtcn", "txtra", "txtspe", "txtspe2"};
        const QStringList quantities = {"txtq1", "txtq2", "txtq3"};
        for (InvoiceType type : {InvoiceType::Commercial, InvoiceType::Professional}) {
            const bool commercial = type == InvoiceType::Commercial;
            m_window->setInvoiceType(type);
            for (const QString& name : service)
                QCOMPARE(get<QWidget>(name)->isEnabled(), !commercial);
            for (const QString& name : quantities)
                QCOMPARE(get<QWidget>(name)->isEnabled(), commercial);
        }
    }

    void omittedVat_data()
    {
        QTest::addColumn<bool>("checkedBefore");
        QTest::addColumn<QString>("vat");
        QTest::addColumn<bool>("checked");
        QTest::newRow("emptied") << false << "" << true;
        QTest::newRow("zero") << false << "0" << true;
        QTest::newRow("double zero") << false << "00" << true;
        QTest::newRow("four") << true << "4" << false;
        QTest::newRow("ten") << true << "10" << false;
        QTest::newRow("leading number") << true << "4x" << false;
        QTest::newRow("no number") << false << "x" << true;
    }

    void omittedVat()
    {
        QFETCH(bool, checkedBefore);
        QFETCH(QString, vat);
        QFETCH(bool, checked);
        auto* box = get<QCheckBox>("Check1");
        auto* field = get<QLineEdit>("txtiva");
        field->setText(QStringLiteral("7"));
        box->setChecked(checkedBefore);
        field->setText(vat);
        QCOMPARE(box->isChecked(), checked);
    }

    void omittedVatWhileTyping()
    {
        auto* box = get<QCheckBox>("Check1");
        auto* field = get<QLineEdit>("txtiva");
        field->setFocus();
        QTest::keyClick(field, Qt::Key_Backspace); // the whole "22" is selected
        QVERIFY(box->isChecked());
        QTest::keyClick(field, Qt::Key_4);
        QVERIFY(!box->isChecked());
        QTest::mouseClick(box, Qt::LeftButton); // the user may still tick it
        QVERIFY(box->isChecked());
        // Its caption wraps on two lines; a click on the second one toggles it too.
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(box->width() / 2, box->height() - 4));
        QVERIFY(!box->isChecked());
    }

    void roundTrip()
    {
        InvoiceForm form = sampleForm();
        form.buffer.currency = "l";
        form.rateText = "1936,27";
        m_window->showForm(form);
        QCOMPARE(get<QLabel>("etccambio")->text(), QStringLiteral("1936,27"));

        InvoiceForm back;
        back.buffer.currency = "e";
        back.rateText = "untouched";
        m_window->readForm(back);
        QCOMPARE(back.buffer.currency, std::string("e"));
        QCOMPARE(back.rateText, std::string("untouched"));
        auto texts = [](const InvoiceForm& f) {
            return std::tie(f.number, f.day, f.month, f.year, f.vat, f.pension, f.withholding, f.expenses, f.expenses2,
                            f.client, f.description, f.amount, f.quantity, f.onAccount, f.balance,
                            f.omittedVatStatement, f.taxable, f.vatAmount, f.withholdingAmount, f.total);
        };
        QVERIFY(texts(back) == texts(form));
    }

    void showFormLineBreaks_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("shown");
        QTest::newRow("CR LF") << "a\r\nb"
                               << "a\nb";
        QTest::newRow("LF") << "a\nb"
                            << "a\nb";
        QTest::newRow("CR") << "a\rb"
                            << "a\nb";
    }

    void showFormLineBreaks()
    {
        QFETCH(QString, stored);
        QFETCH(QString, shown);
        InvoiceForm form;
        form.description[2] = stored.toStdString();
        m_window->showForm(form);
        QCOMPARE(get<QPlainTextEdit>("txtv3")->toPlainText(), shown);
        m_window->readForm(form);
        QCOMPARE(form.description[2], std::string("a\r\nb"));
    }

    void showFormOptionsAndCheck()
    {
        InvoiceForm form;
        form.onAccount = false;
        form.balance = false; // a record with neither kind
        form.vat = "22";
        form.omittedVatStatement = true; // the VAT text does not change, so the box keeps this state
        m_window->showForm(form);
        QVERIFY(!get<QRadioButton>("opt1")->isChecked());
        QVERIFY(!get<QRadioButton>("opt2")->isChecked());
        QVERIFY(get<QCheckBox>("Check1")->isChecked());
        QTest::mouseClick(get<QRadioButton>("opt1"), Qt::LeftButton);
        QTest::mouseClick(get<QRadioButton>("opt2"), Qt::LeftButton);
        QVERIFY(!get<QRadioButton>("opt1")->isChecked()); // still exclusive afterwards

        form.vat = "0";
        form.omittedVatStatement = false; // a changed VAT text applies the rule
        m_window->showForm(form);
        QVERIFY(get<QCheckBox>("Check1")->isChecked());
    }

    // The title names what became of the electronic invoice, and what to do when the client must be told.
    void titleNamesTheEinvoice()
    {
        InvoiceForm form;
        form.sdiStatus = "scartata (00305)";
        m_window->showForm(form);
        QCOMPARE(m_window->windowTitle(), QStringLiteral("Tessaro - fattura elettronica: scartata (00305)"));
        form.sdiStatus = "non consegnata";
        m_window->showForm(form);
        QCOMPARE(m_window->windowTitle(),
                 QStringLiteral("Tessaro - fattura elettronica: non consegnata (avvisare il "
                                "cliente: è nella sua area riservata)"));
    }

    void showFormFocus()
    {
        InvoiceForm form;
        form.focusField = "txtgio";
        m_window->showForm(form);
        QCOMPARE(focusedName(), QStringLiteral("txtgio"));
        form.focusField.clear();
        m_window->showForm(form);
        QCOMPARE(focusedName(), QStringLiteral("txtgio"));
    }

    void yearEdited()
    {
        QSignalSpy spy(m_window.get(), &MainWindow::yearEdited);
        InvoiceForm form;
        form.year = "2024";
        m_window->showForm(form);
        QCOMPARE(spy.count(), 0);
        auto* year = get<QLineEdit>("txtanno");
        year->setFocus();
        QTest::keyClicks(year, QStringLiteral("2025"));
        QCOMPARE(spy.count(), 4);
        year->setText(QStringLiteral("2026")); // a program step outside showForm
        QCOMPARE(spy.count(), 5);
    }

    // The year switch shows the form again on every key typed into the year.
    void typingWhileTheFormIsShownAgain()
    {
        QSignalSpy spy(m_window.get(), &MainWindow::yearEdited);
        connect(m_window.get(), &MainWindow::yearEdited, this, [this] {
            InvoiceForm form;
            m_window->readForm(form);
            form.number = "7";
            m_window->showForm(form);
        });
        auto* year = get<QLineEdit>("txtanno");
        year->setFocus();
        QTest::keyClicks(year, QStringLiteral("2025"));
        QTest::keyClick(year, Qt::Key_Home);
        QTest::keyClick(year, Qt::Key_Delete);
        QTest::keyClicks(year, QStringLiteral("1"));
        QCOMPARE(year->text(), QStringLiteral("1025"));
        QCOMPARE(spy.count(), 6);
        QCOMPARE(get<QLineEdit>("txtnum")->text(), QStringLiteral("7"));
    }

    void showIssuer_data()
    {
        QTest::addColumn<QString>("province");
        QTest::addColumn<QString>("line3");
        QTest::newRow("province") << "MI"
                                  << "Milano (MI)";
        QTest::newRow("blank province") << "  "
                                        << "Milano (  )";
        QTest::newRow("empty province") << ""
                                        << "Milano ()";
    }

    void showIssuer()
    {
        QFETCH(QString, province);
        QFETCH(QString, line3);
        PartyRecord issuer;
        issuer.title = "ing. ";
        issuer.surname = "Rossi" + std::string(24, ' ');
        issuer.firstName = "  Mario" + std::string(22, ' ');
        issuer.address = " Via Roma 1" + std::string(29, ' ');
        issuer.city = "Milano" + std::string(29, ' ');
        issuer.province = province.toStdString();
        m_window->showIssuer(issuer);
        QCOMPARE(get<QLabel>("etcem1")->text(), QStringLiteral("ing. Mario Rossi"));
        QCOMPARE(get<QLabel>("etcem2")->text(), QStringLiteral("Via Roma 1"));
        QCOMPARE(get<QLabel>("etcem3")->text(), line3);
    }

    void clientList()
    {
        QSignalSpy picked(m_window.get(), &MainWindow::clientPicked);
        m_window->setClientEntries({"Bianchi Luca", "Verdi Anna", "Città Srl"});
        auto* list = get<QComboBox>("Cmbclienti");
        QCOMPARE(list->count(), 3);
        QCOMPARE(list->itemText(2), QString::fromUtf8("Città Srl"));
        QCOMPARE(picked.count(), 0);
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(picked.count(), 1);
        QCOMPARE(picked.at(0).at(0).toInt(), list->currentIndex());
        m_window->setClientEntries({"Neri"});
        QCOMPARE(picked.count(), 1);
    }

    void commands_data()
    {
        using tessaro::ui::Command;
        QTest::addColumn<QString>("name");
        QTest::addColumn<Command>("command");
        const std::pair<const char*, Command> buttons[] = {
            {"command", Command::PreviousInvoice}, {"Command7", Command::NextInvoice},
            {"Command4", Command::NewInvoice},     {"Command5", Command::SaveInvoice},
            {"Command2", Command::PrintInvoice},   {"Command1", Command::Calculate},
            {"Command3", Command::LoadClients},    {"Command6", Command::ExtraLines},
        };
        for (const auto& [name, command] : buttons)
            QTest::newRow(name) << QString::fromLatin1(name) << command;
    }

    void commands()
    {
        QFETCH(QString, name);
        QFETCH(tessaro::ui::Command, command);
        QSignalSpy spy(m_window.get(), &MainWindow::commandRequested);
        QTest::mouseClick(get<QPushButton>(name), Qt::LeftButton);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).value<tessaro::ui::Command>(), command);
    }

    void activatedSignal()
    {
        QSignalSpy spy(m_window.get(), &MainWindow::activated);
        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        QVERIFY(spy.count() >= 1);
    }

private:
    template <typename T> T* get(const QString& name)
    {
        T* w = m_window->findChild<T*>(name);
        if (!w)
            qFatal("no control %s", qPrintable(name));
        return w;
    }
    template <typename T> T* get(const char* name) { return get<T>(QString::fromLatin1(name)); }

    static InvoiceForm sampleForm()
    {
        InvoiceForm form;
        form.number = "12";
        form.day = "05";
        form.month = "3 ";
        form.year = "2025";
        form.vat = "0";
        form.pension = "4";
        form.withholding = "20";
        form.expenses = "10.50";
        form.expenses2 = "3";
        form.client.title = "avv. ";
        form.client.surname = "Rossi" + std::string(24, ' ');
        form.client.firstName = "Maria";
        form.client.address = "Via Po 3";
        form.client.city = "Forlì";
        form.client.province = "FC";
        form.client.postCode = "47121";
        form.client.taxCode = "RSSMRA80A41D704X";
        form.client.vatNumber = "01234567890";
        form.description = {"Progetto\r\nfase 1   ", "Direzione lavori", ""};
        form.amount = {"1000.00", "250", ""};
        form.quantity = {"1", "", "3"};
        form.onAccount = true;
        form.balance = false;
        form.omittedVatStatement = true;
        form.taxable = "1040,00";
        form.vatAmount = "0,00";
        form.withholdingAmount = "200,00";
        form.total = "853,50";
        return form;
    }

    std::unique_ptr<MainWindow> m_window;
};

QTEST_MAIN(TestMainWindow)
#include "test_main_window.moc"
