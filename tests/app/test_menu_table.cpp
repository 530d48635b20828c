// The menu bar: every item in its place with its caption and shortcut, the
// separators, the check marks; and the command table: every
// item and button runs a command, and every command is run by something.
#include "app/command_table.h"
#include "app/menu_table.h"
#include "ui/main_window_table.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QtTest>

#include <set>

using namespace tessaro::app;

class TestMenuTable : public QObject {
    Q_OBJECT

private slots:
    void menusInOrder()
    {
        QMenuBar bar;
        buildMenuBar(&bar);
        QStringList captions;
        for (QAction* action : bar.actions())
            captions << action->text();
        QCOMPARE(captions,
                 (QStringList {"File", "Edit", "Tipo di moneta", "Tipo di fattura", "Documento", "Calcolo inverso",
                               "Incassi", "?"}));
    }

    void items_data()
    {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QStringList>("captions");
        QTest::addColumn<QStringList>("shortcuts");
        const QStringList none;
        QTest::newRow("File") << "mnuf"
                              << QStringList {"mnufdati",    "mnufn1",       "mnufnuova",     "mnufsalva",
                                              "mnufstampa",  "mnuftutte",    "mnufpdf",       "mnufxml",
                                              "mnufxmlanno", "mnufricevute", "mnufregistro",  "mnufnotacredito",
                                              "mnufn2",      "mnufcalctutt", "mnufcalcalcun", "mnufcalciva",
                                              "mnufn3",      "mnufbackup",   "mnufrestore",   "mnufghj",
                                              "mnufesci"}
                              << QStringList {"Dati di chi emette la fattura",
                                              "",
                                              "Nuova fattura",
                                              "Salva fattura",
                                              "Stampa fattura",
                                              "Stampa tutte le fatture dell'anno",
                                              "Salva fattura in PDF",
                                              "Esporta fattura elettronica (XML)",
                                              "Esporta fatture elettroniche dell'anno",
                                              "Importa ricevute SdI...",
                                              "Registro fatture dell'anno",
                                              "Nota di credito",
                                              "",
                                              "Calcolo impon. di tutte le fatture",
                                              "Calcolo impon. di alcune fatture",
                                              "Calcolo IVA fatture specificate",
                                              "",
                                              "Copia di sicurezza...",
                                              "Ripristina copia di sicurezza...",
                                              "",
                                              "Esci dal programma"}
                              << none;
        QTest::newRow("Edit")
            << "mnue" << QStringList {"mnueins", "mnuecanc", "mnuelinea", "mnuecancanno", "mnueazz", "mnueazzcli"}
            << QStringList {"Inserisci fattura", "Cancella fattura",       "", "Cancella le fatture di un anno",
                            "Azzera tutto",      "Azzera archivio clienti"}
            << none;
        QTest::newRow("Tipo di moneta") << "mnum" << QStringList {"mnumlire", "mnumeuro", "mnutni", "mnutval"}
                                        << QStringList {"in Lire", "in Euro", "", "Valore di un euro"} << none;
        QTest::newRow("Tipo di fattura") << "mnut" << QStringList {"mnutp", "mnutc"}
                                         << QStringList {"Per prestazione", "Commerciale"} << none;
        QTest::newRow("Documento") << "mnud" << QStringList {"mnudfatture", "mnudavvisi", "mnudn1", "mnudemetti"}
                                   << QStringList {"Fatture", "Avvisi di parcella", "", "Emetti fattura"} << none;
        QTest::newRow("Calcolo inverso") << "mnuinv" << QStringList {"mnuinvprest", "mnuinvcomm"}
                                         << QStringList {"Fatture per prestazione", "Fatture commerciali"} << none;
        QTest::newRow("Incassi") << "mnuinc" << QStringList {"mnuincfattura", "mnuincanno", "mnuincforf", "mnuincrit"}
                                 << QStringList {"Incassi della fattura...", "Incassi dell'anno...",
                                                 "Regime forfettario: limiti e stima...",
                                                 "Ritenute subite per cliente..."}
                                 << QStringList {"Ctrl+I", "", "", ""};
        QTest::newRow("?") << "mnui" << QStringList {"mnuiman", "mnumanuale", "mnuprodotti"}
                           << QStringList {"Informazioni", "Manuale d'uso", "Prodotti Pelvio"} << none;
    }

    void items()
    {
        QFETCH(QString, menu);
        QFETCH(QStringList, names);
        QFETCH(QStringList, captions);
        QFETCH(QStringList, shortcuts);
        QMenuBar bar;
        const auto actions = buildMenuBar(&bar);
        auto* qmenu = bar.findChild<QMenu*>(menu);
        QVERIFY(qmenu);
        const QList<QAction*> items = qmenu->actions();
        QCOMPARE(items.size(), names.size());
        for (int i = 0; i < items.size(); ++i) {
            QCOMPARE(items[i]->objectName(), names[i]);
            QCOMPARE(items[i]->isSeparator(), captions[i].isEmpty());
            if (!captions[i].isEmpty())
                QCOMPARE(items[i]->text(), captions[i]);
            QCOMPARE(items[i]->shortcut().toString(QKeySequence::PortableText), shortcuts.value(i));
            QCOMPARE(actions.value(names[i]), items[i]);
        }
    }

    void checkMarksOnlyOnTheThreePairs()
    {
        QMenuBar bar;
        const auto actions = buildMenuBar(&bar);
        QStringList checkable;
        for (auto it = actions.begin(); it != actions.end(); ++it) {
            if (it.value()->isCheckable())
                checkable << it.key();
        }
        checkable.sort();
        QCOMPARE(checkable, (QStringList {"mnudavvisi", "mnudfatture", "mnumeuro", "mnumlire", "mnutc", "mnutp"}));
    }

    void everyControlRunsACommandAndEveryCommandAControl()
    {
        std::set<tessaro::ui::Command> run;
        for (const MenuSpec& menu : menuTable()) {
            for (const MenuItemSpec& item : menu.items) {
                const bool separator = QString::fromUtf8(item.caption) == QLatin1String("-");
                QVERIFY2(separator == (item.command == tessaro::ui::Command::None), item.name);
                if (!separator) {
                    QVERIFY2(commandSpec(item.command), item.name);
                    run.insert(item.command);
                }
            }
        }
        for (const tessaro::ui::ControlSpec& spec : tessaro::ui::mainWindowControls()) {
            if (spec.kind == tessaro::ui::ControlKind::PushButton) {
                QVERIFY2(commandSpec(spec.command), spec.name);
                run.insert(spec.command);
            }
        }
        for (const CommandSpec& command : commandTable()) {
            QVERIFY(command.run);
            QVERIFY2(run.count(command.command), qPrintable(QString::number(static_cast<int>(command.command))));
        }
        QCOMPARE(run.size(), commandTable().size());
    }
};

QTEST_MAIN(TestMenuTable)
#include "test_menu_table.moc"
