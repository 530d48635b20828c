// The bars of the year's taxable amount by month, drawn in a window by the
// same layout and page surface that printing uses.
#pragma once

#include <QWidget>

#include <array>
#include <string>

namespace tessaro::ui {

class MonthBarsView : public QWidget {
    Q_OBJECT

public:
    explicit MonthBarsView(QWidget* parent = nullptr);

    void setBars(const std::array<double, 12>& months, const std::array<std::string, 12>& labels,
                 const std::string& caption);
    const std::string& caption() const { return m_caption; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::array<double, 12> m_months {};
    std::array<std::string, 12> m_labels;
    std::string m_caption;
};

} // namespace tessaro::ui
