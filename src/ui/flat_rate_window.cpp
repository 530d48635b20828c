#include "ui/flat_rate_window.h"

#include "ui/twips.h"
#include "ui/utf8_text.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>

#include <algorithm>

namespace tessaro::ui {

// The fees as a bar on a scale a little past the higher limit, both limits
// marked and named; the bar turns amber past the first and red past the second.
class LimitBar : public QWidget {
public:
    explicit LimitBar(QWidget* parent) : QWidget(parent) { }

    void setFigures(double fees, double first, double second)
    {
        m_fees = fees;
        m_first = first;
        m_second = second;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        const int textHeight = fontMetrics().height();
        const QRect bar(0, 0, width() - 1, height() - textHeight - 2);
        const double scale = std::max(m_second * 1.15, m_fees);
        const auto at = [&](double amount) {
            return scale > 0 ? static_cast<int>(bar.width() * std::clamp(amount / scale, 0.0, 1.0)) : 0;
        };
        painter.fillRect(bar, palette().base());
        const QColor fill = m_fees > m_second ? QColor(200, 40, 40)
            : m_fees > m_first                ? QColor(230, 150, 20)
                                              : QColor(60, 150, 60);
        painter.fillRect(QRect(bar.left(), bar.top(), at(m_fees), bar.height()), fill);
        painter.setPen(palette().text().color());
        painter.drawRect(bar);
        for (const double limit : {m_first, m_second}) {
            const int x = at(limit);
            painter.drawLine(x, bar.top() - 0, x, bar.bottom() + 2);
            const QString label = QLocale(QLocale::Italian).toString(limit, 'f', 0);
            const int labelWidth = fontMetrics().horizontalAdvance(label);
            painter.drawText(std::clamp(x - labelWidth / 2, 0, width() - labelWidth), height() - 2, label);
        }
    }

private:
    double m_fees = 0;
    double m_first = 0;
    double m_second = 0;
};

namespace {

QLabel* labelNamed(const QWidget* window, const char* name)
{
    return window->findChild<QLabel*>(QString::fromLatin1(name));
}

} // namespace

FlatRateWindow::FlatRateWindow(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Regime forfettario: limiti e stima"));
    setFixedSize(twipsSize(FlatRateWindowWidthTwips, FlatRateWindowHeightTwips));
    buildControls(this, flatRateWindowTable());

    m_bar = new LimitBar(this);
    m_bar->setObjectName(QStringLiteral("barlimiti"));
    m_bar->setAccessibleName(QStringLiteral("Compensi rispetto ai limiti"));
    m_bar->setGeometry(twipsRect(120, 2160, FlatRateWindowWidthTwips - 240, 480));

    m_steps = new QTreeWidget(this);
    m_steps->setObjectName(QStringLiteral("lststima"));
    m_steps->setAccessibleName(QStringLiteral("Stima passo per passo"));
    m_steps->setGeometry(twipsRect(120, 5160, FlatRateWindowWidthTwips - 240, 2160));
    m_steps->setRootIsDecorated(false);
    m_steps->setUniformRowHeights(true);
    m_steps->setHeaderLabels({QStringLiteral("Voce"), QStringLiteral("Calcolo"), QStringLiteral("Importo")});
    m_steps->setColumnWidth(0, twipsToPixels(3300));
    m_steps->setColumnWidth(1, twipsToPixels(4900));
    m_steps->header()->setStretchLastSection(true);
    labelNamed(this, "lblnote")->setWordWrap(true);
    labelNamed(this, "lblnote")->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    const auto report = [this](const char* button, FlatRateRequest::Action action) {
        connect(findChild<QPushButton*>(QString::fromLatin1(button)), &QPushButton::clicked, this,
                [this, action] { emit requested(request(action)); });
    };
    report("cmdmostra", FlatRateRequest::Action::ShowYear);
    report("cmdsalva", FlatRateRequest::Action::SaveSettings);
    report("cmdstampa", FlatRateRequest::Action::Print);
    report("cmdpdf", FlatRateRequest::Action::SavePdf);
    report("cmdchiudi", FlatRateRequest::Action::Close);
    connect(findChild<QLineEdit*>(QStringLiteral("txtanno")), &QLineEdit::returnPressed, this,
            [this] { emit requested(request(FlatRateRequest::Action::ShowYear)); });
    for (const char* option : {"optinps", "optcassaaliquota", "optcassaimporto"})
        connect(findChild<QRadioButton*>(QString::fromLatin1(option)), &QRadioButton::toggled, this,
                [this] { updateValueField(); });
}

void FlatRateWindow::setView(const FlatRateView& view)
{
    for (const char* name : {"cmbcoefficiente", "cmbaliquota"})
        findChild<QComboBox*>(QString::fromLatin1(name))->clear();
    auto* coefficients = findChild<QComboBox*>(QStringLiteral("cmbcoefficiente"));
    for (const std::string& coefficient : view.coefficients)
        coefficients->addItem(fromUtf8(coefficient));
    findChild<QComboBox*>(QStringLiteral("cmbaliquota"))->addItems({QStringLiteral("15"), QStringLiteral("5")});
    showControls(this, flatRateWindowTable(), view);
    labelNamed(this, "lblintestazione")->setText(fromUtf8(view.heading));
    labelNamed(this, "lblnote")->setText(fromUtf8(view.notes));
    m_bar->setFigures(view.feesValue, view.limitNextYearValue, view.limitAtOnceValue);
    m_steps->clear();
    for (const FlatRateStepView& step : view.steps) {
        auto* item
            = new QTreeWidgetItem(m_steps, {fromUtf8(step.name), fromUtf8(step.reckoning), fromUtf8(step.value)});
        item->setToolTip(1, fromUtf8(step.reckoning));
        item->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
    }
    updateValueField();
}

FlatRateRequest FlatRateWindow::request(FlatRateRequest::Action action) const
{
    FlatRateView typed;
    readControls(this, flatRateWindowTable(), typed);
    return {action, typed.year, typed.settings};
}

// A value is typed only for the professional fund; INPS has its rate by law.
void FlatRateWindow::updateValueField()
{
    findChild<QLineEdit*>(QStringLiteral("txtvalore"))
        ->setEnabled(!findChild<QRadioButton*>(QStringLiteral("optinps"))->isChecked());
}

void FlatRateWindow::closeEvent(QCloseEvent* event)
{
    // The window goes when the command that shows it is told so.
    event->ignore();
    emit requested(request(FlatRateRequest::Action::Close));
}

void FlatRateWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        emit requested(request(FlatRateRequest::Action::Close));
        return;
    }
    // Return belongs to the year field and the buttons, never to a default button.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        return;
    QDialog::keyPressEvent(event);
}

} // namespace tessaro::ui
