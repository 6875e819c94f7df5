// The real file system: the seam's operations on the Windows file calls.
#pragma once

#include "platform/file_system.h"

namespace icotrace {

class Win32FileSystem final : public FileSystem {
 public:
  std::u16string ProgramFolder() override;
  std::u16string FindFirstOrdinaryFile(const std::u16string& path) override;
  FileResult ReadWholeFile(const std::u16string& path, std::size_t maxBytes,
                           std::string& bytes) override;
  FileHandle CreateNewFile(const std::u16string& path, FileResult& result) override;
  FileResult WriteFile(FileHandle file, std::string_view bytes) override;
  FileResult FlushFileBuffers(FileHandle file) override;
  FileResult CloseFile(FileHandle file) override;
  FileResult ReplaceWithFile(const std::u16string& source, const std::u16string& target) override;
  FileResult RemoveFile(const std::u16string& path) override;
};

}  // namespace icotrace
