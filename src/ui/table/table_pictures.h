// The table's pictures from image/: the 52 faces, the card back and the chips, loaded once.
#pragma once

#include <QPixmap>
#include <array>
#include <map>

#include "common/files.h"
#include "engine/cards.h"

namespace vessaro {

class TablePictures {
 public:
  explicit TablePictures(const fs::path& program_folder);
  const QPixmap& Face(Card card) const { return faces_[card.index % 52]; }
  const QPixmap& Back() const { return back_; }
  // The chip of a value (1 ... 5000), its corners made transparent so it sits on any background.
  const QPixmap& Chip(int value) const;

  // Rotated a quarter turn anticlockwise, for the third cards.
  static QPixmap Sideways(const QPixmap& card);

 private:
  std::array<QPixmap, 52> faces_;
  QPixmap back_;
  std::map<int, QPixmap> chips_;
  QPixmap empty_;
};

}  // namespace vessaro
