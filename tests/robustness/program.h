// The whole program on a data directory, as a user meets it: the real
// start-up, the buttons and menus of the main window, answers given by a
// script, and documents printed on a recording page. Beside it, the bytes of
// the data files a damaged directory is made of.
#pragma once

#include "app/clock.h"
#include "app/main_controller.h"
#include "archive/records.h"
#include "faulty_file_system.h"
#include "ui/scripted_dialogs.h"

#include <QString>

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace tessaro::robustness {

using Bytes = std::vector<std::uint8_t>;
using Snapshot = std::map<std::string, Bytes>;

inline constexpr int Year = 2024;

Bytes int16Bytes(int value);
Bytes impost(int issuers, int clients, int current, float rate);
Bytes partyBytes(const std::string& surname);
// Invoice n of a healthy book: its own client and amounts, in euro.
Bytes invoiceBytes(int n);
Bytes extraLinesBytes(int n);
Bytes repeated(const Bytes& bytes, std::size_t times);

// Issuer 1 "Rossi" current, clients "Cliente1".."Cliente<clients>", and the
// book 12024 with invoices 1..stored, counter stored + 1.
void writeHealthyDirectory(const std::string& dir, int stored = 3, int clients = 2);
void writeFile(const std::string& dir, const std::string& name, const Bytes& bytes);
Bytes readFile(const std::string& dir, const std::string& name);
Snapshot snapshot(const std::string& dir);
// The first count bytes, zero-filled where the file is shorter.
Bytes prefix(const Bytes& bytes, std::size_t count);

class Program {
public:
    explicit Program(const std::string& dir);
    ~Program();

    // The real start-up. A first-start issuer window is closed with its close
    // box, which ends the program: false then.
    bool start();

    app::MainController& controller() { return *m_controller; }
    archive::AppState& state() { return m_controller->state(); }
    archive::InvoiceForm& form() { return m_controller->form(); }
    ui::ScriptedDialogs& dialogs() { return m_dialogs; }
    // Every file of the run is reached through it; it passes everything
    // through until it is told to fail.
    test::FaultyFileSystem& fs() { return m_fs; }

    void click(const char* button);
    void menu(const char* action);
    void type(const char* field, const QString& text);
    QString text(const char* field) const;
    void pickClient(int index);
    // The entries of Cmbclienti.
    QStringList clientEntries() const;

    // Pages laid out on a recording page; -1 when nothing was sent.
    int printShown();
    int printYear();

    // Messages titled "ATTENZIONE" with only an OK button (warnings, not
    // questions) shown since the last clear.
    std::vector<std::string> warnings() const;
    // The first text of the window that no invoice could show (NaN, infinity,
    // a NUL, a replacement character), with the control's name; empty when all are sane.
    QString insaneText() const;

private:
    std::string m_dir;
    app::FixedClock m_clock {Year};
    ui::ScriptedDialogs m_dialogs;
    test::FaultyFileSystem m_fs;
    std::unique_ptr<app::MainController> m_controller;
};

} // namespace tessaro::robustness
