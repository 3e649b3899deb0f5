#pragma once
// The decoded skin images of the main window, kept between paints. Each image is decoded once
// and decoded again only when its file's modification time or size changes, so a skin file
// replaced on disk shows at the next repaint without three JPEGs being decoded on every paint.
//
// Images are decoded by their content, whatever their file name says, and kept as 32-bit
// premultiplied ARGB (opaque pictures have alpha 255 everywhere). A file that is missing or
// cannot be decoded gives a null image; the painter shows a missing page picture as a plain
// dark fill and a missing mark as nothing.

#include <QImage>

#include <cstdint>
#include <filesystem>
#include <string>
#include <unordered_map>

namespace gm {

// The format every cached image has and the page painter composes in.
inline constexpr QImage::Format kSkinImageFormat = QImage::Format_ARGB32_Premultiplied;

// Premultiplies a straight-alpha image in place: each of the three colour bytes of a pixel
// becomes byte * alpha / 255 (integer division, truncating). The image is first brought to
// 32-bit straight ARGB when it has another format, and is marked premultiplied afterwards, so
// QPainter blends it the way per-pixel-alpha blending of a premultiplied source does. An
// image already in 32-bit premultiplied ARGB is left as it is; a null image stays null.
void PremultiplyAlpha(QImage& image);

// Decodes the file by its content. Pictures with an alpha channel are premultiplied with
// PremultiplyAlpha; the result is in kSkinImageFormat, or null when the file cannot be read.
QImage LoadSkinImage(const std::filesystem::path& path);

class SkinImages {
 public:
  // The image of the file at path, decoded again when the file changed since the last call.
  // The reference stays valid until the next call for the same path or Clear().
  const QImage& Image(const std::filesystem::path& path);

  // How many decodes the cache has done (tests and the benchmark watch it).
  std::uint64_t DecodeCount() const { return m_decodeCount; }

  void Clear() { m_entries.clear(); }

 private:
  // What the file looked like when it was decoded; a missing file has exists == false.
  struct FileStamp {
    bool exists = false;
    std::filesystem::file_time_type modified{};
    std::uintmax_t size = 0;
    bool operator==(const FileStamp&) const = default;
  };
  struct Entry {
    FileStamp stamp;
    QImage image;
  };

  static FileStamp StampOf(const std::filesystem::path& path);

  std::unordered_map<std::string, Entry> m_entries;  // keyed by the path's native text
  std::uint64_t m_decodeCount = 0;
};

}  // namespace gm
