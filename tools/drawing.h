// Shared pieces of the picture generator: the table's felt colour and lettering fitted to a box.
#pragma once

#include <QColor>
#include <QFont>
#include <QPainterPath>
#include <QPointF>
#include <QString>

namespace vessaro::tools {

// The table's felt. Every pixel of a picture that is neither card nor chip takes this colour:
// BMP has no transparency, and the table clears a chip pile to the colour of the bottom-left pixel
// of a chip picture.
inline const QColor kFeltGreen{0x0B, 0x6B, 0x34};

// The bold sans face of all lettering (Noto Sans CJK JP Bold when installed).
QFont LetteringFont();

// True when the lettering face is the intended one and not a fallback.
bool LetteringFontInstalled();

// Outline of text in the lettering face, scaled so that a capital letter or digit is cap_height
// pixels high, narrowed (never widened) to at most max_width, horizontally centred on
// top_centre.x() with the top of the capitals on top_centre.y(). Outlines scale exactly, so a
// rank or a value gets the same height on every picture whatever its width.
QPainterPath TextOutline(const QString& text, qreal cap_height, qreal max_width,
                         QPointF top_centre);

}  // namespace vessaro::tools
