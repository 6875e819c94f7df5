#include <gtest/gtest.h>

#include <string>

#include "layoutfile/layout_file.h"
#include "layoutfile_test_support.h"
#include "memory_file_system.h"
#include "platform/windows_1252_codec.h"

namespace icotrace {
namespace {

const std::u16string kPath = u"C:\\Icotrace\\1024x768.ICOLAY";

class LoadLayoutFileTest : public ::testing::Test {
 protected:
  Layout Load(std::string bytes) {
    m_files.Put(kPath, std::move(bytes));
    Layout layout;
    LoadLayoutFile(m_files, m_codec, kPath, layout);
    return layout;
  }

  // Loads into a layout that already holds something; returns the message.
  std::u16string FailedLoad(const std::u16string& path = kPath) {
    m_kept = {{u"Ancienne", 1, 2, 3, 4}, {}};
    Layout layout = m_kept;
    const std::u16string message =
        MessageOf([&] { LoadLayoutFile(m_files, m_codec, path, layout); });
    EXPECT_EQ(layout, m_kept) << "a failed load must change nothing";
    return message;
  }

  testing::MemoryFileSystem m_files;
  Windows1252Codec m_codec;
  Layout m_kept;
};

TEST_F(LoadLayoutFileTest, NLinesGiveNPlusOneEntriesTheLastEmpty) {
  EXPECT_EQ(Load(""), Layout(1));
  EXPECT_EQ(Load("Documents;75;10;3;0\r\n"), (Layout{{u"Documents", 75, 10, 0, 3}, {}}));
  const Layout three = Load("A;1;2;3;4\r\n;0;0;0;0\r\nC;-5;-6;7;8\r\n");
  ASSERT_EQ(three.size(), 4u);
  EXPECT_EQ(three[1], DesktopIcon{});  // an empty caption is an entry all the same
  EXPECT_EQ(three[2], (DesktopIcon{u"C", -5, -6, 8, 7}));
  EXPECT_EQ(three[3], DesktopIcon{});
}

TEST_F(LoadLayoutFileTest, EveryLineEndEndsALineAndBlankLinesArePassedOver) {
  const Layout expected = {{u"A", 1, 2, 4, 3}, {u"B", 5, 6, 8, 7}, {}};
  const char* variants[] = {
      "A;1;2;3;4\r\nB;5;6;7;8\r\n",                   // as written
      "A;1;2;3;4\nB;5;6;7;8\n",                       // an editor that writes LF only
      "A;1;2;3;4\rB;5;6;7;8\r",                       // CR only
      "A;1;2;3;4\r\nB;5;6;7;8",                       // no line end after the last line
      "A;1;2;3;4\r\n\r\nB;5;6;7;8\r\n\r\n",           // a trailing blank line
      "\n\r\nA;1;2;3;4\n\rB;5;6;7;8\r\r\n",           // blank lines of every kind
      " \r\nA;1;2;3;4\r\n\t \t\r\nB;5;6;7;8\r\n   ",  // lines of spaces and tabs only
      "A; +01 ;2\t;0003;+4\r\nB;5;6;7;8\r\n",         // numbers typed by hand
      "\357\273\277A;1;2;3;4\r\nB;5;6;7;8\r\n",       // the UTF-8 mark, no part of A
  };
  for (const char* bytes : variants) {
    EXPECT_EQ(Load(bytes), expected) << bytes;
  }
  EXPECT_EQ(Load("\xCE\xA9;1;2;3;4\r\n")[0].Name, u"\u00CE\u00A9") << "no mark: 1252";
  EXPECT_EQ(Load("\xEF\xBB\xBF"), Layout(1));
  EXPECT_EQ(Load("\r\n\n\r"), Layout(1));
  EXPECT_EQ(Load(" \t\r\n\t\n  "), Layout(1));
}

TEST_F(LoadLayoutFileTest, AMalformedLineIsNamedWithItsNumberAndChangesNothing) {
  struct Case {
    const char* bytes;
    const char16_t* line;
    const char16_t* fault;
  };
  const Case cases[] = {
      {"Documents;75;10;3\r\n", u"ligne 1 :", u"il manque des champs"},
      {"A;1;2;3;4\r\nB;1;;3;4\r\n", u"ligne 2 :", u"le champ Y est vide"},
      {"A;1;2;3;4\n\nB;1;2;3;x\n", u"ligne 3 :", u"le champ lParam n'est pas un nombre"},
      {"A;1;2;3;4\n \t\nB;1;2;+;4\n", u"ligne 3 :", u"le champ Image n'est pas un nombre"},
      {"A;1;2;3;4\r\n\r\nB;1;2;3;4\r\nC;1;2;2147483648;4\r\n", u"ligne 4 :",
       u"le champ Image sort des limites"},
      {"A;1;2;3;4\rB;1;2;3;4\rC;1;2;3;4;\r", u"ligne 3 :", u"le champ lParam est vide"},
      // After the mark: cut, stray, overlong, surrogate, beyond U+10FFFF, cut by the end.
      {"\xEF\xBB\xBF\xC3;1;2;3;4\r\n", u"ligne 1 :", u"n'est pas de l'UTF-8 valide"},
      {"\xEF\xBB\xBF\xC3\xA9;1;2;3;4\r\n\r\nB\xA9;1;2;3;4\r\n", u"ligne 3 :", u"UTF-8"},
      {"\xEF\xBB\xBF\n\r\rA\xC0\xAF;1;2;3;4\r\n", u"ligne 4 :", u"UTF-8"},
      {"\xEF\xBB\xBF\xED\xA0\xBD\xED\xB8\x80;1;2;3;4", u"ligne 1 :", u"UTF-8"},
      {"\xEF\xBB\xBF\xF4\x90\x80\x80;1;2;3;4", u"ligne 1 :", u"UTF-8"},
      {"\357\273\277A;1;2;3;4\nB;1;2;3;4\xF0\x9F\x98", u"ligne 2 :", u"UTF-8"},
  };
  for (const Case& c : cases) {
    m_files.Put(kPath, c.bytes);
    const std::u16string message = FailedLoad();
    EXPECT_MESSAGE_HAS(message, u"« " + kPath + u" »");
    EXPECT_MESSAGE_HAS(message, c.line);
    EXPECT_MESSAGE_HAS(message, c.fault);
  }
}

TEST_F(LoadLayoutFileTest, AFileThatCannotBeReadChangesNothing) {
  EXPECT_MESSAGE_HAS(FailedLoad(u"C:\\Icotrace\\800x600.ICOLAY"), u"le fichier est introuvable");

  m_files.Put(kPath, "A;1;2;3;4\r\n").locked = true;
  EXPECT_MESSAGE_HAS(FailedLoad(), u"utilisé par un autre programme");

  m_files.Put(kPath, std::string(kMaxLayoutFileBytes + 1, 'x')).locked = false;
  EXPECT_MESSAGE_HAS(FailedLoad(), u"trop volumineux");
}

TEST_F(LoadLayoutFileTest, BinaryGarbageGivesAClearMessage) {
  std::string garbage;
  for (int i = 0; i < 4096; ++i) garbage += static_cast<char>((i * 167 + 13) % 256);
  m_files.Put(kPath, garbage);
  EXPECT_MESSAGE_HAS(FailedLoad(), u", ligne 2 : il manque des champs");  // line 1 is a lone CR

  m_files.Put(kPath, std::string("MZ\0\0;1;2;3;4\r\n", 15));
  EXPECT_MESSAGE_HAS(FailedLoad(), u"caractère nul");
}

TEST_F(LoadLayoutFileTest, LargeFilesAndLongLinesLoad) {
  std::string bytes;
  for (int i = 0; i < 100'000; ++i) bytes += "Raccourci " + std::to_string(i) + ";1;2;3;4\r\n";
  EXPECT_EQ(Load(bytes).size(), 100'001u);

  const std::string longCaption(100 * 1024, 'a');
  const Layout layout = Load(longCaption + ";1;2;3;4\n");
  ASSERT_EQ(layout.size(), 2u);
  EXPECT_EQ(layout[0].Name.size(), longCaption.size());
}

TEST_F(LoadLayoutFileTest, RefusesMoreLinesThanALayoutCanHold) {
  std::string bytes;
  bytes.reserve((kMaxLayoutEntries + 1) * 9);
  for (std::size_t i = 0; i <= kMaxLayoutEntries; ++i) bytes += ";0;0;0;0\n";
  m_files.Put(kPath, std::move(bytes));
  EXPECT_MESSAGE_HAS(FailedLoad(), u"ligne 1000001 : le fichier compte trop de lignes");
}

}  // namespace
}  // namespace icotrace
