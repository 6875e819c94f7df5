#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "layoutfile/layout_file_name.h"
#include "layoutfile_test_support.h"
#include "memory_file_system.h"
#include "platform/program_folder.h"

namespace icotrace {
namespace {

using testing::FixedScreen;
using testing::MemoryFileSystem;

struct NameCase {
  ScreenTwips screen;
  const char16_t* expected;
};

TEST(LayoutFileNameTest, FollowsTheRoundingAndTruncationRule) {
  const NameCase cases[] = {
      {{15360, 11520, 15, 15}, u"1024x768"},
      {{14400, 8100, 7.5f, 7.5f}, u"1800x1012"},  // 7.5 rounds to 8, remainder dropped
      {{14400, 8100, 6.5f, 6.5f}, u"2400x1350"},  // 6.5 rounds to 6
      {{23040, 12960, 12, 12}, u"1920x1080"},     // 120 dots per inch
      {{19200, 10800, 10, 10}, u"1920x1080"},     // 144 dots per inch, 150 %
      {{16457.143f, 9257.143f, 8.571428f, 8.571428f}, u"1828x1028"},  // 168 dpi
      {{1000.5f, 1001.5f, 1, 1}, u"1000x1002"},        // halves of the sizes go to even too
      {{1599.4f, 1199.6f, 15.49f, 15.5f}, u"106x75"},  // 1599/15, 1200/16
      {{-1001, -29, 8, 15}, u"-125x-1"},               // truncation toward zero
      {{1000, 8100, -7.5f, 7.5f}, u"-125x1012"},
  };
  MemoryFileSystem files;
  files.SetProgramFolder(u"C:\\Programmes\\Icotrace");
  for (const NameCase& c : cases) {
    FixedScreen screen(c.screen);
    EXPECT_EQ(
        testing::Utf8(LayoutFileName(screen, files)),
        testing::Utf8(u"C:\\Programmes\\Icotrace\\" + std::u16string(c.expected) + u".ICOLAY"))
        << c.screen.width << " " << c.screen.height << " " << c.screen.twipsPerPixelX;
  }
}

TEST(LayoutFileNameTest, DriveRootGivesTwoBackslashesAndEachCallAsksAfresh) {
  MemoryFileSystem files;
  files.SetProgramFolder(FolderOfProgramFile(u"D:\\Icotrace.exe"));
  FixedScreen screen({15360, 11520, 15, 15});
  EXPECT_EQ(LayoutFileName(screen, files), u"D:\\\\1024x768.ICOLAY");

  screen.Set({19200, 16200, 15, 15});  // the resolution changes while the program runs
  files.SetProgramFolder(u"E:\\Outils");
  EXPECT_EQ(LayoutFileName(screen, files), u"E:\\Outils\\1280x1080.ICOLAY");
}

TEST(LayoutFileNameTest, ScreenValuesWithoutAnAnswerGiveAMessageNotACrash) {
  const float huge = 3e9f;
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const ScreenTwips cases[] = {
      {15360, 11520, 0.5f, 15},  // rounds to a zero divisor
      {15360, 11520, 15, 0.2f}, {huge, 11520, 15, 15},
      {15360, 11520, nan, 15},  {-2147483648.0f, 11520, -1, 15},  // the one quotient beyond 32 bits
  };
  MemoryFileSystem files;
  for (const ScreenTwips& c : cases) {
    FixedScreen screen(c);
    const std::u16string message = MessageOf([&] { LayoutFileName(screen, files); });
    EXPECT_MESSAGE_HAS(message, u"résolution de l'écran");
  }
}

TEST(ProgramFolderTest, KeepsTheSeparatorOnlyAtADriveRoot) {
  EXPECT_EQ(FolderOfProgramFile(u"C:\\Program Files\\Icotrace\\Icotrace.exe"),
            u"C:\\Program Files\\Icotrace");
  EXPECT_EQ(FolderOfProgramFile(u"C:\\Icotrace.exe"), u"C:\\");
  EXPECT_EQ(FolderOfProgramFile(u"\\\\serveur\\partage\\Icotrace.exe"), u"\\\\serveur\\partage");
}

class FileExistsTest : public ::testing::Test {
 protected:
  MemoryFileSystem m_files;
};

TEST_F(FileExistsTest, CountsOrdinaryFilesOnly) {
  m_files.Put(u"C:\\P\\1024x768.ICOLAY").readOnly = true;  // read-only is still ordinary
  m_files.Put(u"C:\\P\\cache.ICOLAY").hidden = true;
  m_files.Put(u"C:\\P\\systeme.ICOLAY").system = true;
  m_files.Put(u"C:\\P\\800x600.ICOLAY").folder = true;

  EXPECT_TRUE(FileExists(m_files, u"C:\\P\\1024x768.ICOLAY"));
  EXPECT_TRUE(FileExists(m_files, u"c:\\p\\1024X768.icolay"));
  EXPECT_FALSE(FileExists(m_files, u"C:\\P\\cache.ICOLAY"));
  EXPECT_FALSE(FileExists(m_files, u"C:\\P\\systeme.ICOLAY"));
  EXPECT_FALSE(FileExists(m_files, u"C:\\P\\800x600.ICOLAY"));
  EXPECT_FALSE(FileExists(m_files, u"C:\\P\\1280x1024.ICOLAY"));
}

TEST_F(FileExistsTest, PassesThePathUnchangedSoWildcardsActAsAPattern) {
  m_files.Put(u"C:\\P\\cache.ICOLAY").hidden = true;
  EXPECT_FALSE(FileExists(m_files, u"C:\\P\\*.ICOLAY"));
  m_files.Put(u"C:\\P\\1024x768.ICOLAY");
  EXPECT_TRUE(FileExists(m_files, u"C:\\P\\*.ICOLAY"));
  EXPECT_TRUE(FileExists(m_files, u"C:\\P\\1024x7??.ICOLAY"));
  EXPECT_FALSE(FileExists(m_files, u"C:\\\\1024x768.ICOLAY"));
  EXPECT_EQ(m_files.LastLookup(), u"C:\\\\1024x768.ICOLAY");
}

TEST_F(FileExistsTest, AFailingLookupIsAbsenceNotAnError) {
  m_files.Put(u"Z:\\1024x768.ICOLAY");
  m_files.Fail().findThrows = true;  // the drive is not ready
  EXPECT_FALSE(FileExists(m_files, u"Z:\\1024x768.ICOLAY"));
}

}  // namespace
}  // namespace icotrace
