#include "ui/skin/skin_layout.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "platform/text.h"
#include "settings/config_settings.h"
#include "settings/paths.h"
#include "support/message_recorder.h"
#include "support/process_state.h"
#include "support/temp_dir.h"
#include "ui/skin/skin_dialog_layout.h"
#include "ui/skin/skin_line_reader.h"

namespace gm::test {
namespace {

namespace fs = std::filesystem;

const UserMessage kMissingFile = SameInBothLanguages(u"找不到配置文件");
const UserMessage kTooManyCommas = SameInBothLanguages(u"加载ini错误！");

SkinFields Fields(std::vector<std::u16string> texts) {
  SkinFields fields;
  for (std::size_t i = 0; i < texts.size() && i < fields.size(); ++i) fields[i] = texts[i];
  return fields;
}

// ---- Splitting one value -------------------------------------------------------------------

TEST(SplitSkinLine, SixCommasGiveTheRectangleTheCaptionAndAnEmptyRest) {
  const SplitSkinLineResult r = SplitSkinLine(u"apply,10,20,30,40,Apply,");
  EXPECT_EQ(r.fields, Fields({u"apply", u"10", u"20", u"30", u"40", u"Apply", u""}));
  EXPECT_FALSE(r.tooManyCommas);
  EXPECT_EQ(SkinRectOfFields(r.fields), (SkinRect{10, 20, 30, 40}));
}

TEST(SplitSkinLine, TextAfterTheSixthCommaIsTheRest) {
  const SplitSkinLineResult r = SplitSkinLine(u"n,1,2,3,4,cap,tail text");
  EXPECT_EQ(r.fields[kSkinCaptionField], u"cap");
  EXPECT_EQ(r.fields[kSkinRestField], u"tail text");
  EXPECT_FALSE(r.tooManyCommas);
}

TEST(SplitSkinLine, FiveCommasLoseTheCaptionAndTheRestIsTheWholeValue) {
  const SplitSkinLineResult r = SplitSkinLine(u"apply,10,20,30,40,Apply");
  EXPECT_EQ(r.fields,
            Fields({u"apply", u"10", u"20", u"30", u"40", u"", u"apply,10,20,30,40,Apply"}));
  EXPECT_EQ(SkinRectOfFields(r.fields), (SkinRect{10, 20, 30, 40}));
  EXPECT_FALSE(r.tooManyCommas);
}

TEST(SplitSkinLine, AfterAFieldWithoutCommaTheSearchStartsOverAtTheBeginning) {
  EXPECT_EQ(SplitSkinLine(u"ab,cd").fields, Fields({u"ab", u"", u"ab", u"", u"ab", u"", u"ab,cd"}));
  EXPECT_EQ(SplitSkinLine(u"a,b,c,d").fields, Fields({u"a", u"b", u"c", u"", u"a", u"b", u"c,d"}));
  // Two commas: fields 0 and 1, a miss, then field 3 and 4 again, a miss, the whole value.
  EXPECT_EQ(SplitSkinLine(u"x,y,z").fields, Fields({u"x", u"y", u"", u"x", u"y", u"", u"x,y,z"}));
}

TEST(SplitSkinLine, WithoutCommaTheWholeValueIsTheName) {
  EXPECT_EQ(SplitSkinLine(u"Left button").fields, Fields({u"Left button"}));
  EXPECT_EQ(SplitSkinLine(u"").fields, SkinFields{});
  EXPECT_EQ(SkinRectOfFields(SplitSkinLine(u"").fields), SkinRect{});
}

TEST(SplitSkinLine, CommasAtTheEdgesGiveEmptyFields) {
  EXPECT_EQ(SplitSkinLine(u",").fields, Fields({u"", u"", u"", u"", u"", u"", u","}));
  EXPECT_EQ(SplitSkinLine(u",1,2,3,4,,").fields, Fields({u"", u"1", u"2", u"3", u"4", u"", u""}));
}

TEST(SplitSkinLine, MoreThanSixCommasAreFlaggedAndTheRestKeepsThem) {
  const SplitSkinLineResult r = SplitSkinLine(u"n,1,2,3,4,cap,r1,r2");
  EXPECT_TRUE(r.tooManyCommas);
  EXPECT_EQ(r.fields, Fields({u"n", u"1", u"2", u"3", u"4", u"cap", u"r1,r2"}));
}

TEST(SkinRectOfFields, NumbersAreReadAsWtoiReadsThem) {
  EXPECT_EQ(SkinRectOfFields(SplitSkinLine(u"n,abc, 7px,-5,+9,c,").fields),
            (SkinRect{0, 7, -5, 9}));
  // Out-of-range numbers saturate and are kept as they are; nothing is clipped here.
  EXPECT_EQ(SkinRectOfFields(SplitSkinLine(u"n,-99999999999,2147483647,5,99999999999,c,").fields),
            (SkinRect{INT32_MIN, INT32_MAX, 5, INT32_MAX}));
}

TEST(ControlRectOf, EdgesAreTheSumsAndSaturateInsteadOfWrapping) {
  EXPECT_EQ(ControlRectOf({10, 20, 30, 40}), (ControlRect{10, 20, 40, 60}));
  EXPECT_EQ(ControlRectOf({-10, -20, 5, 5}), (ControlRect{-10, -20, -5, -15}));
  EXPECT_EQ(ControlRectOf({INT32_MAX, INT32_MIN, 1, -1}),
            (ControlRect{INT32_MAX, INT32_MIN, INT32_MAX, INT32_MIN}));
}

// ---- Files ----------------------------------------------------------------------------------

using Section = std::pair<std::string, std::vector<std::pair<std::string, std::string>>>;

void WriteIni(const fs::path& file, const std::vector<Section>& sections) {
  fs::create_directories(file.parent_path());
  std::string text;
  for (const auto& [name, keys] : sections) {
    text += "[" + name + "]\r\n";
    for (const auto& [key, value] : keys) text += key + "=" + value + "\r\n";
  }
  WriteFileBytes(file, text);
}

class SkinLayoutTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetProcessState();
    UseEnglish(false);
  }
  void TearDown() override { ResetProcessState(); }

