// The three small windows of the "?" menu: "Informazioni", "Prodotti Pelvio"
// and "Manuale d'uso". Each is a window of its own that deletes itself when
// closed; the show functions open it beside the main window.
#pragma once

class QDialog;
class QWidget;

namespace tessaro::ui {

QDialog* createInformationWindow(QWidget* parent);
QDialog* createProductsWindow(QWidget* parent);
// A read-only note with a vertical scroll bar (txtmanuale) and "Ok" (Command1).
QDialog* createManualWindow(QWidget* parent);

void showInformationWindow(QWidget* parent);
void showProductsWindow(QWidget* parent);
void showManualWindow(QWidget* parent);

} // namespace tessaro::ui
