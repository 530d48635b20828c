#include "ui/app_font.h"

#include <QApplication>
#include <QFontDatabase>
#include <QStyle>
#include <QStyleFactory>

namespace tessaro::ui {

QString dialogFontFamily()
{
#ifdef Q_OS_WIN
    static const QString family = QFontDatabase::hasFamily(QString::fromLatin1(WindowsDialogFontFamily))
        ? QString::fromLatin1(WindowsDialogFontFamily)
        : QString::fromLatin1(DialogFontFamily);
    return family;
#else
    return QString::fromLatin1(DialogFontFamily);
#endif
}

QFont dialogFont(double pointSize, bool bold)
{
    QFont font(dialogFontFamily());
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(pointSize > 0 ? pointSize : DialogFontPointSize);
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferVerticalHinting);
    font.setStyleStrategy(QFont::NoSubpixelAntialias);
    return font;
}

void chooseFontEngine()
{
#ifdef Q_OS_WIN
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "windows:fontengine=freetype");
#endif
}

void installProgramLook()
{
    // A desktop's own style (or a dark colour scheme) would pad the buttons
    // and frames differently from the one every window was checked in.
    if (QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion"))) {
        QApplication::setStyle(fusion);
        QApplication::setPalette(fusion->standardPalette());
    }
    QApplication::setFont(dialogFont());
}

} // namespace tessaro::ui