  void UseEnglish(bool english) {
    g_isEnglish = english ? 1 : 0;
    SetDataPaths(dir_.path(), english);
  }
  fs::path Path(SkinLayoutFile which) const { return SkinLayoutFilePath(which, g_isEnglish != 0); }

  // Writes the file with "BUTTONPOS" 0..count-1 as "e<i>,i,i+1,i+2,i+3,cap<i>," plus extras.
  void WriteButtons(SkinLayoutFile which, int count, std::vector<Section> extra = {}) {
    Section buttons{"BUTTONPOS", {}};
    for (int i = 0; i < count; ++i) buttons.second.push_back({std::to_string(i), ElementLine(i)});
    extra.insert(extra.begin(), buttons);
    WriteIni(Path(which), extra);
  }
  static std::string ElementLine(int i) {
    const std::string n = std::to_string(i);
    return "e" + n + "," + n + "," + std::to_string(i + 1) + "," + std::to_string(i + 2) + "," +
           std::to_string(i + 3) + ",cap" + n + ",";
  }
  static SkinRect ElementRect(int i) { return {i, i + 1, i + 2, i + 3}; }
  static std::u16string Caption(int i) { return u"cap" + ToUtf16(std::to_string(i)); }

  TempDir dir_;
  MessageRecorder messages_;
  SkinLayout layout_;
};

