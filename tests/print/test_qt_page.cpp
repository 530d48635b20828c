// The QPainter back end on a real PDF: Liberation Serif standing in for
// "Times New Roman" with unkerned widths, an A4 sheet in twips, a text
// read back at the position it was laid out at, and the document outcomes.
#include "layout_checks.h"
#include "print/invoice_page.h"
#include "print/qt_document.h"
#include "print/qt_page.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontInfo>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace tessaro;

namespace {

// Runs a poppler tool; empty when it is not installed or fails.
QString runTool(const QString& tool, const QStringList& arguments)
{
    if (QStandardPaths::findExecutable(tool).isEmpty())
        return {};
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

class TestQtPage : public QObject {
    Q_OBJECT

private slots:
    void invoiceOnPdf();
    void outcomes();
    void pageBreakAtTheEndAddsNoSheet();
    void printerGetsOnlyAWholeDocument();
};

void TestQtPage::invoiceOnPdf()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("fattura.pdf");
    auto form = test::sampleForm();
    const auto sheet = test::sampleSheet(archive::InvoiceType::Professional);

    QString family;
    double titleWidth = 0, scaleWidth = 0, scaleHeight = 0;
    const auto outcome = print::writePdf(path.toStdString(), [&](print::Page& page) {
        auto& qtPage = dynamic_cast<print::QtPage&>(page);
        print::layoutInvoice(page, form, sheet);
        page.setFontSize(14);
        page.setFontBold(true);
        titleWidth = page.textWidth("FATTURA N. 12");
        family = QFontInfo(qtPage.qFont()).family();
        scaleWidth = page.scaleWidth();
        scaleHeight = page.scaleHeight();
    });
    QCOMPARE(outcome.kind, print::DocumentOutcome::Kind::SavedAsPdf);
    QVERIFY(QFile::exists(path));

    QCOMPARE(family, QStringLiteral("Liberation Serif"));
    // The plain advance widths of Times New Roman: kerning would give 1988.5.
    QVERIFY2(std::abs(titleWidth - 2045.5) < 1, qPrintable(QString::number(titleWidth)));
    // A4 without margins, as the PDF writer sizes it: 595 x 842 points.
    QVERIFY2(std::abs(scaleWidth - 11900) < 2, qPrintable(QString::number(scaleWidth)));
    QVERIFY2(std::abs(scaleHeight - 16840) < 2, qPrintable(QString::number(scaleHeight)));

    const QString fonts = runTool("pdffonts", {path});
    if (fonts.isEmpty())
        QSKIP("pdffonts and pdftotext (poppler-utils) are needed to read the PDF back");
    QVERIFY2(fonts.contains("LiberationSerif"), qPrintable(fonts));

    const QString bbox = runTool("pdftotext", {"-bbox", path, "-"});
    QVERIFY(!bbox.isEmpty());
    const QRegularExpression word(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="[\d.]+" yMax="[\d.]+">FATTURA</word>)re");
    const auto match = word.match(bbox);
    QVERIFY2(match.hasMatch(), qPrintable(bbox.left(2000)));
    // Centred on 8500 twips with its top edge at 1000 twips, in points.
    const double xMin = match.captured(1).toDouble();
    const double yMin = match.captured(2).toDouble();
    QVERIFY2(std::abs(xMin - (8500 - titleWidth / 2) / 20) < 0.5, qPrintable(match.captured(0)));
    QVERIFY2(std::abs(yMin - 1000 / 20.0) < 1, qPrintable(match.captured(0)));
}

void TestQtPage::outcomes()
{
    QTemporaryDir dir;
    const QString unwritable = dir.filePath("missing/folder/fattura.pdf");
    const auto refused = print::writePdf(unwritable.toStdString(), [](print::Page& page) { page.printLine("x"); });
    QCOMPARE(refused.kind, print::DocumentOutcome::Kind::Refused);
    QCOMPARE(refused.path, unwritable.toStdString());

    const QString nothing = dir.filePath("nothing.pdf");
    const auto empty = print::writePdf(nothing.toStdString(), [](print::Page&) {});
    QCOMPARE(empty.kind, print::DocumentOutcome::Kind::Empty);
    QVERIFY(!QFile::exists(nothing));

    // Abandoned half way: an older file of the name stays as it was, and nothing is left beside it.
    const QString older = dir.filePath("registro.pdf");
    QFile file(older);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write("older") == 5);
    file.close();
    const auto abandoned = print::writePdf(older.toStdString(), [](print::Page& page) {
        page.printLine("x");
        page.newPage();
        page.abandon();
    });
    QCOMPARE(abandoned.kind, print::DocumentOutcome::Kind::Cancelled);
    QCOMPARE(QFileInfo(older).size(), 5);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList {"registro.pdf"});
}

// A printer's page keeps the drawing until the document is whole: a job
// handed to the spooler cannot be taken back. A PDF printer shows what the
// spooler would have received.
void TestQtPage::printerGetsOnlyAWholeDocument()
{
    QTemporaryDir dir;
    const auto printTo = [](const QString& path, bool abandon) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        print::QtPage page(printer, print::QtPage::Delivery::WhenComplete);
        for (int n = 1; n <= 2; ++n) {
            page.printLine("FATTURA N. " + std::to_string(n));
            page.fillRectangle(800, 2000, 1800, 2500, 50);
            page.newPage();
        }
        const bool nothingSentYet = !QFile::exists(path);
        if (abandon)
            page.abandon();
        return nothingSentYet && page.endDoc() == !abandon;
    };
    const QString whole = dir.filePath("whole.pdf");
    QVERIFY(printTo(whole, false));
    QVERIFY(printTo(dir.filePath("abandoned.pdf"), true));
    QVERIFY(!QFile::exists(dir.filePath("abandoned.pdf")));

    const QString info = runTool("pdfinfo", {whole});
    if (info.isEmpty())
        QSKIP("pdfinfo and pdftotext (poppler-utils) are needed to read the PDF back");
    QVERIFY2(QRegularExpression(R"(Pages:\s+2\n)").match(info).hasMatch(), qPrintable(info));
    QVERIFY(runTool("pdftotext", {whole, "-"}).contains("FATTURA N. 2"));
}

void TestQtPage::pageBreakAtTheEndAddsNoSheet()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("anno.pdf");
    const auto outcome = print::writePdf(path.toStdString(), [](print::Page& page) {
        for (int n = 1; n <= 2; ++n) {
            page.printLine("FATTURA N. " + std::to_string(n));
            page.newPage();
        }
    });
    QCOMPARE(outcome.kind, print::DocumentOutcome::Kind::SavedAsPdf);
    const QString info = runTool("pdfinfo", {path});
    if (info.isEmpty())
        QSKIP("pdfinfo (poppler-utils) is needed to count the pages");
    QVERIFY2(QRegularExpression(R"(Pages:\s+2\n)").match(info).hasMatch(), qPrintable(info));
}

QTEST_MAIN(TestQtPage)
#include "test_qt_page.moc"
