#include "app/flat_rate_commands.h"

namespace tessaro::app {

void showFlatRate(archive::InvoiceForm&, archive::AppState&, ui::Dialogs&, const Clock&) { }

} // namespace tessaro::app