TEST_F(SkinLayoutTest, FileNamesFollowTheLanguage) {
  const fs::path skins = dir_.path() / "skins";
  const std::pair<SkinLayoutFile, std::pair<const char*, const char*>> cases[] = {
      {SkinLayoutFile::kMain, {"skin_main_en.ini", "skin_main.ini"}},
      {SkinLayoutFile::kColor, {"skin_color_en.ini", "skin_color.ini"}},
      {SkinLayoutFile::kAdvance, {"skin_advance_en.ini", "skin_advance.ini"}},
      {SkinLayoutFile::kMac, {"skin_mac_en.ini", "skin_mac.ini"}},
      {SkinLayoutFile::kLbWarning, {"LBWarning_en.ini", "LBWarning.ini"}},
      {SkinLayoutFile::kKeyset, {"skin_keyset_en.ini", "skin_keyset.ini"}},
      {SkinLayoutFile::kGun, {"skin_gun_en.ini", "skin_gun.ini"}},
  };
  for (const auto& [which, names] : cases) {
    EXPECT_EQ(SkinLayoutFilePath(which, true), skins / "INI_EN" / names.first);
    EXPECT_EQ(SkinLayoutFilePath(which, false), skins / "INI_CN" / names.second);
  }
}

TEST_F(SkinLayoutTest, LoadersReadTheFileOfTheLanguageInForce) {
  UseEnglish(true);
  WriteIni(Path(SkinLayoutFile::kColor), {{"BUTTONPOS", {{"0", "a,1,1,1,1,English,"}}}});
  UseEnglish(false);
  WriteIni(Path(SkinLayoutFile::kColor), {{"BUTTONPOS", {{"0", "a,2,2,2,2,中文,"}}}});

  EXPECT_TRUE(LoadSkinColorIni(layout_));
  EXPECT_EQ(layout_.m_ledCaptions[0], u"中文");
  UseEnglish(true);
  EXPECT_TRUE(LoadSkinColorIni(layout_));
  EXPECT_EQ(layout_.m_ledCaptions[0], u"English");
  EXPECT_EQ(layout_.m_ledRects[0], (SkinRect{1, 1, 1, 1}));
  EXPECT_TRUE(messages_.messages().empty());
}

TEST_F(SkinLayoutTest, EveryTableIsFilledUpToItsLastEntry) {
  WriteButtons(SkinLayoutFile::kMain, static_cast<int>(kMainElementCount) + 1);
  WriteButtons(SkinLayoutFile::kColor, static_cast<int>(kLedElementCount) + 1);
  WriteButtons(SkinLayoutFile::kAdvance, static_cast<int>(kAdvElementCount) + 1);
  WriteButtons(SkinLayoutFile::kMac, static_cast<int>(kMacElementCount) + 1);
  WriteButtons(SkinLayoutFile::kLbWarning, static_cast<int>(kLbWarningElementCount) + 1);

  EXPECT_EQ(LoadAllSkinLayouts(layout_), std::nullopt);
  EXPECT_TRUE(messages_.messages().empty());
  for (int i : {0, 44}) {
    EXPECT_EQ(layout_.m_mainRects[i], ElementRect(i));
    EXPECT_EQ(layout_.m_mainCaptions[i], Caption(i));
  }
  for (int i : {0, 102}) EXPECT_EQ(layout_.m_ledRects[i], ElementRect(i));
  EXPECT_EQ(layout_.m_ledCaptions[102], Caption(102));
  for (int i : {0, 137}) EXPECT_EQ(layout_.m_advRects[i], ElementRect(i));
  EXPECT_EQ(layout_.m_advCaptions[137], Caption(137));
  for (int i : {0, 19}) EXPECT_EQ(layout_.m_macRects[i], ElementRect(i));
  EXPECT_EQ(layout_.m_macCaptions[19], Caption(19));
  for (int i : {0, 2}) {
    EXPECT_EQ(g_lbWarningRects[i], ElementRect(i));
    EXPECT_EQ(g_lbWarningCaptions[i], Caption(i));
  }
}

