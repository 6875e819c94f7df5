#include <gtest/gtest.h>

#include <string>

#include "core/decimal_text.h"
#include "layoutfile/layout_file.h"
#include "layoutfile/layout_file_errors.h"
#include "layoutfile_test_support.h"
#include "memory_file_system.h"
#include "platform/windows_1252_codec.h"

namespace icotrace {
namespace {

using testing::MemoryFileSystem;
using testing::Utf8;

const std::u16string kPath = u"C:\\Icotrace\\1024x768.ICOLAY";
const std::string kOldBytes = "Ancienne;1;2;3;4\r\n";

class SaveLayoutFileTest : public ::testing::Test {
 protected:
  Layout RoundTrip(const Layout& layout) {
    SaveLayoutFile(m_files, m_codec, kPath, layout);
    Layout loaded;
    LoadLayoutFile(m_files, m_codec, kPath, loaded);
    return loaded;
  }

  // Saves over the old file while a fault is switched on; the old file and
  // the folder must be exactly as before.
  std::u16string FailedSave() {
    const auto before = m_files.Files();
    const std::u16string message = MessageOf([&] {
      SaveLayoutFile(m_files, m_codec, kPath, {{u"Nouvelle", 5, 6, 7, 8}});
    });
    EXPECT_EQ(m_files.Files().size(), before.size()) << "a temporary file was left behind";
    EXPECT_EQ(m_files.At(kPath).bytes, kOldBytes);
    EXPECT_EQ(m_files.OpenHandles(), 0u);
    EXPECT_MESSAGE_HAS(message, u"Impossible d'enregistrer la configuration dans le fichier « " +
                                    kPath + u" » : ");
    return message;
  }

