// "Vai alle altre voci": when the lines 4 to 10 may be edited, which stored
// texts the window shows, and the controller that keeps the window open
// beside the main window and hands back its texts on "Ok".
#pragma once

#include "archive/app_state.h"
#include "archive/invoice_form.h"
#include "archive/records.h"
#include "ui/extra_lines_window.h"

#include <QPointer>

#include <functional>

class QWidget;

namespace tessaro::ui {
class Dialogs;
} // namespace tessaro::ui

namespace tessaro::app {

inline constexpr const char* ExtraLinesForServicesText
    = "Le altre voci non sono disponibili per le fatture per prestazioni";
inline constexpr const char* FirstLinesMissingText = "Non hai riempito le prime tre voci quindi non servono le altre";

// Refuses, with its "ATTENZIONE" box, a professional-service invoice and an
// invoice whose first three amounts are not all filled in.
bool mayOpenExtraLines(const archive::InvoiceForm& form, const archive::AppState& state, ui::Dialogs& dialogs);

// The texts the window shows for a store: a description when it is not
// empty; an amount and its quantity only when the amount is above 0.
archive::ExtraLinesRecord extraLinesToShow(const archive::ExtraLinesRecord& store);

class ExtraLinesController {
public:
    // Receives the 21 texts typed, on "Ok" only.
    using OkCallback = std::function<void(const archive::ExtraLinesRecord&)>;

    ExtraLinesController() = default;
    ~ExtraLinesController();
    ExtraLinesController(const ExtraLinesController&) = delete;
    ExtraLinesController& operator=(const ExtraLinesController&) = delete;

    // Opens the window, loaded from form.extraLines, its amounts filtered by
    // the invoice's currency flag (form.buffer.currency); when it is already
    // open it is brought to the front as it is. Ask mayOpenExtraLines first.
    void show(QWidget* parent, const archive::InvoiceForm& form, OkCallback onOk);

    // Closes the open window without storing anything.
    void close();

    ui::ExtraLinesWindow* window() const { return m_window; }

private:
    QPointer<ui::ExtraLinesWindow> m_window;
    OkCallback m_onOk;
};

} // namespace tessaro::app
