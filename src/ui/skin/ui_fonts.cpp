#include "ui/skin/ui_fonts.h"

#include <QFontDatabase>

namespace gm {

QString ChooseUiFontFace(const QStringList& installedFamilies) {
  const QString preferred = QString::fromUtf16(kPreferredFontFace);
  const QString preferredLatin = QString::fromUtf16(kPreferredFontFaceLatinName);
  if (installedFamilies.contains(preferred, Qt::CaseInsensitive)) return preferred;
  if (installedFamilies.contains(preferredLatin, Qt::CaseInsensitive)) return preferredLatin;
  return QString::fromUtf16(kFallbackFontFace);
}

namespace {

QFont MakeUiFont(const QString& face) {
  QFont font(face);
  font.setPointSize(kUiFontPointSize);
  return font;
}

UiFonts MakeUiFonts() {
  const QString face = ChooseUiFontFace(QFontDatabase::families());
  return UiFonts{MakeUiFont(face), MakeUiFont(face), MakeUiFont(face), MakeUiFont(face)};
}

}  // namespace

const UiFonts& GetUiFonts() {
  static const UiFonts fonts = MakeUiFonts();
  return fonts;
}

const QFont& PageTextFont(bool isEnglish) {
  const UiFonts& fonts = GetUiFonts();
  return isEnglish ? fonts.fontEn : fonts.fontCn;
}

}  // namespace gm
