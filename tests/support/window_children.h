// The controls of a window under test, found by their objectName.
#pragma once

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace tessaro::test {

inline QComboBox* combo(QWidget& window, const char* name)
{
    return window.findChild<QComboBox*>(QString::fromLatin1(name));
}

inline QLineEdit* edit(QWidget& window, const char* name)
{
    return window.findChild<QLineEdit*>(QString::fromLatin1(name));
}

inline void click(QWidget& window, const char* name)
{
    QTest::mouseClick(window.findChild<QPushButton*>(QString::fromLatin1(name)), Qt::LeftButton);
}

} // namespace tessaro::test
