#include "print/qt_document.h"

#include "archive/whole_file.h"
#include "print/qt_page.h"

#include <QFile>
#include <QFileInfo>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryFile>

namespace tessaro::print {

namespace {

DocumentOutcome::Kind run(QPrinter& printer, QtPage::Delivery delivery, const DrawDocument& draw,
                          DocumentOutcome::Kind done)
{
    QtPage page(printer, delivery);
    draw(page);
    if (page.abandoned())
        return DocumentOutcome::Kind::Cancelled;
    const bool ended = page.endDoc();
    if (!page.opened())
        return DocumentOutcome::Kind::Empty;
    return ended ? done : DocumentOutcome::Kind::Refused;
}

// A free name beside the target, so that the finished file can take the
// target's place in one step and a failed write leaves an older file whole.
// The placeholder goes again at once: the PDF is then created like any new
// file, with the usual permissions rather than a temporary file's.
QString temporaryBeside(const std::string& path)
{
    const QFileInfo target(QString::fromStdString(path));
    QTemporaryFile file(target.absolutePath() + QStringLiteral("/.tessaro-XXXXXX.pdf"));
    if (!file.open())
        return {};
    return file.fileName();
}

} // namespace

DocumentOutcome writePdf(const std::string& path, const DrawDocument& draw)
{
    DocumentOutcome outcome;
    outcome.path = path;
    const QString temporary = temporaryBeside(path);
    if (temporary.isEmpty()) {
        outcome.kind = DocumentOutcome::Kind::Refused;
        return outcome;
    }

    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(temporary);
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setFullPage(true);
        printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Point);
        outcome.kind = run(printer, QtPage::Delivery::AsDrawn, draw, DocumentOutcome::Kind::SavedAsPdf);
    }
    // The PDF engine reports little about the file itself: trust only a file
    // that is there and not empty.
    if (outcome.kind == DocumentOutcome::Kind::SavedAsPdf && QFileInfo(temporary).size() <= 0)
        outcome.kind = DocumentOutcome::Kind::Refused;
    // One step that replaces an older file of the name once the new one is
    // on the disk, never leaving neither.
    if (outcome.kind == DocumentOutcome::Kind::SavedAsPdf
        && archive::moveIntoPlace(archive::realFileSystem(), temporary.toStdString(), path))
        return outcome;
    if (outcome.kind == DocumentOutcome::Kind::SavedAsPdf)
        outcome.kind = DocumentOutcome::Kind::Refused;
    QFile::remove(temporary);
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
    outcome.kind = run(printer, QtPage::Delivery::WhenComplete, draw, DocumentOutcome::Kind::Printed);
    return outcome;
}

} // namespace tessaro::print
