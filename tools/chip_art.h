// The chip pictures of the table, 50 x 50 pixels: a round casino chip on the table's felt.
#pragma once

#include <QColor>
#include <QImage>
#include <QString>
#include <span>

namespace vessaro::tools {

inline constexpr int kChipSize = 50;

struct ChipStyle {
  const char* file_name;  // "chip%d.bmp" with the value; the half unit is "chip0_5.bmp"
  const char* label;      // what the chip says
  QColor body;
  QColor stripes;  // the edge inserts and the ring around the centre
  QColor centre;
  QColor label_ink;
};

// Every chip the table loads, each value in its own colour.
std::span<const ChipStyle> AllChipStyles();

QImage DrawChip(const ChipStyle& style);

}  // namespace vessaro::tools
