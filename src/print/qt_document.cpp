#include "print/qt_document.h"

#include "print/qt_page.h"

#include <QFileInfo>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>

namespace tessaro::print {

namespace {

DocumentOutcome::Kind run(QPrinter& printer, const DrawDocument& draw, DocumentOutcome::Kind done)
{
    QtPage page(printer);
    draw(page);
    const bool ended = page.endDoc();
    if (!page.opened())
        return DocumentOutcome::Kind::Empty;
    return ended ? done : DocumentOutcome::Kind::Refused;
}

} // namespace

DocumentOutcome writePdf(const std::string& path, const DrawDocument& draw)
{
    const QString fileName = QString::fromStdString(path);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(fileName);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setFullPage(true);
    printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Point);

    DocumentOutcome outcome;
    outcome.path = path;
    outcome.kind = run(printer, draw, DocumentOutcome::Kind::SavedAsPdf);
    // The PDF engine reports little about the file itself: trust only a file
    // that is there and not empty.
    if (outcome.kind == DocumentOutcome::Kind::SavedAsPdf && QFileInfo(fileName).size() <= 0)
        outcome.kind = DocumentOutcome::Kind::Refused;
    return outcome;
}

DocumentOutcome printOnDefaultPrinter(const std::string& pdfFallbackPath, const DrawDocument& draw)
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        return writePdf(pdfFallbackPath, draw);

    QPrinter printer(info, QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("Tessaro"));
    DocumentOutcome outcome;
    outcome.printer = info.printerName().toStdString();
    outcome.kind = run(printer, draw, DocumentOutcome::Kind::Printed);
    return outcome;
}

} // namespace tessaro::print
