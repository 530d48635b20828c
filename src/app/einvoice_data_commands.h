// What an issuer adds for the electronic invoice, as its window edits them:
// read from "emit.fe" and "bollo.fe" before the window opens, checked and
// written by its "Ok". Every refusal is one "ATTENZIONE" box, and leaves the
// files as they were.
#pragma once

#include "archive/data_dir.h"
#include "einvoice/einvoice_files.h"
#include "ui/dialogs.h"

#include <optional>

namespace tessaro::app {

// The issuer's record, the defaults while it has none; nothing, after a box
// naming the file, when it cannot be read.
std::optional<einvoice::IssuerEinvoiceData> readEinvoiceData(const archive::DataDir& dir, int issuer,
                                                             ui::Dialogs& dialogs);

// "Ok": true when the data were valid and written for the issuer. Otherwise
// one box says every reason, and nothing is written.
bool saveEinvoiceData(const archive::DataDir& dir, int issuer, const einvoice::IssuerEinvoiceData& data,
                      ui::Dialogs& dialogs);

} // namespace tessaro::app
