// The commands of the main window, named once: the menu items and the
// buttons say which one they run, and the application's command table gives
// each its handler. A name that runs nothing cannot be written.
#pragma once

namespace tessaro::ui {

enum class Command {
    None, // a control that runs no command of the main window
    IssuerData,
    NewInvoice,
    SaveInvoice,
    PrintInvoice,
    PrintYear,
    SavePdf,
    ExportEinvoice,
    ExportEinvoiceYear,
    TotalAll,
    TotalSome,
    TotalVat,
    Quit,
    InsertInvoice,
    DeleteInvoice,
    DeleteYear,
    ResetAll,
    DeleteClients,
    Lire,
    Euro,
    EuroValue,
    Professional,
    Commercial,
    ReverseProfessional,
    ReverseCommercial,
    Information,
    Manual,
    Products,
    PreviousInvoice,
    NextInvoice,
    Calculate,
    LoadClients,
    ExtraLines,
    Register,
    Backup,
    RestoreBackup,
    CreditNote,
    Payments,
    YearReceipts,
    FlatRate,
    Withholdings,
    ImportReceipts,
    Invoices,
    Notices,
    IssueInvoice,
    Count, // not a command: how many there are
};

} // namespace tessaro::ui