TEST_F(SkinLayoutTest, MissingKeysGiveZeroRectanglesAndEmptyCaptions) {
  layout_.m_mainRects[3] = {9, 9, 9, 9};
  layout_.m_mainCaptions[3] = u"old";
  g_controlRects[2] = {1, 2, 3, 4};
  WriteIni(Path(SkinLayoutFile::kMain), {{"BUTTONPOS", {{"0", ElementLine(0)}}}});

  EXPECT_TRUE(LoadSkinMainIni(layout_));
  EXPECT_EQ(layout_.m_mainRects[0], ElementRect(0));
  EXPECT_EQ(layout_.m_mainRects[3], SkinRect{});
  EXPECT_EQ(layout_.m_mainCaptions[3], u"");
  EXPECT_EQ(g_controlRects[2], ControlRect{});
  EXPECT_TRUE(messages_.messages().empty());
}

TEST_F(SkinLayoutTest, MainFileFillsFunctionNamesAndTheConfigurationNameBoxes) {
  WriteButtons(
      SkinLayoutFile::kMain, 1,
      {{"FUN_STRING",
        {{"0", "never read"},
         {"1", "Left button"},
         {"2", "Right,1,2,3,4,x,"},
         {"3", "Middle,"},
         {"47", "Last"}}},
       {"EDIT", {{"0", "c0,10,20,30,40,,"}, {"3", "c3,-5,0,15,8,,"}, {"4", "no,1,1,1,1,,"}}}});
  g_controlRects[4] = {7, 7, 7, 7};

  EXPECT_TRUE(LoadSkinMainIni(layout_));
  EXPECT_EQ(g_funStrings[0], u"");
  EXPECT_EQ(g_funStrings[1], u"Left button");
  EXPECT_EQ(g_funStrings[2], u"Right");
  EXPECT_EQ(g_funStrings[3], u"Middle");
  EXPECT_EQ(g_funStrings[4], u"");
  EXPECT_EQ(g_funStrings[47], u"Last");
  EXPECT_EQ(g_controlRects[0], (ControlRect{10, 20, 40, 60}));
  EXPECT_EQ(g_controlRects[3], (ControlRect{-5, 0, 10, 8}));
  EXPECT_EQ(g_controlRects[4], (ControlRect{7, 7, 7, 7}));  // not the main file's
}

TEST_F(SkinLayoutTest, MacroFileFillsTheMacroPageControlPlaces) {
  WriteButtons(
      SkinLayoutFile::kMac, 1,
      {{"EDIT", {{"0", "e0,0,0,10,10,,"}, {"1", "e1,100,0,10,10,,"}, {"2", "e2,200,0,10,10,,"}}},
       {"MACRODISPLAY",
        {{"0", "never,9,9,9,9,,"},
         {"1", "l1,0,50,100,200,,"},
         {"2", "l2,110,50,100,200,,"},
         {"3", "l3,220,50,100,200,,"}}}});
  g_controlRects[0] = {1, 1, 1, 1};

  EXPECT_TRUE(LoadSkinMacIni(layout_));
  EXPECT_EQ(g_controlRects[6], (ControlRect{0, 0, 10, 10}));
  EXPECT_EQ(g_controlRects[5], (ControlRect{100, 0, 110, 10}));
  EXPECT_EQ(g_controlRects[4], (ControlRect{200, 0, 210, 10}));
  EXPECT_EQ(g_controlRects[7], (ControlRect{0, 50, 100, 250}));
  EXPECT_EQ(g_controlRects[8], (ControlRect{110, 50, 210, 250}));
  EXPECT_EQ(g_controlRects[9], (ControlRect{220, 50, 320, 250}));
  EXPECT_EQ(g_controlRects[0], (ControlRect{1, 1, 1, 1}));  // the main file's entries stay
}

