// The identifier checks read through the hint a window shows beside a field:
// the sentence of the refusal, whose opening the e-invoice refusals assert.
// Valid codes computed by the official rules; 01234567897 and
// RSSMRA85T10A562S also checked by hand.
#include "einvoice/identifiers.h"

#include <QtTest>

using namespace tessaro::einvoice;

Q_DECLARE_METATYPE(IdentifierField)

class TestIdentifiers : public QObject {
    Q_OBJECT

private slots:
    void hints_data()
    {
        QTest::addColumn<IdentifierField>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("person");
        QTest::addColumn<QString>("reason"); // the end of the hint; empty: no hint
        const auto row = [](const char* name, IdentifierField field, const char* text, bool person,
                            const QString& reason) { QTest::newRow(name) << field << text << person << reason; };
        const auto vat = IdentifierField::VatNumber;
        const auto code = IdentifierField::TaxCode;
        const QString letter = "dovrebbe essere una lettera.";
        const QString digit = "dovrebbe essere una cifra.";
        const QString noDay = "non è un giorno di nascita: da 01 a 31, o da 41 a 71 per una donna.";

        row("VAT", vat, "01234567897", false, "");
        row("VAT, a doubled digit above 9", vat, "10000000009", false, "");
        row("VAT, two digits swapped", vat, "10234567897", false, ": l'ultima cifra dovrebbe essere 8, non 7.");
        row("VAT of 12 digits", vat, "012345678970", false, "del cliente deve essere di 11 cifre.");
        row("VAT with a letter", vat, "01234S67897", false, ": il carattere \"S\" in posizione 6 " + digit);
        // 11 characters in 12 bytes: positions count characters.
        row("VAT with an accent", vat, "0123456789à", false, ": il carattere \"à\" in posizione 11 " + digit);
        row("blank VAT", vat, "   ", false, "");

        row("person", code, "RSSMRA85T10A562S", true, "");
        row("woman, day 71", code, "BNCLRA92E71F205V", true, "");
        row("lower case between blanks", code, " vrdnna80a41d704q ", true, "");
        row("omocodia, one letter", code, "RSSMRA85T10A56NH", true, "");
        row("omocodia, every digit", code, "RSSMRAURTMLARSNL", true, "");
        row("omocodia in the day", code, "RSSMRA85T1LA562V", true, "");
        row("omocodia, check of the plain code", code, "RSSMRA85T10A56NS", true,
            ": il carattere di controllo dovrebbe essere H, non S.");
        row("digit in the name", code, "R5SMRA85T10A562S", true, ": il carattere \"5\" in posizione 2 " + letter);
        row("letter in the year", code, "RSSMRA8AT10A562S", true,
            ": il carattere \"A\" in posizione 8 dovrebbe essere una cifra o una delle lettere L, M, N, P, Q, R, S, "
            "T, U, V.");
        row("no month F", code, "RSSMRA85F10A562R", true,
            ": il carattere \"F\" in posizione 9 dovrebbe essere la lettera del mese di nascita (A, B, C, D, E, H, "
            "L, M, P, R, S, T).");
        row("digit for the place", code, "RSSMRA85T1005625", true, ": il carattere \"0\" in posizione 12 " + letter);
        row("digit as check", code, "RSSMRA85T10A5625", true, ": il carattere \"5\" in posizione 16 " + letter);
        row("day 00", code, "RSSMRA85T00A562R", true, ": \"00\" in posizione 10 e 11 " + noDay);
        row("day 77 in omocodia", code, "RSSMRA85T7TA562L", true, ": \"7T\" in posizione 10 e 11 " + noDay);
        row("person's code cut", code, "RSSMRA85T10", true, ": per una persona deve essere di 16 caratteri.");
        row("firm's code of 12", code, "012345678970", false,
            ": deve essere di 16 caratteri, o di 11 cifre per una società.");
        row("person with a firm's code", code, "01234567897", true,
            ": 11 cifre sono il codice fiscale di una società, quello di una persona è di 16 caratteri.");
        row("firm", code, "01234567897", false, "");
        row("firm with a person's code", code, "RSSMRA85T10A562S", false, "");
        row("firm, wrong check", code, "01234567890", false, ": l'ultima cifra dovrebbe essere 7, non 0.");
        row("firm, letters", code, "RSSMRA85T10", false, ": il carattere \"R\" in posizione 1 " + digit);

        row("province in lower case", IdentifierField::Province, "bo", false, "");
        row("blank province", IdentifierField::Province, "  ", false, "");
    }

    void hints()
    {
        QFETCH(IdentifierField, field);
        QFETCH(QString, text);
        QFETCH(bool, person);
        QFETCH(QString, reason);
        const auto hint = QString::fromStdString(identifierHint(field, text.toStdString(), PartyRole::Client, person));
        if (reason.isEmpty())
            QCOMPARE(hint, QString());
        else
            QVERIFY2(hint.endsWith(reason) && hint.contains(" del cliente "), qPrintable(hint));
    }
};

QTEST_GUILESS_MAIN(TestIdentifiers)
#include "test_identifiers.moc"
