// Files in memory behind the file-system seam, with attributes, locks and
// switches that make any step fail, so that the tests can prove what a
// failure leaves on "disk".
#pragma once

#include <cstddef>
#include <map>
#include <string>

#include "platform/file_system.h"
#include "platform/screen_metrics.h"

namespace icotrace::testing {

class MemoryFileSystem final : public FileSystem {
 public:
  struct Entry {
    std::string bytes;
    bool hidden = false;
    bool system = false;
    bool folder = false;
    bool readOnly = false;
    bool locked = false;  // held open without sharing by another program
  };

  // A fault switched on makes that operation fail, every time.
  struct Faults {
    FileFault create = FileFault::None;
    FileFault flush = FileFault::None;
    FileFault close = FileFault::None;
    FileFault replace = FileFault::None;
    bool findThrows = false;  // the look-up raises, as a drive that is not ready
    std::size_t diskSpace = static_cast<std::size_t>(-1);  // bytes that fit in written files
  };

  void SetProgramFolder(std::u16string folder) { m_programFolder = std::move(folder); }
  Faults& Fail() { return m_faults; }

  Entry& Put(const std::u16string& path, std::string bytes = std::string());
  bool Has(const std::u16string& path) const;
  const Entry& At(const std::u16string& path) const;
  // Every path held, as given when first written.
  std::map<std::u16string, Entry> Files() const;
  std::size_t OpenHandles() const { return m_open.size(); }
  // The last path the look-up was given.
  const std::u16string& LastLookup() const { return m_lastLookup; }

  std::u16string ProgramFolder() override { return m_programFolder; }
  std::u16string FindFirstOrdinaryFile(const std::u16string& path) override;
  FileResult ReadWholeFile(const std::u16string& path, std::size_t maxBytes,
                           std::string& bytes) override;
  FileHandle CreateNewFile(const std::u16string& path, FileResult& result) override;
  FileResult WriteFile(FileHandle file, std::string_view bytes) override;
  FileResult FlushFileBuffers(FileHandle file) override;
  FileResult CloseFile(FileHandle file) override;
  FileResult ReplaceWithFile(const std::u16string& source, const std::u16string& target) override;
  FileResult RemoveFile(const std::u16string& path) override;

 private:
  struct Stored {
    std::u16string path;
    Entry entry;
  };
  static std::u16string Key(const std::u16string& path);
  std::size_t BytesStored() const;

  std::u16string m_programFolder = u"C:\\Icotrace";
  Faults m_faults;
  std::map<std::u16string, Stored> m_files;     // by case-folded path
  std::map<FileHandle, std::u16string> m_open;  // handle to case-folded path
  FileHandle m_nextHandle = 1;
  std::u16string m_lastLookup;
};

// A screen whose four values the test sets.
class FixedScreen final : public ScreenMetrics {
 public:
  explicit FixedScreen(ScreenTwips twips = {}) : m_twips(twips) {}
  void Set(ScreenTwips twips) { m_twips = twips; }
  ScreenTwips PrimaryScreen() override { return m_twips; }

 private:
  ScreenTwips m_twips;
};

}  // namespace icotrace::testing
