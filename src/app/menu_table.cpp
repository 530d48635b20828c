#include "app/menu_table.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include <array>

namespace tessaro::app {

namespace {

constexpr std::array fileItems {
    MenuItemSpec {"mnufdati", "Dati di chi emette la fattura"},
    MenuItemSpec {"mnufn1", "-"},
    MenuItemSpec {"mnufnuova", "Nuova fattura"},
    MenuItemSpec {"mnufsalva", "Salva fattura"},
    MenuItemSpec {"mnufstampa", "Stampa fattura"},
    MenuItemSpec {"mnuftutte", "Stampa tutte le fatture dell'anno"},
    MenuItemSpec {"mnufpdf", "Salva fattura in PDF"},
    MenuItemSpec {"mnufxml", "Esporta fattura elettronica (XML)"},
    MenuItemSpec {"mnufxmlanno", "Esporta fatture elettroniche dell'anno"},
    MenuItemSpec {"mnufn2", "-"},
    MenuItemSpec {"mnufcalctutt", "Calcolo impon. di tutte le fatture"},
    MenuItemSpec {"mnufcalcalcun", "Calcolo impon. di alcune fatture"},
    MenuItemSpec {"mnufcalciva", "Calcolo IVA fatture specificate"},
    MenuItemSpec {"mnufghj", "-"},
    MenuItemSpec {"mnufesci", "Esci dal programma"},
};

constexpr std::array editItems {
    MenuItemSpec {"mnueins", "Inserisci fattura"},
    MenuItemSpec {"mnuecanc", "Cancella fattura"},
    MenuItemSpec {"mnuelinea", "-"},
    MenuItemSpec {"mnuecancanno", "Cancella le fatture di un anno"},
    MenuItemSpec {"mnueazz", "Azzera tutto"},
    MenuItemSpec {"mnueazzcli", "Azzera archivio clienti"},
};

constexpr std::array currencyItems {
    MenuItemSpec {"mnumlire", "in Lire", true},
    MenuItemSpec {"mnumeuro", "in Euro", true},
    MenuItemSpec {"mnutni", "-"},
    MenuItemSpec {"mnutval", "Valore di un euro"},
};

constexpr std::array typeItems {
    MenuItemSpec {"mnutp", "Per prestazione", true},
    MenuItemSpec {"mnutc", "Commerciale", true},
};

constexpr std::array reverseItems {
    MenuItemSpec {"mnuinvprest", "Fatture per prestazione"},
    MenuItemSpec {"mnuinvcomm", "Fatture commerciali"},
};

constexpr std::array infoItems {
    MenuItemSpec {"mnuiman", "Informazioni"},
    MenuItemSpec {"mnumanuale", "Manuale d'uso"},
    MenuItemSpec {"mnuprodotti", "Prodotti Pelvio"},
};

const std::array menus {
    MenuSpec {"mnuf", "File", fileItems},
    MenuSpec {"mnue", "Edit", editItems},
    MenuSpec {"mnum", "Tipo di moneta", currencyItems},
    MenuSpec {"mnut", "Tipo di fattura", typeItems},
    MenuSpec {"mnuinv", "Calcolo inverso", reverseItems},
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
        // Captions carry no "&": no item has a keyboard shortcut.
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
            actions.insert(QString::fromLatin1(item.name), action);
        }
    }
    return actions;
}

} // namespace tessaro::app
