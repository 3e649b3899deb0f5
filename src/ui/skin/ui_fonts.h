#pragma once
// The fonts of the main window and its dialogs: a text font and a dialog font per language,
// all four alike (10 points). The face is "微软雅黑" where the font database has it; elsewhere
// "WenQuanYi Micro Hei", which carries the Chinese and Latin glyphs of the skins. The face is
// chosen once, the first time a font is asked for (a Qt application object must exist then).

#include <QFont>
#include <QString>
#include <QStringList>

namespace gm {

inline constexpr int kUiFontPointSize = 10;

inline constexpr char16_t kPreferredFontFace[] = u"微软雅黑";
inline constexpr char16_t kPreferredFontFaceLatinName[] = u"Microsoft YaHei";  // same face
inline constexpr char16_t kFallbackFontFace[] = u"WenQuanYi Micro Hei";

// The face to use among the installed families: "微软雅黑" (also when listed under its Latin
// name "Microsoft YaHei"), else "WenQuanYi Micro Hei".
QString ChooseUiFontFace(const QStringList& installedFamilies);

struct UiFonts {
  QFont fontEn;
  QFont fontCn;
  QFont dlgFontEn;
  QFont dlgFontCn;
};

// The four fonts, made on the first call.
const UiFonts& GetUiFonts();

// The page-text font of a language: fontEn in English, fontCn in Chinese.
const QFont& PageTextFont(bool isEnglish);

}  // namespace gm