  MemoryFileSystem m_files;
  Windows1252Codec m_codec;
};

TEST_F(SaveLayoutFileTest, WritesTheDesignedBytes) {
  SaveLayoutFile(m_files, m_codec, kPath, {{u"Documents", 75, 10, 0, 3}, {u"", 0, 0, 0, 0}});
  EXPECT_EQ(m_files.At(kPath).bytes, "Documents;75;10;3;0\r\n;0;0;0;0\r\n");
  EXPECT_EQ(m_files.Files().size(), 1u);
  SaveLayoutFile(m_files, m_codec, kPath, {});
  EXPECT_EQ(m_files.At(kPath).bytes, "");
}

TEST_F(SaveLayoutFileTest, RoundTripsWhatTheCodePageHolds) {
  const Layout layout = {
      {u"Éléments récents – œuvre € ÿ", 75, 10, 0, 3},
      {u"Corbeille", -32000, -2147483648, 2147483647, -1},
      {u"A;1", 1, 2, 3, 4},
      {u"Notes; brouillon;;", 5, 6, 7, 8},
      {std::u16string(259, u'é'), 9, 10, 11, 12},
      {u"", 0, 0, 0, 0},
  };
  Layout expected = layout;
  expected.emplace_back();
  EXPECT_EQ(RoundTrip(layout), expected);
  EXPECT_EQ(m_files.At(kPath).bytes.substr(0, 8), "\xC9l\xE9ments") << "in the code page";
}

// Beyond the code page the whole file goes to UTF-8, so every name is kept.
TEST_F(SaveLayoutFileTest, NamesTheCodePageCannotHoldGoToUtf8AndReadBack) {
  const Layout layouts[] = {
      {{u"é", 1, 2, 3, 4},
       {u"Ελληνικά Фото \u65E5\u672C", 5, 6, 7, 8},
       {u"\U0001F334", 0, 0, 0, 0}},
      {{u"Łódź Čeština İstanbul ğ \U0001F600", 1, 2, 3, 4}},
      {{u"\u0080\u07FF\u0800\uFFFF\U00010000\U0010FFFF", -1, -2, -3, -4}},
      {{u"ï»¿ début", 1, 2, 3, 4}},  // its code-page bytes would read as the mark
  };
  for (const Layout& layout : layouts) {
    SCOPED_TRACE(Utf8(layout[0].Name));
    EXPECT_TRUE(SaveLayoutFile(m_files, m_codec, kPath, layout).unconvertedNames.empty());
    EXPECT_TRUE(m_files.At(kPath).bytes.starts_with("\xEF\xBB\xBF" + Utf8(layout[0].Name) + ";"));
    Layout expected = layout;
    expected.emplace_back();
    EXPECT_EQ(RoundTrip(layout), expected);
  }
}

// A lone surrogate has no UTF-8 form and a line break would split the line.
TEST_F(SaveLayoutFileTest, ReportsEachCaptionItCouldNotWriteExactlyOnce) {
  const Layout layout = {{u"Photos \xD83D", 1, 2, 3, 4},
                         {u"Documents\r\n", 5, 6, 7, 8},
                         {u"Photos \xD83D", 9, 10, 11, 12},
                         {u"\xDE00 \u266B", 1, 1, 1, 1}};
  const SaveReport report = SaveLayoutFile(m_files, m_codec, kPath, layout);
  EXPECT_EQ(report.unconvertedNames,
            (std::vector<std::u16string>{u"Photos \xD83D", u"Documents\r\n", u"\xDE00 \u266B"}));
  // The file is written all the same, substitutes and all.
  EXPECT_EQ(m_files.At(kPath).bytes.substr(0, 44),
            "\xEF\xBB\xBFPhotos \xEF\xBF\xBD;1;2;4;3\r\nDocuments  ;5;6;8;7\r\n");
  SaveLayoutFile(m_files, m_codec, kPath, {layout[1]});
  EXPECT_EQ(m_files.At(kPath).bytes, "Documents  ;5;6;8;7\r\n") << "the code page holds blanks";
}

TEST(UnconvertedNamesMessageTest, NamesTheFileAndTheFirstCaptionsOnly) {
  std::vector<std::u16string> names;
  for (int i = 0; i < 23; ++i) names.push_back(u"Ic\u00F4ne \u65E5 " + DecimalText(i));
  const std::u16string message = UnconvertedNamesMessage(kPath, names);
  EXPECT_MESSAGE_HAS(message, u"a été enregistrée dans le fichier « " + kPath + u" »");
  EXPECT_MESSAGE_HAS(message, u"\nIc\u00F4ne \u65E5 0\n");
  EXPECT_MESSAGE_HAS(message, u"\nIc\u00F4ne \u65E5 19\n… et 3 autres.");
  EXPECT_EQ(message.find(u"\u65E5 20"), std::u16string::npos);
}

TEST_F(SaveLayoutFileTest, AFailedSaveLeavesTheOldFileByteForByte) {
  struct Case {
    const char* what;
    void (*arrange)(MemoryFileSystem&);
    const char16_t* reason;
  };
  const Case cases[] = {
      {"folder not writable",
       [](MemoryFileSystem& f) { f.Fail().create = FileFault::AccessDenied; }, u"accès refusé"},
      {"disk full", [](MemoryFileSystem& f) { f.Fail().diskSpace = kOldBytes.size() + 5; },
       u"le disque est plein"},
      {"flush fails", [](MemoryFileSystem& f) { f.Fail().flush = FileFault::DiskFull; },
       u"le disque est plein"},
      {"close fails", [](MemoryFileSystem& f) { f.Fail().close = FileFault::Other; },
       u"erreur système"},
      {"file locked", [](MemoryFileSystem& f) { f.Put(kPath, kOldBytes).locked = true; },
       u"utilisé par un autre programme"},
      {"file read-only", [](MemoryFileSystem& f) { f.Put(kPath, kOldBytes).readOnly = true; },
       u"lecture seule"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    m_files = MemoryFileSystem();
    m_files.Put(kPath, kOldBytes);
    c.arrange(m_files);
    EXPECT_MESSAGE_HAS(FailedSave(), c.reason);
  }
}

TEST_F(SaveLayoutFileTest, TheSystemsOwnWordsNameAnUnforeseenFault) {
  m_files.Put(kPath, kOldBytes);
  FileResult odd;
  odd.fault = FileFault::Other;
  odd.systemCode = 1117;
  odd.systemText = u"Erreur d'E/S";
  m_files.Fail().replace = FileFault::Other;
  EXPECT_MESSAGE_HAS(FailedSave(), u"erreur système 0");
  EXPECT_MESSAGE_HAS(FileReasonText(odd), u"erreur système 1117 (Erreur d'E/S)");
}

TEST_F(SaveLayoutFileTest, NeverTakesAnotherFilesTemporaryName) {
  m_files.Put(kPath + u".~tmp", "autre");
  m_files.Put(kPath + u".~tmp1", "autre");
  SaveLayoutFile(m_files, m_codec, kPath, {{u"A", 1, 2, 3, 4}});
  EXPECT_EQ(m_files.At(kPath).bytes, "A;1;2;4;3\r\n");
  EXPECT_EQ(m_files.At(kPath + u".~tmp").bytes, "autre");
  EXPECT_EQ(m_files.At(kPath + u".~tmp1").bytes, "autre");
  EXPECT_EQ(m_files.Files().size(), 3u);
}

}  // namespace
}  // namespace icotrace
