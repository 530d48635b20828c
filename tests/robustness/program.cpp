#include "program.h"

#include "app/print_commands.h"
#include "print/recording_page.h"
#include "ui/main_window.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextEdit>
#include <QTimer>

#include <array>
#include <fstream>
#include <iterator>

namespace tessaro::robustness {

Bytes int16Bytes(int value)
{
    Bytes bytes(2);
    archive::writeInt16LE(std::span<std::uint8_t, 2>(bytes.data(), 2), static_cast<std::int16_t>(value));
    return bytes;
}

Bytes impost(int issuers, int clients, int current, float rate)
{
    Bytes bytes;
    for (const int value : {issuers, clients, current}) {
        const Bytes number = int16Bytes(value);
        bytes.insert(bytes.end(), number.begin(), number.end());
        bytes.insert(bytes.end(), 2, 0);
    }
    Bytes rateBytes(4);
    archive::writeFloat32LE(std::span<std::uint8_t, 4>(rateBytes.data(), 4), rate);
    bytes.insert(bytes.end(), rateBytes.begin(), rateBytes.end());
    return bytes;
}

Bytes partyBytes(const std::string& surname)
{
    archive::PartyRecord party;
    party.title = "ing.";
    party.surname = surname;
    party.firstName = "Anna";
    party.address = "Via Roma 1";
    party.city = "Perugia";
    party.province = "PG";
    party.vatNumber = "01234567890";
    Bytes bytes(archive::PartyRecordSize);
    archive::encodeParty(party, std::span<std::uint8_t, archive::PartyRecordSize>(bytes.data(), bytes.size()));
    return bytes;
}

Bytes invoiceBytes(int n)
{
    archive::InvoiceRecord invoice;
    invoice.client.surname = "Cliente" + std::to_string(n);
    invoice.client.firstName = "Anna";
    invoice.day = "1";
    invoice.month = "2";
    invoice.vat = "22";
    invoice.kind = "s";
    invoice.description[0] = "Progetto " + std::to_string(n);
    invoice.amount[0] = std::to_string(100 * n);
    invoice.pension = "4";
    invoice.currency = "e";
    invoice.rate = 1936.27f;
    Bytes bytes(archive::InvoiceRecordSize);
    archive::encodeInvoice(invoice, std::span<std::uint8_t, archive::InvoiceRecordSize>(bytes.data(), bytes.size()));
    return bytes;
}

Bytes extraLinesBytes(int n)
{
    archive::ExtraLinesRecord lines;
    lines.description[0] = "Voce " + std::to_string(n);
    lines.amount[0] = "5";
    lines.quantity[0] = "2";
    Bytes bytes(archive::ExtraLinesRecordSize);
    archive::encodeExtraLines(lines,
                              std::span<std::uint8_t, archive::ExtraLinesRecordSize>(bytes.data(), bytes.size()));
    return bytes;
}

Bytes repeated(const Bytes& bytes, std::size_t times)
{
    Bytes out;
    for (std::size_t i = 0; i < times; ++i)
        out.insert(out.end(), bytes.begin(), bytes.end());
    return out;
}

void writeFile(const std::string& dir, const std::string& name, const Bytes& bytes)
{
    std::ofstream out(dir + "/" + name, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

Bytes readFile(const std::string& dir, const std::string& name)
{
    std::ifstream in(dir + "/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeHealthyDirectory(const std::string& dir, int stored, int clients)
{
    writeFile(dir, "impost", impost(1, clients, 1, 1936.27f));
    writeFile(dir, "tipo.mon", {'e'});
    writeFile(dir, "tipo.fat", {'p'});
    writeFile(dir, "emit", partyBytes("Rossi"));
    Bytes clientBytes;
    for (int c = 1; c <= clients; ++c) {
        const Bytes one = partyBytes("Cliente" + std::to_string(c));
        clientBytes.insert(clientBytes.end(), one.begin(), one.end());
    }
    writeFile(dir, "clienti", clientBytes);
    Bytes arc;
    Bytes agg;
    for (int n = 1; n <= stored; ++n) {
        const Bytes invoice = invoiceBytes(n);
        const Bytes lines = extraLinesBytes(n);
        arc.insert(arc.end(), invoice.begin(), invoice.end());
        agg.insert(agg.end(), lines.begin(), lines.end());
    }
    writeFile(dir, "12024.arc", arc);
    writeFile(dir, "12024.agg", agg);
    writeFile(dir, "12024.imp", int16Bytes(stored + 1));
}

Snapshot snapshot(const std::string& dir)
{
    Snapshot files;
    const QDir directory(QString::fromStdString(dir));
    for (const QString& name : directory.entryList(QDir::Files | QDir::Hidden)) {
        const std::string file = name.toStdString();
        // The lock of a running program is no data.
        if (file != app::LockFileName)
            files[file] = readFile(dir, file);
    }
    return files;
}

Bytes prefix(const Bytes& bytes, std::size_t count)
{
    Bytes out(count, 0);
    std::copy_n(bytes.begin(), std::min(count, bytes.size()), out.begin());
    return out;
}

Program::Program(const std::string& dir) : m_dir(dir)
{
    m_controller = std::make_unique<app::MainController>(dir, m_clock, &m_dialogs, m_fs);
}

Program::~Program() = default;

bool Program::start()
{
    // The first-start issuer window is modal: close it as a user would with
    // the close box once it is up.
    QTimer closer;
    closer.setInterval(20);
    QObject::connect(&closer, &QTimer::timeout, [] {
        if (QWidget* modal = QApplication::activeModalWidget())
            modal->close();
    });
    closer.start();
    return m_controller->start();
}

void Program::click(const char* button)
{
    m_controller->window().findChild<QPushButton*>(QString::fromLatin1(button))->click();
}

void Program::menu(const char* action)
{
    m_controller->action(QString::fromLatin1(action))->trigger();
}

void Program::type(const char* field, const QString& text)
{
    m_controller->window().findChild<QLineEdit*>(QString::fromLatin1(field))->setText(text);
}

QString Program::text(const char* field) const
{
    const QString name = QString::fromLatin1(field);
    if (auto* edit = m_controller->window().findChild<QLineEdit*>(name))
        return edit->text();
    if (auto* label = m_controller->window().findChild<QLabel*>(name))
        return label->text();
    return {};
}

void Program::pickClient(int index)
{
    auto* list = m_controller->window().findChild<QComboBox*>(QStringLiteral("Cmbclienti"));
    list->setCurrentIndex(index);
    emit list->activated(index);
}

QStringList Program::clientEntries() const
{
    auto* list = m_controller->window().findChild<QComboBox*>(QStringLiteral("Cmbclienti"));
    QStringList entries;
    for (int i = 0; i < list->count(); ++i)
        entries << list->itemText(i);
    return entries;
}

namespace {

bool insane(const QString& text);

int printWith(Program& program, bool wholeYear)
{
    print::RecordingPage page;
    bool sent = false;
    const print::DocumentSink sink = [&](const std::string&, const print::DrawDocument& draw) {
        sent = true;
        draw(page);
        page.endDoc();
        return print::DocumentOutcome {};
    };
    if (wholeYear)
        app::printYear(program.form(), program.state(), program.dialogs(), sink);
    else
        app::printInvoice(program.form(), program.state(), program.dialogs(), sink);
    for (const auto& text : page.texts()) {
        if (insane(QString::fromStdString(text.text)))
            return -2;
    }
    return sent ? page.pageCount() : -1;
}

// A text no invoice field, label or list entry can hold.
bool insane(const QString& text)
{
    if (text.contains(QChar(0xFFFD)) || text.contains(QChar(0)))
        return true;
    for (const QString& word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QString lower = word.toLower();
        if (lower == QLatin1String("nan") || lower == QLatin1String("inf") || lower == QLatin1String("-nan")
            || lower == QLatin1String("-inf") || lower.startsWith(QLatin1String("1.#")))
            return true;
    }
    return false;
}

} // namespace

int Program::printShown()
{
    return printWith(*this, false);
}

int Program::printYear()
{
    return printWith(*this, true);
}

std::vector<std::string> Program::warnings() const
{
    std::vector<std::string> texts;
    for (const auto& shown : m_dialogs.shown()) {
        if (shown.title == "ATTENZIONE" && shown.kind == ui::ScriptedDialogs::Shown::Kind::Message
            && shown.buttons == ui::Buttons::Ok)
            texts.push_back(shown.text);
    }
    return texts;
}

QString Program::insaneText() const
{
    QWidget& window = m_controller->window();
    for (auto* edit : window.findChildren<QLineEdit*>()) {
        if (insane(edit->text()))
            return edit->objectName() + ": " + edit->text();
    }
    for (auto* label : window.findChildren<QLabel*>()) {
        if (insane(label->text()))
            return label->objectName() + ": " + label->text();
    }
    for (auto* edit : window.findChildren<QPlainTextEdit*>()) {
        if (insane(edit->toPlainText()))
            return edit->objectName() + ": " + edit->toPlainText();
    }
    for (auto* edit : window.findChildren<QTextEdit*>()) {
        if (insane(edit->toPlainText()))
            return edit->objectName() + ": " + edit->toPlainText();
    }
    for (auto* list : window.findChildren<QComboBox*>()) {
        for (int i = 0; i < list->count(); ++i) {
            if (insane(list->itemText(i)))
                return list->objectName() + ": " + list->itemText(i);
        }
    }
    for (const auto& shown : m_dialogs.shown()) {
        if (insane(QString::fromStdString(shown.text)))
            return QString::fromStdString(shown.title + ": " + shown.text);
    }
    return {};
}

} // namespace tessaro::robustness
