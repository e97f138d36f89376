#include "drawing.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QTransform>
#include <algorithm>

namespace vessaro::tools {

namespace {

const char kLetteringFamily[] = "Noto Sans CJK JP";
// Outlines are made at a large size and scaled down, so small lettering keeps its exact shape.
constexpr int kOutlinePixelSize = 200;

}  // namespace

QFont LetteringFont() {
  QFont font(kLetteringFamily);
  font.setWeight(QFont::Bold);
  font.setPixelSize(kOutlinePixelSize);
  return font;
}

bool LetteringFontInstalled() {
  return QFontInfo(LetteringFont()).family().compare(kLetteringFamily, Qt::CaseInsensitive) == 0;
}

QPainterPath TextOutline(const QString& text, qreal cap_height, qreal max_width,
                         QPointF top_centre) {
  const QFont font = LetteringFont();
  QPainterPath path;
  path.addText(0, 0, font, text);
  // The height of a digit, not the font's cap height metric: digits and capitals share it in this
  // face, and measuring a real glyph does not depend on how the font fills its metrics table.
  QPainterPath digit;
  digit.addText(0, 0, font, QStringLiteral("0"));
  const qreal glyph_height = -digit.boundingRect().top();
  const qreal scale_y = cap_height / glyph_height;
  const QRectF bounds = path.boundingRect();
  const qreal scale_x = std::min(scale_y, max_width / bounds.width());
  QTransform transform;
  transform.translate(top_centre.x() - bounds.center().x() * scale_x, top_centre.y() + cap_height);
  transform.scale(scale_x, scale_y);
  return transform.map(path);
}

}  // namespace vessaro::tools
