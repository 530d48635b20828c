#include "app/extra_lines_commands.h"

#include "archive/box_titles.h"
#include "calc/numbers.h"
#include "ui/dialogs.h"

namespace tessaro::app {

bool mayOpenExtraLines(const archive::InvoiceForm& form, const archive::AppState& state, ui::Dialogs& dialogs)
{
    if (state.invoiceType == archive::InvoiceType::Professional) {
        dialogs.message(ExtraLinesForServicesText, archive::AttentionTitle, ui::Buttons::Ok);
        return false;
    }
    for (const std::string& amount : form.amount) {
        if (calc::numericValue(amount) == 0) {
            dialogs.message(FirstLinesMissingText, archive::AttentionTitle, ui::Buttons::Ok);
            return false;
        }
    }
    return true;
}

archive::ExtraLinesRecord extraLinesToShow(const archive::ExtraLinesRecord& store)
{
    archive::ExtraLinesRecord shown;
    for (std::size_t i = 0; i < shown.description.size(); ++i) {
        shown.description[i] = store.description[i];
        if (calc::numericValue(store.amount[i]) > 0) {
            shown.amount[i] = store.amount[i];
            shown.quantity[i] = store.quantity[i];
        }
    }
    return shown;
}

ExtraLinesController::~ExtraLinesController()
{
    delete m_window;
}

void ExtraLinesController::show(QWidget* parent, const archive::InvoiceForm& form, OkCallback onOk)
{
    m_onOk = std::move(onOk);
    if (m_window && m_window->isVisible()) {
        m_window->raise();
        m_window->activateWindow();
        return;
    }
    delete m_window; // closed, waiting for its deferred deletion
    // The flag of the invoice the lines belong to, taken when the window opens.
    const char flag = form.buffer.currency.empty() ? '\0' : form.buffer.currency.front();
    auto* window = new ui::ExtraLinesWindow([flag] { return flag; }, parent);
    window->setLines(extraLinesToShow(form.extraLines));
    m_window = window;
    QObject::connect(window, &ui::ExtraLinesWindow::okClicked, window, [this, window] {
        const archive::ExtraLinesRecord lines = window->lines();
        window->accept();
        if (m_onOk)
            m_onOk(lines);
    });
    QObject::connect(window, &QDialog::finished, window, &QObject::deleteLater);
    window->setModal(false);
    window->show();
    window->raise();
    window->activateWindow();
}

void ExtraLinesController::close()
{
    if (m_window)
        m_window->reject();
}

} // namespace tessaro::app
