// The three small windows of the "?" menu: "Informazioni", "Prodotti Pelvio"
// and "Manuale d'uso". Each is a window of its own that deletes itself when
// closed; the show functions open it beside the main window.
#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QDialog;
class QUrl;
class QWidget;

namespace tessaro::ui {

QDialog* createInformationWindow(QWidget* parent);
QDialog* createProductsWindow(QWidget* parent);
// A read-only note with a vertical scroll bar (txtmanuale) and "Ok" (Command1).
// The note names where the manual is (found) or, when it is nowhere, every
// place it was looked for (lookedIn).
QString manualNote(const QString& found, const QStringList& lookedIn);
QDialog* createManualWindow(QWidget* parent, const QString& found = {}, const QStringList& lookedIn = {});

void showInformationWindow(QWidget* parent);
void showProductsWindow(QWidget* parent);
// Opens the manual found in the browser (openUrl, QDesktopServices when
// empty). When there is none, or no browser takes it, shows the manual's
// window instead and returns it; nullptr when the browser opened it.
QDialog* openManual(QWidget* parent, const QString& found, const QStringList& lookedIn,
                    const std::function<bool(const QUrl&)>& openUrl = {});

} // namespace tessaro::ui
