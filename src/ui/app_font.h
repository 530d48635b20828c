// The one typeface of every window, and the look the windows are measured in.
// The controls keep the classic dialog's sizes in twips; their captions fit
// only in a font of that dialog font's widths: Arial's. Liberation Sans has
// them, is a dependency of the package, and is asked for by name, so what
// else a machine has installed (or what it calls "sans-serif") changes
// nothing. Windows has Arial itself.
#pragma once

#include <QFont>
#include <QString>

namespace tessaro::ui {

inline constexpr const char* DialogFontFamily = "Liberation Sans";
inline constexpr const char* WindowsDialogFontFamily = "Arial";
inline constexpr double DialogFontPointSize = 8.25;

// The family the windows are drawn in on this machine: Arial on Windows
// (Liberation Sans where a Windows lacks it, as under Wine), Liberation Sans
// elsewhere.
QString dialogFontFamily();

// The dialog font at pointSize (0: the dialog size), bold or not. Glyphs are
// hinted vertically only, so a caption is as wide on every screen as the
// font's own widths make it, and smoothed in grey, whatever hinting and
// subpixel order the desktop prefers.
QFont dialogFont(double pointSize = 0, bool bold = false);

// On Windows, has Qt draw text with FreeType as on Linux, to the fraction of
// a pixel the captions were measured in: GDI rounds every glyph's advance,
// and a caption that fits on Linux may not. A platform the user names (or
// a test's offscreen one) stays. Call before the QApplication exists.
void chooseFontEngine();

// Sets the dialog font, the Fusion style and its own palette for the whole
// program, so the windows look alike on a bare machine and on any desktop.
// Call once, after the QApplication exists and before the first window.
void installProgramLook();

} // namespace tessaro::ui
