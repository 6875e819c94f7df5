// Checks the layout files through the real Windows file seam: presence with
// attributes, saving over a read-only or held file without losing it, and a
// load that fails changing nothing.
#include <windows.h>

#include <string>
#include <vector>

#include "e2e_test.h"
#include "file_holder.h"
#include "layoutfile/layout_file.h"
#include "layoutfile/layout_file_name.h"
#include "message_of.h"
#include "platform/win32_ansi_codec.h"
#include "platform/win32_file_system.h"
#include "platform/win32_screen_metrics.h"

namespace icotrace::e2e {
namespace {

std::string ReadBytes(const std::wstring& path) {
  std::string bytes;
  Win32FileSystem files;
  files.ReadWholeFile(U16(path), 1u << 20, bytes);
  return bytes;
}

void WriteBytes(const std::wstring& path, const std::string& bytes) {
  const HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  ::CloseHandle(file);
}

// The names in folder, to prove that no temporary file was left behind.
std::vector<std::wstring> Listing(const std::wstring& folder) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW entry{};
  const HANDLE find = ::FindFirstFileW((folder + L"\\*").c_str(), &entry);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    const std::wstring name = entry.cFileName;
    if (name != L"." && name != L"..") names.push_back(name);
  } while (::FindNextFileW(find, &entry));
  ::FindClose(find);
  return names;
}

bool Has(const std::u16string& text, const std::u16string& part) {
  return text.find(part) != std::u16string::npos;
}

std::wstring MakeFolder() {
  wchar_t temp[MAX_PATH] = {};
  ::GetTempPathW(MAX_PATH, temp);
  std::wstring folder =
      std::wstring(temp) + L"icotrace-layoutfile-" + std::to_wstring(::GetCurrentProcessId());
  ::CreateDirectoryW(folder.c_str(), nullptr);
  return folder;
}

// Each test in a folder of its own, removed afterwards with what it holds.
class LayoutFileOnDisk : public testing::Test {
 protected:
  void TearDown() override {
    for (const std::wstring& name : Listing(m_folder)) {
      const std::wstring path = m_folder + L"\\" + name;
      ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      ::DeleteFileW(path.c_str());
    }
    ::RemoveDirectoryW(m_folder.c_str());
  }

  // Saving over a file that cannot be replaced: the French reason, the old
  // bytes intact, nothing else left in the folder.
  void FailedSave(const std::wstring& file, const char* what, const std::u16string& reason) {
    const std::size_t entries = Listing(m_folder).size();
    const std::u16string message = MessageOf([&] {
      SaveLayoutFile(m_files, m_codec, U16(file), {{u"Nouvelle", 9, 9, 9, 9}});
    });
    EXPECT_TRUE(Has(message, u"« " + U16(file) + u" »") && Has(message, reason))
        << what << ": " << Utf8(message);
    EXPECT_TRUE(Listing(m_folder).size() == entries) << "no temporary file is left behind";
  }

  static constexpr char kOldBytes[] = "Ancienne;1;2;3;4\r\n";

  const std::wstring m_folder = MakeFolder();
  Win32FileSystem m_files;
  Win32AnsiCodec m_codec;
};

TEST_F(LayoutFileOnDisk, Presence) {
  const std::wstring file = m_folder + L"\\1024x768.ICOLAY";
  WriteBytes(file, "A;1;2;3;4\r\n");
  EXPECT_TRUE(FileExists(m_files, U16(file))) << "an ordinary file is present";
  EXPECT_TRUE(FileExists(m_files, U16(m_folder + L"\\*.ICOLAY"))) << "a wildcard matches it";
  ::SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_TRUE(FileExists(m_files, U16(file))) << "a read-only file is still ordinary";
  ::SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_HIDDEN);
  EXPECT_TRUE(!FileExists(m_files, U16(file))) << "a hidden file counts as absent";
  ::SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_SYSTEM);
  EXPECT_TRUE(!FileExists(m_files, U16(file))) << "a system file counts as absent";
  ::SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
  ::DeleteFileW(file.c_str());

  const std::wstring folder = m_folder + L"\\800x600.ICOLAY";
  ::CreateDirectoryW(folder.c_str(), nullptr);
  EXPECT_TRUE(!FileExists(m_files, U16(folder))) << "a folder counts as absent";
  ::RemoveDirectoryW(folder.c_str());
  EXPECT_TRUE(!FileExists(m_files, U16(m_folder + L"\\absent\\1x1.ICOLAY")))
      << "a missing folder is absence, not an error";
}

TEST_F(LayoutFileOnDisk, NameOfTheScreen) {
  Win32ScreenMetrics screen;
  const ScreenTwips twips = screen.PrimaryScreen();
  const std::u16string name = LayoutFileName(screen, m_files);
  wchar_t program[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, program, MAX_PATH);
  std::wstring folder = program;
  folder.resize(folder.rfind(L'\\'));
  EXPECT_TRUE(name.rfind(U16(folder) + u"\\", 0) == 0) << "the name lies in the program folder"
                                                       << ": " << Utf8(name);
  EXPECT_TRUE(twips.twipsPerPixelX > 0 && twips.width > 0) << "the screen has a size";
  // With a whole number of twips per pixel the name holds the pixel size.
  if (twips.twipsPerPixelX == 15.0f && twips.twipsPerPixelY == 15.0f) {
    const std::wstring expected = L"\\" + std::to_wstring(::GetSystemMetrics(SM_CXSCREEN)) + L"x" +
                                  std::to_wstring(::GetSystemMetrics(SM_CYSCREEN)) + L".ICOLAY";
    EXPECT_TRUE(name.size() > expected.size() &&
                name.compare(name.size() - expected.size(), expected.size(), U16(expected)) == 0)
        << "at 96 dpi the name is the screen's pixel size"
        << ": " << Utf8(name);
  }
}

