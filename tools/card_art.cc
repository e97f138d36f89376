#include "card_art.h"

#include <QColor>
#include <QPainter>
#include <QTransform>
#include <array>
#include <vector>

#include "drawing.h"

namespace vessaro::tools {

namespace {

const QColor kRedInk{0xC4, 0x12, 0x2A};
const QColor kBlackInk{0x1C, 0x1C, 0x1E};
const QColor kCardEdge{0x6E, 0x6E, 0x6E};
const QColor kCourtPanel{0xFB, 0xF1, 0xD6};
const QColor kBackRed{0x8E, 0x10, 0x20};
const QColor kBackLattice{0xC0, 0x3A, 0x48};
const QColor kBackGold{0xE8, 0xC5, 0x6A};
constexpr qreal kCornerRadius = 5.0;

// Pip columns and rows on a 71 x 96 card, chosen so that the corner indices stay clear.
constexpr qreal kLeftX = 23.5;
constexpr qreal kMiddleX = 35.5;
constexpr qreal kRightX = 47.5;
constexpr qreal kTopY = 19.0;
constexpr qreal kBottomY = 77.0;
constexpr qreal kPipHeight = 12.5;

struct Pip {
  qreal x;
  qreal y;
};

QColor InkOf(Suit suit) {
  return suit == Suit::kHearts || suit == Suit::kDiamonds ? kRedInk : kBlackInk;
}

// The symbols are drawn in a unit square and mapped onto the caller's box.
QPainterPath UnitSuitShape(Suit suit) {
  QPainterPath path;
  switch (suit) {
    case Suit::kDiamonds:
      path.moveTo(0.5, 0.0);
      path.quadTo(0.66, 0.28, 0.9, 0.5);
      path.quadTo(0.66, 0.72, 0.5, 1.0);
      path.quadTo(0.34, 0.72, 0.1, 0.5);
      path.quadTo(0.34, 0.28, 0.5, 0.0);
      return path;
    case Suit::kHearts:
      path.moveTo(0.5, 0.24);
      path.cubicTo(0.40, 0.0, 0.0, 0.0, 0.0, 0.32);
      path.cubicTo(0.0, 0.58, 0.32, 0.74, 0.5, 1.0);
      path.cubicTo(0.68, 0.74, 1.0, 0.58, 1.0, 0.32);
      path.cubicTo(1.0, 0.0, 0.60, 0.0, 0.5, 0.24);
      return path;
    case Suit::kSpades: {
      path.moveTo(0.5, 0.0);
      path.cubicTo(0.32, 0.26, 0.0, 0.38, 0.0, 0.62);
      path.cubicTo(0.0, 0.86, 0.34, 0.9, 0.5, 0.68);
      path.cubicTo(0.66, 0.9, 1.0, 0.86, 1.0, 0.62);
      path.cubicTo(1.0, 0.38, 0.68, 0.26, 0.5, 0.0);
      QPainterPath stem;
      stem.moveTo(0.47, 0.66);
      stem.quadTo(0.46, 0.9, 0.3, 1.0);
      stem.lineTo(0.7, 1.0);
      stem.quadTo(0.54, 0.9, 0.53, 0.66);
      stem.closeSubpath();
      return path.united(stem);
    }
    case Suit::kClubs: {
      constexpr qreal kLobe = 0.235;
      path.addEllipse(QPointF(0.5, 0.255), kLobe, kLobe);
      QPainterPath left;
      left.addEllipse(QPointF(0.245, 0.58), kLobe, kLobe);
      QPainterPath right;
      right.addEllipse(QPointF(0.755, 0.58), kLobe, kLobe);
      QPainterPath centre;
      centre.addRect(QRectF(0.4, 0.35, 0.2, 0.3));
      QPainterPath stem;
      stem.moveTo(0.46, 0.55);
      stem.quadTo(0.45, 0.9, 0.3, 1.0);
      stem.lineTo(0.7, 1.0);
      stem.quadTo(0.55, 0.9, 0.54, 0.55);
      stem.closeSubpath();
      return path.united(left).united(right).united(centre).united(stem);
    }
  }
  return path;
}

// Width of a symbol relative to its height.
qreal AspectOf(Suit suit) { return suit == Suit::kDiamonds ? 0.78 : 0.92; }

// A symbol of the given height centred on (x, y), turned upside down for the lower half of a card
// as printed cards do.
void DrawPip(QPainter& painter, Suit suit, qreal x, qreal y, qreal height, bool upside_down) {
  const qreal width = height * AspectOf(suit);
  QPainterPath shape = SuitShape(suit, QRectF(-width / 2, -height / 2, width, height));
  QTransform transform;
  transform.translate(x, y);
  if (upside_down) transform.rotate(180);
  painter.fillPath(transform.map(shape), InkOf(suit));
}

// Blank card: felt outside the rounded corners, white inside a thin edge.
void DrawBlank(QPainter& painter, const QColor& fill) {
  painter.fillRect(0, 0, kCardWidth, kCardHeight, kFeltGreen);
  painter.setPen(QPen(kCardEdge, 1.0));
  painter.setBrush(fill);
  painter.drawRoundedRect(QRectF(0.5, 0.5, kCardWidth - 1, kCardHeight - 1), kCornerRadius,
                          kCornerRadius);
}

QString RankText(int rank) {
  switch (rank) {
    case 1:
      return QStringLiteral("A");
    case 11:
      return QStringLiteral("J");
    case 12:
      return QStringLiteral("Q");
    case 13:
      return QStringLiteral("K");
    default:
      return QString::number(rank);
  }
}

// Rank over a small suit symbol in the top-left corner, and the same turned round in the
// bottom-right corner, so the card reads from both ends.
void DrawIndices(QPainter& painter, Suit suit, int rank) {
  constexpr qreal kIndexX = 8.5;
  constexpr qreal kRankTop = 4.0;
  constexpr qreal kRankHeight = 11.0;
  constexpr qreal kRankMaxWidth = 12.0;
  constexpr qreal kSymbolY = 23.5;
  constexpr qreal kSymbolHeight = 9.0;
  const QPainterPath rank_text =
      TextOutline(RankText(rank), kRankHeight, kRankMaxWidth, QPointF(kIndexX, kRankTop));
  for (bool turned : {false, true}) {
    painter.save();
    if (turned) {
      painter.translate(kCardWidth, kCardHeight);
      painter.rotate(180);
    }
    painter.fillPath(rank_text, InkOf(suit));
    DrawPip(painter, suit, kIndexX, kSymbolY, kSymbolHeight, false);
    painter.restore();
  }
}

std::vector<Pip> PipLayout(int rank) {
  const qreal third = (kBottomY - kTopY) / 3;
  const qreal middle_y = (kTopY + kBottomY) / 2;
  const std::array<qreal, 3> three_rows = {kTopY, middle_y, kBottomY};
  const std::array<qreal, 4> four_rows = {kTopY, kTopY + third, kTopY + 2 * third, kBottomY};
  std::vector<Pip> pips;
  auto pair_at = [&pips](qreal y) {
    pips.push_back({kLeftX, y});
    pips.push_back({kRightX, y});
  };
  switch (rank) {
    case 2:
      pips = {{kMiddleX, kTopY}, {kMiddleX, kBottomY}};
      break;
    case 3:
      pips = {{kMiddleX, kTopY}, {kMiddleX, middle_y}, {kMiddleX, kBottomY}};
      break;
    case 4:
    case 5:
      pair_at(kTopY);
      pair_at(kBottomY);
      if (rank == 5) pips.push_back({kMiddleX, middle_y});
      break;
    case 6:
    case 7:
    case 8:
      for (qreal y : three_rows) pair_at(y);
      if (rank >= 7) pips.push_back({kMiddleX, (kTopY + middle_y) / 2});
      if (rank == 8) pips.push_back({kMiddleX, (middle_y + kBottomY) / 2});
      break;
    case 9:
    case 10:
      for (qreal y : four_rows) pair_at(y);
      if (rank == 9) pips.push_back({kMiddleX, middle_y});
      if (rank == 10) {
        pips.push_back({kMiddleX, (four_rows[0] + four_rows[1]) / 2});
        pips.push_back({kMiddleX, (four_rows[2] + four_rows[3]) / 2});
      }
      break;
  }
  return pips;
}

void DrawNumberCentre(QPainter& painter, Suit suit, int rank) {
  constexpr qreal kAceHeight = 32.0;
  const qreal middle_y = (kTopY + kBottomY) / 2;
  if (rank == 1) {
    DrawPip(painter, suit, kMiddleX, middle_y, kAceHeight, false);
    return;
  }
  for (const Pip& pip : PipLayout(rank)) {
    // A pip exactly on the middle row stays upright.
    DrawPip(painter, suit, pip.x, pip.y, kPipHeight, pip.y > middle_y + 0.5);
  }
}

// Court cards: a framed panel with the large letter between two suit symbols.
void DrawCourtCentre(QPainter& painter, Suit suit, int rank) {
  const QRectF panel(15.5, 12.5, 40.0, 71.0);
  const QColor ink = InkOf(suit);
  painter.setPen(QPen(ink, 1.5));
  painter.setBrush(kCourtPanel);
  painter.drawRect(panel);
  painter.setPen(QPen(ink, 0.8));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(panel.adjusted(2.5, 2.5, -2.5, -2.5));

  constexpr qreal kLetterHeight = 25.0;
  const QPointF centre = panel.center();
  painter.fillPath(TextOutline(RankText(rank), kLetterHeight, panel.width() - 10,
                               QPointF(centre.x(), centre.y() - kLetterHeight / 2)),
                   ink);
  constexpr qreal kSymbolHeight = 11.0;
  constexpr qreal kSymbolOffset = 24.5;
  DrawPip(painter, suit, centre.x(), centre.y() - kSymbolOffset, kSymbolHeight, false);
  DrawPip(painter, suit, centre.x(), centre.y() + kSymbolOffset, kSymbolHeight, true);
}

QImage NewCardImage() {
  QImage image(kCardWidth, kCardHeight, QImage::Format_RGB32);
  image.fill(kFeltGreen);
  return image;
}

}  // namespace

QString CardName(Suit suit, int rank) {
  static const char kLetters[] = {'D', 'S', 'C', 'H'};
  return QString(QChar(kLetters[static_cast<int>(suit)])) + QString::number(rank);
}

QPainterPath SuitShape(Suit suit, const QRectF& box) {
  const qreal width = box.height() * AspectOf(suit);
  const qreal left = box.center().x() - width / 2;
  QTransform transform;
  transform.translate(left, box.top());
  transform.scale(width, box.height());
  return transform.map(UnitSuitShape(suit));
}

QImage DrawCardFace(Suit suit, int rank) {
  QImage image = NewCardImage();
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  DrawBlank(painter, Qt::white);
  DrawIndices(painter, suit, rank);
  if (rank >= 11) {
    DrawCourtCentre(painter, suit, rank);
  } else {
    DrawNumberCentre(painter, suit, rank);
  }
  return image;
}

QImage DrawCardBack() {
  QImage image = NewCardImage();
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  DrawBlank(painter, Qt::white);

  const QRectF field(4.5, 4.5, kCardWidth - 9, kCardHeight - 9);
  painter.setPen(Qt::NoPen);
  painter.setBrush(kBackRed);
  painter.drawRoundedRect(field, 2.5, 2.5);

  // A diagonal lattice, clipped to the red field.
  painter.save();
  painter.setClipRect(field.adjusted(1, 1, -1, -1));
  painter.setPen(QPen(kBackLattice, 1.0));
  constexpr qreal kStep = 7.0;
  for (qreal d = -kCardHeight; d < kCardWidth + kCardHeight; d += kStep) {
    painter.drawLine(QPointF(d, 0), QPointF(d + kCardHeight, kCardHeight));
    painter.drawLine(QPointF(d, kCardHeight), QPointF(d + kCardHeight, 0));
  }
  painter.restore();

  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(kBackGold, 1.0));
  painter.drawRoundedRect(field.adjusted(3, 3, -3, -3), 1.5, 1.5);

  // A gold diamond medallion in the middle.
  const QPointF centre = field.center();
  QPainterPath medallion;
  medallion.moveTo(centre.x(), centre.y() - 14);
  medallion.lineTo(centre.x() + 10, centre.y());
  medallion.lineTo(centre.x(), centre.y() + 14);
  medallion.lineTo(centre.x() - 10, centre.y());
  medallion.closeSubpath();
  painter.setPen(QPen(kBackGold, 1.2));
  painter.setBrush(kBackRed);
  painter.drawPath(medallion);
  painter.fillPath(SuitShape(Suit::kSpades, QRectF(centre.x() - 5, centre.y() - 6, 10, 12)),
                   kBackGold);
  return image;
}

}  // namespace vessaro::tools
