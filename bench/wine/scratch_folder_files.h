// The real file system with the program folder moved to a scratch folder, so
// that a benchmark's layout file lands beside nothing of the program's.
#pragma once

#include <string>
#include <utility>

#include "platform/win32_file_system.h"

namespace icotrace::e2e {

class ScratchFolderFiles final : public FileSystem {
 public:
  explicit ScratchFolderFiles(std::u16string folder) : m_folder(std::move(folder)) {}

  std::u16string ProgramFolder() override { return m_folder; }
  std::u16string FindFirstOrdinaryFile(const std::u16string& path) override {
    return m_real.FindFirstOrdinaryFile(path);
  }
  FileResult ReadWholeFile(const std::u16string& path, std::size_t maxBytes,
                           std::string& bytes) override {
    return m_real.ReadWholeFile(path, maxBytes, bytes);
  }
  FileHandle CreateNewFile(const std::u16string& path, FileResult& result) override {
    return m_real.CreateNewFile(path, result);
  }
  FileResult WriteFile(FileHandle file, std::string_view bytes) override {
    return m_real.WriteFile(file, bytes);
  }
  FileResult FlushFileBuffers(FileHandle file) override { return m_real.FlushFileBuffers(file); }
  FileResult CloseFile(FileHandle file) override { return m_real.CloseFile(file); }
  FileResult ReplaceWithFile(const std::u16string& source, const std::u16string& target) override {
    return m_real.ReplaceWithFile(source, target);
  }
  FileResult RemoveFile(const std::u16string& path) override { return m_real.RemoveFile(path); }

 private:
  std::u16string m_folder;
  Win32FileSystem m_real;
};

}  // namespace icotrace::e2e
