// The card pictures of the table: the 52 faces and the back, 71 x 96 pixels each.
#pragma once

#include <QImage>
#include <QPainterPath>
#include <QRectF>
#include <QString>

namespace vessaro::tools {

inline constexpr int kCardWidth = 71;
inline constexpr int kCardHeight = 96;

// In the order and with the letters of the card names: "D1" is the ace of diamonds.
enum class Suit { kDiamonds, kSpades, kClubs, kHearts };
inline constexpr Suit kAllSuits[] = {Suit::kDiamonds, Suit::kSpades, Suit::kClubs, Suit::kHearts};

// The card name the table loads the face under: suit letter and rank 1 (ace) to 13 (king).
QString CardName(Suit suit, int rank);

// The suit symbol, as high as box and centred in it, as wide as its own proportions make it.
QPainterPath SuitShape(Suit suit, const QRectF& box);

QImage DrawCardFace(Suit suit, int rank);
QImage DrawCardBack();

}  // namespace vessaro::tools
