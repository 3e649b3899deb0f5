#include "platform/ini_document.h"

#include <gtest/gtest.h>

namespace gm {
namespace {

std::optional<std::u16string> Find(std::u16string text, std::u16string_view section,
                                   std::u16string_view key) {
  return IniDocument(std::move(text)).Find(section, key);
}

std::u16string AfterSet(std::u16string text, std::u16string_view section,
                        std::u16string_view key, std::u16string_view value) {
  IniDocument document(std::move(text));
  EXPECT_TRUE(document.Set(section, key, value));
  return document.Text();
}

TEST(IniDocumentRead, TrimsNamesAndValuesAndIgnoresCase) {
  const std::u16string text =
      u"  [ Config0 ]  trailing text\n"
      u"\tKeyA   =   12 \t\n"
      u"keyb=\n"
      u"KeyC= a = b\n";
  EXPECT_EQ(Find(text, u"config0", u"KEYA"), u"12");
  EXPECT_EQ(Find(text, u" CONFIG0\t", u" keya "), u"12");
  EXPECT_EQ(Find(text, u"Config0", u"KeyB"), u"");
  EXPECT_EQ(Find(text, u"Config0", u"keyc"), u"a = b");
  EXPECT_EQ(Find(text, u"Config0", u"keyd"), std::nullopt);
  EXPECT_EQ(Find(text, u"Config1", u"keya"), std::nullopt);
}

TEST(IniDocumentRead, FoldsCaseBeyondAscii) {
  EXPECT_EQ(Find(u"[ÄBC]\nПРИВЕТ=1\n", u"äbc", u"привет"), u"1");
  EXPECT_EQ(Find(u"[Σ]\nk=1\n", u"σ", u"K"), u"1");
  EXPECT_EQ(Find(u"[配置]\nk=1\n", u"配置", u"k"), u"1");
}

TEST(IniDocumentRead, StripsOnlyMatchingOuterQuotes) {
  const std::u16string text =
      u"[S]\n"
      u"double=\"  spaced  \"\n"
      u"single='x'\n"
      u"mixed=\"x'\n"
      u"lone=\"\n"
      u"empty=\"\"\n"
      u"inner=a\"b\"\n";
  EXPECT_EQ(Find(text, u"S", u"double"), u"  spaced  ");
  EXPECT_EQ(Find(text, u"S", u"single"), u"x");
  EXPECT_EQ(Find(text, u"S", u"mixed"), u"\"x'");
  EXPECT_EQ(Find(text, u"S", u"lone"), u"\"");
  EXPECT_EQ(Find(text, u"S", u"empty"), u"");
  EXPECT_EQ(Find(text, u"S", u"inner"), u"a\"b\"");
}

TEST(IniDocumentRead, CommentsBareLinesAndKeysBeforeAnySectionAreNeverKeys) {
  const std::u16string text =
      u"orphan=1\n"
      u"[S]\n"
      u";commented=2\n"
      u"  ; indented=3\n"
      u"bare\n"
      u"[unclosed=4\n";
  EXPECT_EQ(Find(text, u"", u"orphan"), std::nullopt);
  EXPECT_EQ(Find(text, u"S", u"orphan"), std::nullopt);
  EXPECT_EQ(Find(text, u"S", u";commented"), std::nullopt);
  EXPECT_EQ(Find(text, u"S", u"commented"), std::nullopt);
  EXPECT_EQ(Find(text, u"S", u"indented"), std::nullopt);
  EXPECT_EQ(Find(text, u"S", u"bare"), std::nullopt);
  // A '[' line without ']' is no header, so it stays a key of [S].
  EXPECT_EQ(Find(text, u"S", u"[unclosed"), u"4");
}

TEST(IniDocumentRead, FirstSectionAndFirstKeyWin) {
  const std::u16string text =
      u"[S]\nk=first\nk=second\n"
      u"[T]\nk=t\n"
      u"[s]\nk=third\nonly=later\n";
  EXPECT_EQ(Find(text, u"S", u"k"), u"first");
  EXPECT_EQ(Find(text, u"S", u"only"), std::nullopt);  // the second [S] is never searched
  EXPECT_EQ(Find(text, u"T", u"K"), u"t");
}

TEST(IniDocumentRead, HandlesCrlfAndMissingFinalNewline) {
  EXPECT_EQ(Find(u"[S]\r\nk=v\r\nlast=end", u"S", u"k"), u"v");
  EXPECT_EQ(Find(u"[S]\r\nk=v\r\nlast=end", u"S", u"last"), u"end");
  EXPECT_EQ(Find(u"[S]\r\nk=v\r", u"S", u"k"), u"v");
  EXPECT_EQ(Find(u"", u"S", u"k"), std::nullopt);
}

TEST(IniDocumentWrite, ReplacesValueInPlaceKeepingEverythingElse) {
  const std::u16string text =
      u"; header comment\n"
      u"[Config0]\n"
      u"  KeyFunction0 =  5   \n"
      u"Other=7\n";
  EXPECT_EQ(AfterSet(text, u"config0", u"keyfunction0", u"12"),
            u"; header comment\n"
            u"[Config0]\n"
            u"  KeyFunction0 =  12\n"
            u"Other=7\n");
  EXPECT_EQ(AfterSet(u"[S]\nempty=   \n", u"S", u"empty", u"1"), u"[S]\nempty=   1\n");
}

TEST(IniDocumentWrite, RewritingAValueWithBlanksDoesNotGrowTheLine) {
  IniDocument document(u"[S]\nk = 1\n");
  ASSERT_TRUE(document.Set(u"S", u"k", u" v "));
  ASSERT_TRUE(document.Set(u"S", u"k", u" v "));
  EXPECT_EQ(document.Text(), u"[S]\nk = v \n");
  EXPECT_EQ(document.Find(u"S", u"k"), u"v");
}

TEST(IniDocumentWrite, WritesTheFirstOfDuplicateKeysAndSections) {
  EXPECT_EQ(AfterSet(u"[S]\nk=1\nk=2\n[S]\nk=3\n", u"S", u"K", u"9"),
            u"[S]\nk=9\nk=2\n[S]\nk=3\n");
  EXPECT_EQ(AfterSet(u"[S]\na=1\n[S]\nb=2\n", u"S", u"b", u"9"), u"[S]\na=1\nb=9\n[S]\nb=2\n");
}

TEST(IniDocumentWrite, AppendsNewKeyAfterLastNonBlankLineOfItsSection) {
  EXPECT_EQ(AfterSet(u"[A]\na=1\n\n\n[B]\nb=2\n", u"A", u"new", u"x"),
            u"[A]\na=1\nnew=x\n\n\n[B]\nb=2\n");
  EXPECT_EQ(AfterSet(u"[A]\n\n[B]\n", u"A", u"new", u"x"), u"[A]\nnew=x\n\n[B]\n");
  EXPECT_EQ(AfterSet(u"[A]\na=1\n; note\n\n[B]\n", u"a", u"new", u"x"),
            u"[A]\na=1\n; note\nnew=x\n\n[B]\n");
  // A bare line without '=' with the key's name is not the key.
  EXPECT_EQ(AfterSet(u"[A]\nnew\n", u"A", u"new", u"x"), u"[A]\nnew\nnew=x\n");
}

TEST(IniDocumentWrite, AppendsToLastSectionWithoutFinalNewline) {
  EXPECT_EQ(AfterSet(u"[A]\na=1", u"A", u"b", u"2"), u"[A]\na=1\nb=2\n");
  EXPECT_EQ(AfterSet(u"[A]\r\na=1", u"A", u"b", u"2"), u"[A]\r\na=1\r\nb=2\r\n");
}

TEST(IniDocumentWrite, AppendsNewSectionAtTheEnd) {
  EXPECT_EQ(AfterSet(u"[A]\na=1\n", u" B ", u" b ", u"2"), u"[A]\na=1\n[B]\nb=2\n");
  EXPECT_EQ(AfterSet(u"[A]\na=1", u"B", u"b", u"2"), u"[A]\na=1\n[B]\nb=2\n");
  EXPECT_EQ(AfterSet(u"[A]\r\na=1\n", u"B", u"b", u"2"), u"[A]\r\na=1\n[B]\r\nb=2\r\n");
  EXPECT_EQ(AfterSet(u"", u"B", u"b", u"2"), u"[B]\nb=2\n");
  // Keys before any section do not make a section.
  EXPECT_EQ(AfterSet(u"b=1\n", u"", u"b", u"2"), u"b=1\n[]\nb=2\n");
}

TEST(IniDocumentWrite, RefusesWhatCouldNotBeReadBack) {
  const std::u16string text = u"[S]\nk=1\n";
  for (const auto& [section, key, value] :
       {std::tuple<std::u16string_view, std::u16string_view, std::u16string_view>{
            u"S", u"k", u"two\nlines"},
        {u"S", u"k", u"cr\rhere"},
        {u"S\n", u"k", u"v"},
        {u"S", u"k\r\n", u"v"},
        {u"S]x", u"k", u"v"},
        {u"S", u"a=b", u"v"},
        {u"S", u" [k]", u"v"},
        {u"S", u";k", u"v"}}) {
    IniDocument document(text);
    EXPECT_FALSE(document.Set(section, key, value)) << std::string(key.begin(), key.end());
    EXPECT_EQ(document.Text(), text);
  }
}

TEST(IniDocumentWrite, WrittenValueReadsBack) {
  IniDocument document(u"[S]\nk=1\n");
  for (const std::u16string_view value : {u"", u"plain", u"a=b;c[d]", u"鼠标 \U0001F5B1"}) {
    ASSERT_TRUE(document.Set(u"S", u"k", value));
    EXPECT_EQ(document.Find(u"s", u"K"), value);
    ASSERT_TRUE(document.Set(u"New", u"k", value));
    EXPECT_EQ(document.Find(u"new", u"k"), value);
  }
}

}  // namespace
}  // namespace gm
