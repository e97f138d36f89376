#include "ui/table/table_pictures.h"

#include <QBitmap>
#include <QImage>
#include <QTransform>

#include "engine/bets.h"

namespace vessaro {
namespace {

QPixmap Load(const fs::path& file) { return QPixmap(QString::fromStdString(file.string())); }

// BMP has no transparency: the colour of the bottom-left pixel is the chip's background.
QPixmap WithTransparentCorners(const QPixmap& picture) {
  if (picture.isNull()) return picture;
  QImage image = picture.toImage();
  const QColor corner = image.pixelColor(0, image.height() - 1);
  QPixmap result = picture;
  result.setMask(QBitmap::fromImage(image.createMaskFromColor(corner.rgb(), Qt::MaskInColor)));
  return result;
}

}  // namespace

TablePictures::TablePictures(const fs::path& program_folder) {
  const fs::path image = program_folder / "image";
  for (int i = 0; i < 52; ++i)
    faces_[i] = Load(image / (std::string(CardName(Card{static_cast<uint8_t>(i)})) + ".bmp"));
  back_ = Load(image / "card.bmp");
  for (int value : kChipValues)
    chips_[value] = WithTransparentCorners(Load(image / ("chip" + std::to_string(value) + ".bmp")));
}

const QPixmap& TablePictures::Chip(int value) const {
  auto it = chips_.find(value);
  return it == chips_.end() ? empty_ : it->second;
}

QPixmap TablePictures::Sideways(const QPixmap& card) {
  return card.transformed(QTransform().rotate(-90));
}

}  // namespace vessaro
