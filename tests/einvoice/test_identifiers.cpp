// The checks of partita IVA, codice fiscale, CAP and province, read through
// the hint a window shows beside the field (the sentence of the refusal).
// The valid codes were computed by the official rules and two of them checked
// by hand: 01234567897 and RSSMRA85T10A562S.
#include "einvoice/identifiers.h"

#include <QtTest>

using namespace tessaro::einvoice;

Q_DECLARE_METATYPE(IdentifierField)

namespace {

const QString Vat = "La partita IVA del cliente ";
const QString Code = "Il codice fiscale del cliente ";
const QString Omocodia = "una cifra o una delle lettere L, M, N, P, Q, R, S, T, U, V.";

} // namespace

class TestIdentifiers : public QObject {
    Q_OBJECT

private slots:
    void hints_data()
    {
        QTest::addColumn<IdentifierField>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("person");
        QTest::addColumn<QString>("hint"); // empty: the text is fine
        const auto vat = IdentifierField::VatNumber;
        const auto code = IdentifierField::TaxCode;
        const auto row = [](const char* name, IdentifierField field, const QString& text, bool person,
                            const QString& hint) { QTest::newRow(name) << field << text << person << hint; };

        row("VAT valid", vat, "01234567897", false, "");
        row("VAT valid, a doubled digit above 9", vat, "10000000009", false, "");
        row("VAT valid between blanks", vat, "  09876543217 ", false, "");
        row("VAT wrong check digit", vat, "01234567890", false,
            Vat + "01234567890 non è valida: l'ultima cifra dovrebbe essere 7, non 0.");
        row("VAT two digits swapped", vat, "10234567897", false,
            Vat + "10234567897 non è valida: l'ultima cifra dovrebbe essere 8, non 7.");
        row("VAT of 10 digits", vat, "0123456789", false, "La partita IVA del cliente deve essere di 11 cifre.");
        row("VAT of 12 digits", vat, "012345678970", false, "La partita IVA del cliente deve essere di 11 cifre.");
        row("VAT with a letter", vat, "01234S67897", false,
            Vat + "01234S67897 non è valida: il carattere \"S\" in posizione 6 dovrebbe essere una cifra.");
        row("VAT with a blank inside", vat, "01234 67897", false,
            Vat + "01234 67897 non è valida: il carattere \" \" in posizione 6 dovrebbe essere una cifra.");
        // 11 characters in 12 bytes: positions count characters.
        row("VAT with an accented letter", vat, "0123456789à", false,
            Vat + "0123456789à non è valida: il carattere \"à\" in posizione 11 dovrebbe essere una cifra.");
        row("blank VAT", vat, "   ", false, "");

        row("person's code", code, "RSSMRA85T10A562S", true, "");
        row("woman's code, day 71", code, "BNCLRA92E71F205V", true, "");
        row("lower case between blanks", code, " vrdnna80a41d704q ", true, "");
        row("omocodia, one letter", code, "RSSMRA85T10A56NH", true, "");
        row("omocodia, three letters", code, "RSSMRA85T10ARSNO", true, "");
        row("omocodia, every digit", code, "RSSMRAURTMLARSNL", true, "");
        row("omocodia in the day", code, "RSSMRA85T1LA562V", true, "");
        row("wrong check character", code, "RSSMRA85T10A562X", true,
            Code + "RSSMRA85T10A562X non è valido: il carattere di controllo dovrebbe essere S, non X.");
        row("omocodia letter, check of the plain code", code, "RSSMRA85T10A56NS", true,
            Code + "RSSMRA85T10A56NS non è valido: il carattere di controllo dovrebbe essere H, non S.");
        row("lower case, wrong check", code, "rssmra85t10a562x", true,
            Code + "RSSMRA85T10A562X non è valido: il carattere di controllo dovrebbe essere S, non X.");
        row("digit among the name letters", code, "R5SMRA85T10A562S", true,
            Code + "R5SMRA85T10A562S non è valido: il carattere \"5\" in posizione 2 dovrebbe essere una lettera.");
        row("letter outside omocodia in the year", code, "RSSMRA8AT10A562S", true,
            Code + "RSSMRA8AT10A562S non è valido: il carattere \"A\" in posizione 8 dovrebbe essere " + Omocodia);
        row("no month F", code, "RSSMRA85F10A562R", true,
            Code
                + "RSSMRA85F10A562R non è valido: il carattere \"F\" in posizione 9 dovrebbe essere la lettera del "
                  "mese di nascita (A, B, C, D, E, H, L, M, P, R, S, T).");
        row("digit as place letter", code, "RSSMRA85T1005625", true,
            Code + "RSSMRA85T1005625 non è valido: il carattere \"0\" in posizione 12 dovrebbe essere una lettera.");
        row("digit as check character", code, "RSSMRA85T10A5625", true,
            Code + "RSSMRA85T10A5625 non è valido: il carattere \"5\" in posizione 16 dovrebbe essere una lettera.");
        row("day 35", code, "RSSMRA85T35A562G", true,
            Code
                + "RSSMRA85T35A562G non è valido: \"35\" in posizione 10 e 11 non è un giorno di nascita: da 01 a "
                  "31, o da 41 a 71 per una donna.");
        row("day 00", code, "RSSMRA85T00A562R", true,
            Code
                + "RSSMRA85T00A562R non è valido: \"00\" in posizione 10 e 11 non è un giorno di nascita: da 01 a "
                  "31, o da 41 a 71 per una donna.");
        row("day 77 in omocodia", code, "RSSMRA85T7TA562L", true,
            Code
                + "RSSMRA85T7TA562L non è valido: \"7T\" in posizione 10 e 11 non è un giorno di nascita: da 01 a "
                  "31, o da 41 a 71 per una donna.");
        row("person's code cut short", code, "RSSMRA85T10", true,
            Code + "RSSMRA85T10 non è valido: per una persona deve essere di 16 caratteri.");
        row("firm's code of 12 digits", code, "012345678970", false,
            Code + "012345678970 non è valido: deve essere di 16 caratteri, o di 11 cifre per una società.");
        row("firm's code", code, "01234567897", false, "");
        row("firm's code of 16 characters", code, "RSSMRA85T10A562S", false, "");
        row("firm's code, wrong check digit", code, "01234567890", false,
            Code + "01234567890 non è valido: l'ultima cifra dovrebbe essere 7, non 0.");
        row("firm's code with a letter", code, "RSSMRA85T10", false,
            Code + "RSSMRA85T10 non è valido: il carattere \"R\" in posizione 1 dovrebbe essere una cifra.");
        row("person with a firm's code", code, "01234567897", true,
            Code
                + "01234567897 non è valido: 11 cifre sono il codice fiscale di una società, quello di una persona "
                  "è di 16 caratteri.");
        row("blank code", code, "", true, "");

        const QString cap = "Il CAP del cliente deve essere di cinque cifre.";
        const QString province = "La provincia del cliente deve essere di due lettere.";
        row("CAP", IdentifierField::PostCode, " 06012", false, "");
        row("CAP of 4 digits", IdentifierField::PostCode, "4010", false, cap);
        row("CAP with a letter", IdentifierField::PostCode, "4010A", false, cap);
        row("province in lower case", IdentifierField::Province, "bo", false, "");
        row("province with a digit", IdentifierField::Province, "B0", false, province);
        row("province of 3 letters", IdentifierField::Province, "BOL", false, province);
        row("blank province", IdentifierField::Province, "  ", false, "");
    }

    void hints()
    {
        QFETCH(IdentifierField, field);
        QFETCH(QString, text);
        QFETCH(bool, person);
        QFETCH(QString, hint);
        const std::string shown = identifierHint(field, text.toStdString(), PartyRole::Client, person);
        QCOMPARE(QString::fromStdString(shown), hint);
    }
};

QTEST_GUILESS_MAIN(TestIdentifiers)
#include "test_identifiers.moc"
