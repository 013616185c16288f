#pragma once

#include <QFont>
#include <QString>

// A font as the window layouts give it: a family name and a height, negative for the character
// height in pixels, positive for the cell height in pixels, 0 for the default size. The family names of the layouts
// ("MS Sans Serif", "Arial") are mapped to metric-compatible fonts of this system.
QFont LayoutFont(const QString& family, int height);
