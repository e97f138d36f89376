#include "chip_art.h"

#include <QPainter>
#include <QPainterPath>
#include <array>
#include <cmath>

#include "drawing.h"

namespace vessaro::tools {

namespace {

constexpr qreal kCentre = kChipSize / 2.0;
constexpr qreal kOuterRadius = 24.0;
constexpr qreal kStripeInnerRadius = 18.0;
constexpr qreal kRingRadius = 16.5;
constexpr qreal kCentreRadius = 15.0;
constexpr int kStripeCount = 8;
constexpr qreal kStripeDegrees = 15.0;
constexpr qreal kLabelHeight = 11.0;
constexpr qreal kLabelMaxWidth = 23.0;

const QColor kWhite{0xFF, 0xFF, 0xFF};
const QColor kCream{0xFF, 0xF7, 0xE4};

const std::array<ChipStyle, 9> kChips = {{
    {"chip0_5.bmp", "0.5", {0x62, 0xB8, 0xE8}, kWhite, kWhite, {0x15, 0x5E, 0x8E}},
    {"chip1.bmp", "1", {0xEC, 0xEC, 0xEC}, {0x7A, 0x7F, 0x88}, kWhite, {0x3A, 0x3F, 0x48}},
    {"chip5.bmp", "5", {0xC6, 0x22, 0x28}, kWhite, kWhite, {0xB0, 0x18, 0x20}},
    {"chip25.bmp", "25", {0x2C, 0xA0, 0x4E}, kWhite, kWhite, {0x14, 0x74, 0x32}},
    {"chip100.bmp", "100", {0x24, 0x24, 0x26}, kWhite, kWhite, {0x18, 0x18, 0x1A}},
    {"chip250.bmp", "250", {0xE4, 0x5C, 0x9C}, kWhite, kWhite, {0xB8, 0x2E, 0x72}},
    {"chip500.bmp", "500", {0x6E, 0x30, 0xA2}, kWhite, kWhite, {0x58, 0x22, 0x88}},
    {"chip1000.bmp", "1K", {0xF2, 0xA0, 0x10}, {0x7A, 0x45, 0x00}, kWhite, {0x9A, 0x56, 0x00}},
    {"chip5000.bmp", "5K", {0x7A, 0x45, 0x22}, {0xF0, 0xD0, 0x88}, kCream, {0x6A, 0x36, 0x14}},
}};

// One insert of the chip's edge: a ring segment between two radii.
QPainterPath EdgeStripe(qreal centre_degrees) {
  const QRectF outer(kCentre - kOuterRadius, kCentre - kOuterRadius, 2 * kOuterRadius,
                     2 * kOuterRadius);
  const QRectF inner(kCentre - kStripeInnerRadius, kCentre - kStripeInnerRadius,
                     2 * kStripeInnerRadius, 2 * kStripeInnerRadius);
  const qreal start = centre_degrees - kStripeDegrees / 2;
  QPainterPath path;
  path.arcMoveTo(outer, start);
  path.arcTo(outer, start, kStripeDegrees);
  path.arcTo(inner, start + kStripeDegrees, -kStripeDegrees);
  path.closeSubpath();
  return path;
}

}  // namespace

std::span<const ChipStyle> AllChipStyles() { return kChips; }

QImage DrawChip(const ChipStyle& style) {
  QImage image(kChipSize, kChipSize, QImage::Format_RGB32);
  image.fill(kFeltGreen);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  const QPointF centre(kCentre, kCentre);

  painter.setPen(Qt::NoPen);
  painter.setBrush(style.body);
  painter.drawEllipse(centre, kOuterRadius, kOuterRadius);
  for (int i = 0; i < kStripeCount; ++i) {
    painter.fillPath(EdgeStripe(22.5 + i * 360.0 / kStripeCount), style.stripes);
  }
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(style.stripes, 1.0));
  painter.drawEllipse(centre, kRingRadius, kRingRadius);
  painter.setPen(Qt::NoPen);
  painter.setBrush(style.centre);
  painter.drawEllipse(centre, kCentreRadius, kCentreRadius);

  // A dark rim keeps light and green chips apart from the felt and from each other in a pile.
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(QColor(0, 0, 0, 110), 1.0));
  painter.drawEllipse(centre, kOuterRadius - 0.5, kOuterRadius - 0.5);

  painter.fillPath(TextOutline(QString::fromLatin1(style.label), kLabelHeight, kLabelMaxWidth,
                               QPointF(kCentre, kCentre - kLabelHeight / 2)),
                   style.label_ink);
  return image;
}

}  // namespace vessaro::tools
