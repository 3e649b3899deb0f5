#include "ui_font.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QString>

#include "skin_palette.h"

namespace gm::skingen {
namespace {

constexpr int kLayoutDpi = 96;
constexpr int kPointsPerInch = 72;

// A point size turned into the character height the window's font gets, rounded to the
// nearest pixel (10 points -> 13 pixels).
int PixelsOfPoints(int points) {
  return (points * kLayoutDpi + kPointsPerInch / 2) / kPointsPerInch;
}

}  // namespace

std::optional<QFont> LoadUiFont() {
  const QStringList installed = QFontDatabase::families();
  for (const char* face : {skin::kUiFontFace, skin::kUiFontFallback}) {
    const QString family = QString::fromUtf8(face);
    if (!installed.contains(family, Qt::CaseInsensitive)) {
      continue;
    }
    QFont font(family);
    font.setPixelSize(PixelsOfPoints(skin::kUiFontPoints));
    // The database may list a face it then replaces; accept only the face asked for.
    if (QFontInfo(font).family().compare(family, Qt::CaseInsensitive) == 0) {
      return font;
    }
  }
  return std::nullopt;
}

QFont BadgeFont(const QFont& uiFont, int pixelSize) {
  QFont font = uiFont;
  font.setPixelSize(pixelSize);
  font.setBold(true);
  return font;
}

}  // namespace gm::skingen
