#include "ui/info_windows.h"

#include "ui/control_table.h"
#include "ui/twips.h"

#include <QDesktopServices>
#include <QDialog>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QUrl>

#include <array>

#ifndef TESSARO_VERSION
#define TESSARO_VERSION "0"
#endif

namespace tessaro::ui {

namespace {

const char* const VersionText = "Versione " TESSARO_VERSION;

const std::array<ControlSpec, 3> InformationTable = {{
    {"Label1", ControlKind::Label, "Tessaro", 240, 240, 4815, 375, -1, 0, Filter::None, "", "", 14, true},
    {"Label2", ControlKind::Label, "", 240, 720, 4815, 255},
    {"Label3", ControlKind::Label,
     "Fatture per professionisti e piccoli commercianti: scrittura, archivio, calcolo e stampa.", 240, 1080, 4815, 495},
}};

const std::array<ControlSpec, 3> ProductsTable = {{
    {"Label1", ControlKind::Label, "Tessaro", 240, 240, 4815, 375, -1, 0, Filter::None, "", "", 14, true},
    {"Label2", ControlKind::Label, "", 240, 720, 4815, 255},
    {"Label3", ControlKind::Label,
     "Prodotti Pelvio: Tessaro, il programma per le fatture di professionisti e piccoli commercianti.", 240, 1080, 4815,
     495},
}};

const std::array<ControlSpec, 2> ManualTable = {{
    named({"txtmanuale", ControlKind::MultiLineEdit, "", 120, 120, 5535, 2415, 1}, "Manuale d'uso"),
    {"Command1", ControlKind::PushButton, "Ok", 2400, 2655, 855, 375, 0},
}};

const char* const ManualNoteEnd
    = "Durante il lavoro la riga in basso nella finestra principale spiega a cosa serve il campo "
      "in cui si sta scrivendo.\n\n"
      "I dati (emittenti, clienti e fatture) sono conservati nella cartella da cui viene avviato "
      "Tessaro: per farne una copia di sicurezza basta copiare quella cartella.";

QDialog* createWindow(QWidget* parent, const QString& title, std::span<const ControlSpec> table, int widthTwips,
                      int heightTwips)
{
    auto* window = new QDialog(parent);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowTitle(title);
    window->setFixedSize(twipsSize(widthTwips, heightTwips));
    buildControls(window, table);
    return window;
}

QDialog* createAboutWindow(QWidget* parent, const QString& title, std::span<const ControlSpec> table)
{
    QDialog* window = createWindow(parent, title, table, 5295, 1815);
    window->findChild<QLabel*>(QStringLiteral("Label2"))->setText(QString::fromUtf8(VersionText));
    return window;
}

void showBeside(QDialog* window)
{
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace

QDialog* createInformationWindow(QWidget* parent)
{
    return createAboutWindow(parent, QStringLiteral("Informazioni"), InformationTable);
}

QDialog* createProductsWindow(QWidget* parent)
{
    return createAboutWindow(parent, QStringLiteral("Prodotti Pelvio"), ProductsTable);
}

QString manualNote(const QString& found, const QStringList& lookedIn)
{
    QString note = QStringLiteral("Il manuale d'uso di Tessaro è una pagina HTML che si legge con qualunque "
                                  "browser, anche senza avviare il programma.\n\n");
    if (!found.isEmpty())
        note += QStringLiteral("Non è stato possibile aprirlo con il browser. Il manuale si trova in:\n%1\n\n")
                    .arg(found);
    else
        note += QStringLiteral("Il manuale non è stato trovato. È stato cercato in:\n%1\n\n")
                    .arg(lookedIn.join(QLatin1Char('\n')));
    return note + QString::fromUtf8(ManualNoteEnd);
}

QDialog* createManualWindow(QWidget* parent, const QString& found, const QStringList& lookedIn)
{
    QDialog* window = createWindow(parent, QStringLiteral("Manuale d'uso"), ManualTable, 5775, 3150);
    auto* note = window->findChild<QPlainTextEdit*>(QStringLiteral("txtmanuale"));
    note->setPlainText(manualNote(found, lookedIn));
    note->setReadOnly(true);
    note->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    note->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QObject::connect(window->findChild<QPushButton*>(QStringLiteral("Command1")), &QPushButton::clicked, window,
                     &QDialog::close);
    return window;
}

void showInformationWindow(QWidget* parent)
{
    showBeside(createInformationWindow(parent));
}

void showProductsWindow(QWidget* parent)
{
    showBeside(createProductsWindow(parent));
}

QDialog* openManual(QWidget* parent, const QString& found, const QStringList& lookedIn,
                    const std::function<bool(const QUrl&)>& openUrl)
{
    if (!found.isEmpty()) {
        const QUrl page = QUrl::fromLocalFile(found);
        if (openUrl ? openUrl(page) : QDesktopServices::openUrl(page))
            return nullptr;
    }
    QDialog* window = createManualWindow(parent, found, lookedIn);
    showBeside(window);
    return window;
}

} // namespace tessaro::ui
