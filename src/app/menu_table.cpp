#include "app/menu_table.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

#include <array>

namespace tessaro::app {

namespace {

using C = ui::Command;

constexpr std::array fileItems {
    MenuItemSpec {"mnufdati", "Dati di chi emette la fattura", C::IssuerData},
    MenuItemSpec {"mnufn1", "-"},
    MenuItemSpec {"mnufnuova", "Nuova fattura", C::NewInvoice},
    MenuItemSpec {"mnufsalva", "Salva fattura", C::SaveInvoice},
    MenuItemSpec {"mnufstampa", "Stampa fattura", C::PrintInvoice},
    MenuItemSpec {"mnuftutte", "Stampa tutte le fatture dell'anno", C::PrintYear},
    MenuItemSpec {"mnufpdf", "Salva fattura in PDF", C::SavePdf},
    MenuItemSpec {"mnufxml", "Esporta fattura elettronica (XML)", C::ExportEinvoice},
    MenuItemSpec {"mnufxmlanno", "Esporta fatture elettroniche dell'anno", C::ExportEinvoiceYear},
    MenuItemSpec {"mnufricevute", "Importa ricevute SdI...", C::ImportReceipts},
    MenuItemSpec {"mnufregistro", "Registro fatture dell'anno", C::Register},
    MenuItemSpec {"mnufnotacredito", "Nota di credito", C::CreditNote},
    MenuItemSpec {"mnufn2", "-"},
    MenuItemSpec {"mnufcalctutt", "Calcolo impon. di tutte le fatture", C::TotalAll},
    MenuItemSpec {"mnufcalcalcun", "Calcolo impon. di alcune fatture", C::TotalSome},
    MenuItemSpec {"mnufcalciva", "Calcolo IVA fatture specificate", C::TotalVat},
    MenuItemSpec {"mnufn3", "-"},
    MenuItemSpec {"mnufbackup", "Copia di sicurezza...", C::Backup},
    MenuItemSpec {"mnufrestore", "Ripristina copia di sicurezza...", C::RestoreBackup},
    MenuItemSpec {"mnufghj", "-"},
    MenuItemSpec {"mnufesci", "Esci dal programma", C::Quit},
};

constexpr std::array editItems {
    MenuItemSpec {"mnueins", "Inserisci fattura", C::InsertInvoice},
    MenuItemSpec {"mnuecanc", "Cancella fattura", C::DeleteInvoice},
    MenuItemSpec {"mnuelinea", "-"},
    MenuItemSpec {"mnuecancanno", "Cancella le fatture di un anno", C::DeleteYear},
    MenuItemSpec {"mnueazz", "Azzera tutto", C::ResetAll},
    MenuItemSpec {"mnueazzcli", "Azzera archivio clienti", C::DeleteClients},
};

constexpr std::array currencyItems {
    MenuItemSpec {"mnumlire", "in Lire", C::Lire, true},
    MenuItemSpec {"mnumeuro", "in Euro", C::Euro, true},
    MenuItemSpec {"mnutni", "-"},
    MenuItemSpec {"mnutval", "Valore di un euro", C::EuroValue},
};

constexpr std::array typeItems {
    MenuItemSpec {"mnutp", "Per prestazione", C::Professional, true},
    MenuItemSpec {"mnutc", "Commerciale", C::Commercial, true},
};

// Which book of the year the window works on.
constexpr std::array documentItems {
    MenuItemSpec {"mnudfatture", "Fatture", C::Invoices, true},
    MenuItemSpec {"mnudavvisi", "Avvisi di parcella", C::Notices, true},
    MenuItemSpec {"mnudn1", "-"},
    MenuItemSpec {"mnudemetti", "Emetti fattura", C::IssueInvoice},
};

constexpr std::array reverseItems {
    MenuItemSpec {"mnuinvprest", "Fatture per prestazione", C::ReverseProfessional},
    MenuItemSpec {"mnuinvcomm", "Fatture commerciali", C::ReverseCommercial},
};

// Added menus go before "?", so the menus of old keep their places.
constexpr std::array paymentItems {
    MenuItemSpec {"mnuincfattura", "Incassi della fattura...", C::Payments, false, "Ctrl+I"},
    MenuItemSpec {"mnuincanno", "Incassi dell'anno...", C::YearReceipts},
    MenuItemSpec {"mnuincforf", "Regime forfettario: limiti e stima...", C::FlatRate},
    MenuItemSpec {"mnuincrit", "Ritenute subite per cliente...", C::Withholdings},
};

constexpr std::array infoItems {
    MenuItemSpec {"mnuiman", "Informazioni", C::Information},
    MenuItemSpec {"mnumanuale", "Manuale d'uso", C::Manual},
    MenuItemSpec {"mnuprodotti", "Prodotti Pelvio", C::Products},
};

const std::array menus {
    MenuSpec {"mnuf", "File", fileItems},
    MenuSpec {"mnue", "Edit", editItems},
    MenuSpec {"mnum", "Tipo di moneta", currencyItems},
    MenuSpec {"mnut", "Tipo di fattura", typeItems},
    MenuSpec {"mnud", "Documento", documentItems},
    MenuSpec {"mnuinv", "Calcolo inverso", reverseItems},
    MenuSpec {"mnuinc", "Incassi", paymentItems},
    MenuSpec {"mnui", "?", infoItems},
};

} // namespace

std::span<const MenuSpec> menuTable()
{
    return menus;
}

QHash<QString, QAction*> buildMenuBar(QMenuBar* bar)
{
    QHash<QString, QAction*> actions;
    for (const MenuSpec& spec : menus) {
        // Captions carry no "&": the menus have no Alt keys.
        QMenu* menu = bar->addMenu(QString::fromUtf8(spec.caption));
        menu->setObjectName(QString::fromLatin1(spec.name));
        menu->menuAction()->setObjectName(QString::fromLatin1(spec.name));
        actions.insert(QString::fromLatin1(spec.name), menu->menuAction());
        for (const MenuItemSpec& item : spec.items) {
            QAction* action = QString::fromUtf8(item.caption) == QLatin1String("-")
                ? menu->addSeparator()
                : menu->addAction(QString::fromUtf8(item.caption));
            action->setObjectName(QString::fromLatin1(item.name));
            action->setCheckable(item.checkable);
            if (*item.shortcut)
                action->setShortcut(QKeySequence(QString::fromLatin1(item.shortcut)));
            actions.insert(QString::fromLatin1(item.name), action);
        }
    }
    return actions;
}

} // namespace tessaro::app