TEST_F(SkinLayoutTest, SliderGeometryComesFromElement66OfTheAdvancedPage) {
  const std::pair<const char*, std::array<int32_t, 3>> cases[] = {
      {"slider,40,100,320,12,,", {40, 320, 20}},
      {"slider,40,100,0,12,,", {40, 0, 0}},
      {"slider,40,100,33,12,,", {40, 33, 2}},
      {"slider,-7,100,-33,12,,", {-7, -33, -2}},  // truncated toward zero
      {"slider,40,100,15,12,,", {40, 15, 0}},
  };
  for (const auto& [line, expected] : cases) {
    WriteIni(Path(SkinLayoutFile::kAdvance), {{"BUTTONPOS", {{"66", line}}}});
    EXPECT_TRUE(LoadSkinAdvanceIni(layout_));
    EXPECT_EQ(g_dpiSliderX, expected[0]) << line;
    EXPECT_EQ(g_dpiSliderWidth, expected[1]) << line;
    EXPECT_EQ(g_dpiSliderStep, expected[2]) << line;
  }
}

TEST_F(SkinLayoutTest, AMissingFileIsReportedOnceAndTheLoadFails) {
  layout_.m_mainRects[0] = {1, 2, 3, 4};
  layout_.m_mainCaptions[44] = u"old";
  g_funStrings[5] = u"old";
  g_controlRects[1] = {1, 2, 3, 4};

  EXPECT_FALSE(LoadSkinMainIni(layout_));
  EXPECT_EQ(messages_.messages(), std::vector<UserMessage>{kMissingFile});
  // The pass went on with empty values, as the program ends right after it.
  EXPECT_EQ(layout_.m_mainRects[0], SkinRect{});
  EXPECT_EQ(layout_.m_mainCaptions[44], u"");
  EXPECT_EQ(g_funStrings[5], u"");
  EXPECT_EQ(g_controlRects[1], ControlRect{});

  // The next load reports it again.
  EXPECT_FALSE(LoadLBWarningIni());
  EXPECT_EQ(messages_.messages().size(), 2u);
}

TEST_F(SkinLayoutTest, LoadingAllNamesTheFirstMissingFileAndStillRunsEveryLoader) {
  WriteButtons(SkinLayoutFile::kMain, 1);
  WriteButtons(SkinLayoutFile::kColor, 1);
  WriteButtons(SkinLayoutFile::kMac, 1);
  WriteButtons(SkinLayoutFile::kLbWarning, 1);  // advance is missing

  EXPECT_EQ(LoadAllSkinLayouts(layout_), Path(SkinLayoutFile::kAdvance));
  EXPECT_EQ(messages_.messages(), std::vector<UserMessage>{kMissingFile});
  EXPECT_EQ(layout_.m_macRects[0], ElementRect(0));
  EXPECT_EQ(g_lbWarningRects[0], ElementRect(0));

  // A language whose folder is absent: every file is missing, each reported once.
  messages_.clear();
  UseEnglish(true);
  EXPECT_EQ(LoadAllSkinLayouts(layout_), Path(SkinLayoutFile::kMain));
  EXPECT_EQ(messages_.messages().size(), 5u);
}

TEST_F(SkinLayoutTest, TooManyCommasAreReportedOncePerFileAndTheValueIsStillUsed) {
  WriteIni(Path(SkinLayoutFile::kLbWarning),
           {{"BUTTONPOS",
             {{"0", "w,1,2,3,4,Warn,a,b"}, {"1", "w,5,6,7,8,ok,"}, {"2", "w,9,9,9,9,c,,"}}}});

  EXPECT_TRUE(LoadLBWarningIni());
  EXPECT_EQ(messages_.messages(), std::vector<UserMessage>{kTooManyCommas});
  EXPECT_EQ(g_lbWarningRects[0], (SkinRect{1, 2, 3, 4}));
  EXPECT_EQ(g_lbWarningCaptions[0], u"Warn");
  EXPECT_EQ(g_lbWarningRects[1], (SkinRect{5, 6, 7, 8}));
  EXPECT_EQ(g_lbWarningCaptions[2], u"c");
}

