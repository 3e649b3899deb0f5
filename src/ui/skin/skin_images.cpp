#include "ui/skin/skin_images.h"

#include <QFile>
#include <QImageReader>

#include <system_error>

namespace gm {

namespace {

constexpr int kFullAlpha = 255;

QString QtPathOf(const std::filesystem::path& path) {
  return QFile::decodeName(QByteArray::fromStdString(path.native()));
}

}  // namespace

void PremultiplyAlpha(QImage& image) {
  if (image.isNull()) return;
  if (image.format() == QImage::Format_ARGB32_Premultiplied) return;
  if (image.format() != QImage::Format_ARGB32) {
    image.convertTo(QImage::Format_ARGB32);
  }
  for (int y = 0; y < image.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      const QRgb pixel = line[x];
      const int alpha = qAlpha(pixel);
      line[x] = qRgba(qRed(pixel) * alpha / kFullAlpha, qGreen(pixel) * alpha / kFullAlpha,
                      qBlue(pixel) * alpha / kFullAlpha, alpha);
    }
  }
  image.reinterpretAsFormat(QImage::Format_ARGB32_Premultiplied);
}

QImage LoadSkinImage(const std::filesystem::path& path) {
  QImageReader reader(QtPathOf(path));
  reader.setDecideFormatFromContent(true);
  QImage image = reader.read();
  if (image.isNull()) return {};
  if (image.hasAlphaChannel()) {
    PremultiplyAlpha(image);
  } else {
    image.convertTo(kSkinImageFormat);
  }
  return image;
}

SkinImages::FileStamp SkinImages::StampOf(const std::filesystem::path& path) {
  std::error_code error;
  FileStamp stamp;
  if (!std::filesystem::is_regular_file(path, error)) return stamp;
  stamp.modified = std::filesystem::last_write_time(path, error);
  if (error) return {};
  stamp.size = std::filesystem::file_size(path, error);
  if (error) return {};
  stamp.exists = true;
  return stamp;
}

const QImage& SkinImages::Image(const std::filesystem::path& path) {
  const FileStamp stamp = StampOf(path);
  auto [it, inserted] = m_entries.try_emplace(path.native());
  Entry& entry = it->second;
  if (inserted || !(entry.stamp == stamp)) {
    entry.stamp = stamp;
    entry.image = stamp.exists ? LoadSkinImage(path) : QImage();
    if (stamp.exists) ++m_decodeCount;
  }
  return entry.image;
}

}  // namespace gm