TEST_F(LayoutFileOnDisk, RoundTrip) {
  const std::wstring file = m_folder + L"\\round.ICOLAY";
  Layout layout = {{u"Documents", 75, 10, 0, 3}, {u"A;1", -20, -30, 7, 1}};
  const bool westernCodePage = ::GetACP() == 1252;
  if (westernCodePage) layout.push_back({u"Éléments récents", 5, 6, 7, 8});
  const SaveReport report = SaveLayoutFile(m_files, m_codec, U16(file), layout);
  EXPECT_TRUE(report.unconvertedNames.empty()) << "every caption was written exactly";
  Layout loaded;
  LoadLayoutFile(m_files, m_codec, U16(file), loaded);
  layout.emplace_back();
  EXPECT_TRUE(loaded == layout) << "the layout reads back as it was saved";
  if (westernCodePage) {
    const SaveReport foreign =
        SaveLayoutFile(m_files, m_codec, U16(file), {{u"Photos \u65E5\u672C", 1, 2, 3, 4}});
    EXPECT_TRUE(foreign.unconvertedNames.empty()) << "a caption the code page cannot hold is kept";
    EXPECT_TRUE(ReadBytes(file) == "\xEF\xBB\xBFPhotos \xE6\x97\xA5\xE6\x9C\xAC;1;2;4;3\r\n")
        << "in UTF-8 after the mark, not with best-fit letters";
  }
  ::DeleteFileW(file.c_str());
}

// A program folder at a drive root gives a name with two separators in a
// row; the same path must serve for presence, writing and reading.
TEST_F(LayoutFileOnDisk, DoubledSeparator) {
  const std::u16string file = U16(m_folder) + u"\\\\double.ICOLAY";
  SaveLayoutFile(m_files, m_codec, file, {{u"Documents", 1, 2, 3, 4}});
  EXPECT_TRUE(FileExists(m_files, file)) << "a doubled separator finds the file"
                                         << ": " << Utf8(file);
  Layout loaded;
  LoadLayoutFile(m_files, m_codec, file, loaded);
  EXPECT_TRUE(loaded.size() == 2 && loaded[0].Name == u"Documents")
      << "a doubled separator reads the file back";
  ::DeleteFileW((m_folder + L"\\double.ICOLAY").c_str());
}

TEST_F(LayoutFileOnDisk, ReadOnlyFile) {
  const std::wstring file = m_folder + L"\\readonly.ICOLAY";
  WriteBytes(file, kOldBytes);
  ::SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY);
  FailedSave(file, "a read-only file gives the French error", u"lecture seule");
  EXPECT_TRUE(ReadBytes(file) == kOldBytes) << "the read-only file is intact";
  ::SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
  ::DeleteFileW(file.c_str());
}

TEST_F(LayoutFileOnDisk, HeldFile) {
  const std::wstring file = m_folder + L"\\held.ICOLAY";
  WriteBytes(file, kOldBytes);
  {
    const FileHolder holder(file);
    EXPECT_TRUE(holder.Holding()) << "another process holds the file";
    FailedSave(file, "a held file gives the French error on saving",
               u"utilisé par un autre programme");
    const Layout kept = {{u"Gardée", 1, 1, 1, 1}, {}};
    Layout layout = kept;
    const std::u16string message =
        MessageOf([&] { LoadLayoutFile(m_files, m_codec, U16(file), layout); });
    EXPECT_TRUE(Has(message, u"utilisé par un autre programme"))
        << "a held file gives the French error on loading"
        << ": " << Utf8(message);
    EXPECT_TRUE(layout == kept) << "the failed load changed nothing";
  }
  EXPECT_TRUE(ReadBytes(file) == kOldBytes) << "the held file is intact once let go";
  ::DeleteFileW(file.c_str());
}

TEST_F(LayoutFileOnDisk, MissingFolder) {
  const std::wstring file = m_folder + L"\\absent\\1024x768.ICOLAY";
  const std::u16string message =
      MessageOf([&] { SaveLayoutFile(m_files, m_codec, U16(file), {}); });
  EXPECT_TRUE(Has(message, u"dossier ou le lecteur est introuvable"))
      << "a missing folder gives the French error"
      << ": " << Utf8(message);
  Layout layout(3);
  const std::u16string missing =
      MessageOf([&] { LoadLayoutFile(m_files, m_codec, U16(file), layout); });
  EXPECT_TRUE(Has(missing, u"introuvable") && layout.size() == 3)
      << "a missing file is named and changes nothing"
      << ": " << Utf8(missing);
}

}  // namespace
}  // namespace icotrace::e2e
