#pragma once
// Reading one value of a skin layout file and splitting it into its seven fields.
//
// A value reads "name,x,y,width,height,caption,rest": six commas, each of the first six fields
// followed by one. Fields 1..4 are decimal numbers (read as _wtoi does), field 5 the caption
// drawn in the element, field 6 whatever follows the sixth comma.

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "ui/skin/skin_rect.h"

namespace gm {

inline constexpr std::size_t kSkinFieldCount = 7;
inline constexpr std::size_t kSkinNameField = 0;
inline constexpr std::size_t kSkinXField = 1;
inline constexpr std::size_t kSkinYField = 2;
inline constexpr std::size_t kSkinWidthField = 3;
inline constexpr std::size_t kSkinHeightField = 4;
inline constexpr std::size_t kSkinCaptionField = 5;
inline constexpr std::size_t kSkinRestField = 6;
// A complete value has this many commas; more are reported but still split.
inline constexpr std::size_t kSkinLineCommas = 6;
// Values are read with a buffer of this many characters, terminator included.
inline constexpr std::size_t kSkinValueBufferChars = 260;

// Section names of the layout files: elements, control places, key-function captions,
// list-box places.
inline constexpr std::u16string_view kButtonPosSection = u"BUTTONPOS";
inline constexpr std::u16string_view kEditSection = u"EDIT";
inline constexpr std::u16string_view kFunStringSection = u"FUN_STRING";
inline constexpr std::u16string_view kMacroDisplaySection = u"MACRODISPLAY";

// What a read of a missing layout file tells the user (the same in both languages).
inline constexpr std::u16string_view kMissingLayoutFileText = u"找不到配置文件";

using SkinFields = std::array<std::u16string, kSkinFieldCount>;

struct SplitSkinLineResult {
  SkinFields fields;
  bool tooManyCommas = false;  // more than kSkinLineCommas commas in the value
};

// Splits a value into its seven fields:
// - without a comma, field 0 is the whole value and the others are empty;
// - otherwise, starting before the value, each of fields 0..5 is the text up to the next comma
//   after the previous one. When no comma follows, that field is empty and the next search
//   starts again at the beginning of the value. Field 6 is the text after the last comma
//   found (the whole value when field 5 found none).
// So a value with one comma gives: before, "", before, "", before, "", whole value; and a
// value with five commas gives the rectangle with an empty caption and the whole value as
// field 6.
SplitSkinLineResult SplitSkinLine(std::u16string_view value);

// The rectangle of fields 1..4, each read as _wtoi reads it (non-numeric text gives 0).
SkinRect SkinRectOfFields(const SkinFields& fields);

// One pass of a loader over one layout file. The file's existence is checked on every read;
// when it is missing, "找不到配置文件" is shown once for the whole pass, the pass counts as
// failed, and the read goes on with an empty value.
class SkinLayoutFileReader {
 public:
  explicit SkinLayoutFileReader(std::filesystem::path file);

  // Reads key (formatted "%d") of section and splits it into fields (all seven overwritten).
  // A value with more than six commas is split all the same; the first such value of the pass
  // shows "加载ini错误！", later ones nothing (one message per file).
  // Returns false when the file was missing.
  bool ReadIniList(std::u16string_view section, int32_t key, SkinFields& fields);

  // The rectangle and caption of one element; a missing key gives {0, 0, 0, 0} and "".
  void ReadElement(std::u16string_view section, int32_t key, SkinRect& rect,
                   std::u16string& caption);

  // False once any read of this pass found the file missing.
  bool fileFound() const { return !missing_; }
  const std::filesystem::path& file() const { return file_; }

 private:
  std::filesystem::path file_;
  bool missing_ = false;
  bool tooManyCommasShown_ = false;
};

}  // namespace gm
