#include <gtest/gtest.h>

#include <string>

#include "layoutfile/layout_line.h"
#include "layoutfile_test_support.h"
#include "platform/windows_1252_codec.h"

namespace icotrace {
namespace {

TEST(ParseLayoutLineTest, MapsTheFieldsBackAndTakesTheLastFourAsNumbers) {
  struct Case {
    const char16_t* line;
    DesktopIcon icon;  // Name, X, Y, lParam, Image
  };
  const Case cases[] = {
      {u"Documents;75;10;3;0", {u"Documents", 75, 10, 0, 3}},
      {u"Corbeille;-120;-5;-1;-2147483648", {u"Corbeille", -120, -5, -2147483648, -1}},
      {u"Ce PC;2147483647;0;31;7", {u"Ce PC", 2147483647, 0, 7, 31}},
      {u";1;2;3;4", {u"", 1, 2, 4, 3}},            // an entry that stands for no item
      {u"A;1;75;10;3;0", {u"A;1", 75, 10, 0, 3}},  // a caption holding ";"
      {u";;;1;2;3;4", {u";;", 1, 2, 4, 3}},
      {u" Espace ;1;2;3;4", {u" Espace ", 1, 2, 4, 3}},  // blanks belong to the caption
      // Numbers as a person editing the file may type them.
      {u"Documents;+75;10; 3;0 ", {u"Documents", 75, 10, 0, 3}},
      {u"Documents;075;-0;+0;-000", {u"Documents", 75, 0, 0, 0}},
      {u"Documents; +0012 ;\t-7\t;\t 0003;00000000000000000000042", {u"Documents", 12, -7, 42, 3}},
      {u"Bords ; +2147483647;-002147483648 ;+0;0", {u"Bords ", 2147483647, -2147483648, 0, 0}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ParseLayoutLine(c.line), c.icon) << testing::Utf8(c.line);
  }
}

TEST(ParseLayoutLineTest, RefusesEveryMalformedLineAndNamesTheFault) {
  struct Case {
    const char16_t* line;
    LineFault::Kind kind;
    int field;
    const char16_t* said;
  };
  using K = LineFault::Kind;
  const Case cases[] = {
      {u"", K::TooFewFields, 0, u"il manque des champs"},
      {u"Documents", K::TooFewFields, 0, u"il manque des champs"},
      {u"Documents;75;10;3", K::TooFewFields, 0, u"il manque des champs"},
      {u"Documents;;10;3;0", K::EmptyNumber, 0, u"le champ X est vide"},
      {u"Documents;75;10;3;", K::EmptyNumber, 3, u"le champ lParam est vide"},
      {u"Documents; \t ;10;3;0", K::EmptyNumber, 0, u"le champ X est vide"},  // blanks only
      {u"Documents;75;x;3;0", K::NotDecimal, 1, u"le champ Y n'est pas un nombre"},
      {u"Documents;-;10;3;0", K::NotDecimal, 0, u"le champ X"},
      {u"Documents; + ;10;3;0", K::NotDecimal, 0, u"le champ X"},
      {u"Documents;+-75;10;3;0", K::NotDecimal, 0, u"le champ X"},
      {u"Documents;- 75;10;3;0", K::NotDecimal, 0, u"le champ X"},  // a blank after the sign
      {u"Documents;7 5;10;3;0", K::NotDecimal, 0, u"le champ X"},
      {u"Documents;7.5;10;3;0", K::NotDecimal, 0, u"le champ X"},
      {u"Documents;75;0x0A;3;0", K::NotDecimal, 1, u"le champ Y"},
      {u"Documents;75;10;3;\uFF10", K::NotDecimal, 3, u"le champ lParam"},  // full-width 0
      // Spaces and tabs are the only blanks: not a no-break space, not a vertical tab.
      {u"Documents;75;10;3;0\u00A0", K::NotDecimal, 3, u"le champ lParam"},
      {u"Documents;75;10;\v3;0", K::NotDecimal, 2, u"le champ Image"},
      {u"Documents;2147483648;10;3;0", K::OutOfRange, 0, u"sort des limites"},
      {u"Documents;+2147483648;10;3;0", K::OutOfRange, 0, u"sort des limites"},
      {u"Documents;75;-2147483649;3;0", K::OutOfRange, 1, u"le champ Y sort des limites"},
      {u"Documents;75;10;99999999999999999999;0", K::OutOfRange, 2, u"le champ Image"},
      {u"Documents;75;10;3; 0004294967296 ", K::OutOfRange, 3, u"le champ lParam"},
  };
  for (const Case& c : cases) {
    DesktopIcon icon;
    const LineFault fault = TryParseLayoutLine(c.line, icon);
    EXPECT_EQ(fault.kind, c.kind) << testing::Utf8(c.line);
    EXPECT_EQ(fault.field, c.field) << testing::Utf8(c.line);
    const std::u16string message = MessageOf([&] { ParseLayoutLine(c.line); });
    EXPECT_MESSAGE_HAS(message, c.said);
  }
  DesktopIcon icon;
  EXPECT_EQ(TryParseLayoutLine(std::u16string(u"Doc\0;1;2;3;4", 12), icon).kind, K::NulCharacter);
}

TEST(AppendLayoutLineTest, WritesImageFourthAndLParamLastWithCrLf) {
  const Windows1252Codec codec;
  std::string bytes;
  EXPECT_FALSE(AppendLayoutLine(codec, {u"Documents", 75, 10, 0, 3}, bytes).Any());
  EXPECT_FALSE(
      AppendLayoutLine(codec, {u"Éléments récents", -4, -2147483648, 2147483647, -1}, bytes).Any());
  EXPECT_FALSE(AppendLayoutLine(codec, {u"", 0, 0, 0, 0}, bytes).Any());
  EXPECT_EQ(bytes,
            "Documents;75;10;3;0\r\n"
            "\xC9l\xE9ments r\xE9"
            "cents;-4;-2147483648;-1;2147483647\r\n"
            ";0;0;0;0\r\n");
}

TEST(AppendLayoutLineTest, ReportsCaptionsItCannotWriteExactly) {
  const Windows1252Codec codec;
  std::string bytes;
  EXPECT_TRUE(AppendLayoutLine(codec, {u"Fichiers \u65E5\u672C", 1, 2, 3, 4}, bytes).encoding);
  // A line break in a caption would split the line: it is written as a blank.
  EXPECT_TRUE(AppendLayoutLine(codec, {u"Deux\r\nlignes", 1, 2, 3, 4}, bytes).lineBreaks);
  EXPECT_EQ(bytes, "Fichiers ??;1;2;4;3\r\nDeux  lignes;1;2;4;3\r\n");
}

TEST(Windows1252CodecTest, RoundTripsEveryByteAndRefusesWhatItCannotHold) {
  const Windows1252Codec codec;
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  const std::u16string text = codec.FromAnsi(all);
  EXPECT_EQ(text[0x80], u'\u20AC');
  EXPECT_EQ(text[0x9C], u'\u0153');  // œ
  EXPECT_EQ(text[0xE9], u'\u00E9');  // é
  const AnsiText back = codec.ToAnsi(text);
  EXPECT_TRUE(back.lossless);
  EXPECT_EQ(back.bytes, all);

  for (const char16_t* lossy : {u"\u0080", u"\u0100", u"\u2603", u"\xD83D\xDE00"}) {
    EXPECT_FALSE(codec.ToAnsi(lossy).lossless) << testing::Utf8(lossy);
  }
}

}  // namespace
}  // namespace icotrace