TEST_F(SkinLayoutTest, ValuesAreCutAt259Characters) {
  // The caption runs past the buffer: the sixth comma falls beyond it.
  const std::string head = "n,1,2,3,4,";
  const std::string caption(259 - head.size(), 'c');
  WriteIni(Path(SkinLayoutFile::kLbWarning), {{"BUTTONPOS", {{"0", head + caption + ",rest"}}}});
  SkinLayoutFileReader reader(Path(SkinLayoutFile::kLbWarning));
  SkinFields fields;

  EXPECT_TRUE(reader.ReadIniList(kButtonPosSection, 0, fields));
  EXPECT_EQ(fields[kSkinCaptionField], u"");
  EXPECT_EQ(fields[kSkinRestField].size(), 259u);
  EXPECT_EQ(SkinRectOfFields(fields), (SkinRect{1, 2, 3, 4}));
}

TEST_F(SkinLayoutTest, ReaderOverwritesEveryFieldAndReportsAMissingFileOncePerPass) {
  SkinLayoutFileReader reader(Path(SkinLayoutFile::kMain));
  SkinFields fields = Fields({u"a", u"b", u"c", u"d", u"e", u"f", u"g"});
  EXPECT_FALSE(reader.ReadIniList(kButtonPosSection, 0, fields));
  EXPECT_EQ(fields, SkinFields{});
  EXPECT_FALSE(reader.ReadIniList(kEditSection, 1, fields));
  EXPECT_FALSE(reader.fileFound());
  EXPECT_EQ(messages_.messages(), std::vector<UserMessage>{kMissingFile});
}

// ---- Dialog layouts --------------------------------------------------------------------------

TEST_F(SkinLayoutTest, KeysetLayoutReadsItsFourElements) {
  UseEnglish(true);
  WriteButtons(SkinLayoutFile::kKeyset, 5);
  KeysetLayout layout;

  EXPECT_TRUE(LoadKeysetLayout(layout));
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(layout.rects[i], ElementRect(i));
    EXPECT_EQ(layout.captions[i], Caption(i));
  }
  EXPECT_TRUE(messages_.messages().empty());
}

TEST_F(SkinLayoutTest, GunLayoutReadsItsElementsAndEditPlaces) {
  WriteButtons(SkinLayoutFile::kGun, 14,
               {{"EDIT",
                 {{"0", "strength,10,20,30,40,,"},
                  {"1", "repeat,50,20,30,40,,"},
                  {"2", "delay,90,20,30,40,,"}}}});
  GunLayout layout;

  EXPECT_TRUE(LoadGunLayout(layout));
  EXPECT_EQ(layout.rects[13], ElementRect(13));
  EXPECT_EQ(layout.captions[13], Caption(13));
  EXPECT_EQ(layout.editRects[kGunStrengthEdit], (ControlRect{10, 20, 40, 60}));
  EXPECT_EQ(layout.editRects[kGunRepeatEdit], (ControlRect{50, 20, 80, 60}));
  EXPECT_EQ(layout.editRects[kGunDelayEdit], (ControlRect{90, 20, 120, 60}));
}

TEST_F(SkinLayoutTest, AMissingDialogFileIsReportedOnceAndTouchesNoMainWindowTable) {
  g_funStrings[1] = u"kept";
  KeysetLayout keyset;
  keyset.rects[0] = {1, 1, 1, 1};
  GunLayout gun;

  EXPECT_FALSE(LoadKeysetLayout(keyset));
  EXPECT_EQ(keyset.rects[0], SkinRect{});
  EXPECT_EQ(messages_.messages(), std::vector<UserMessage>{kMissingFile});
  EXPECT_FALSE(LoadGunLayout(gun));
  EXPECT_EQ(messages_.messages().size(), 2u);
  EXPECT_EQ(g_funStrings[1], u"kept");
}

}  // namespace
}  // namespace gm::test
