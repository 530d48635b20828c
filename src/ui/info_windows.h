// The three small windows of the "?" menu: "Informazioni", "Prodotti Pelvio"
// and "Manuale d'uso". Each is a window of its own that deletes itself when
// closed; the show functions open it beside the main window.
#pragma once

#include <QString>

class QDialog;
class QWidget;

namespace tessaro::ui {

QDialog* createInformationWindow(QWidget* parent);
QDialog* createProductsWindow(QWidget* parent);
// A read-only note with a vertical scroll bar (txtmanuale) and "Ok" (Command1).
// The note names where the manual is: installed, and in the sources when run from a build tree.
QString manualNote(const QString& installedPath, const QString& sourcePath);
QDialog* createManualWindow(QWidget* parent, const QString& installedPath = {}, const QString& sourcePath = {});

void showInformationWindow(QWidget* parent);
void showProductsWindow(QWidget* parent);
void showManualWindow(QWidget* parent, const QString& installedPath = {}, const QString& sourcePath = {});

} // namespace tessaro::ui
