// The file operations the layout files need, as one small seam. The real one
// forwards to Windows; the host tests hold files in memory and can make any
// step fail. Paths are passed on exactly as given.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace icotrace {

// Why a file operation failed, in the terms the user is told.
enum class FileFault {
  None,
  NotFound,       // no such file
  FolderMissing,  // a folder of the path, or its drive, is not there
  AlreadyExists,  // a file that must be new is there already
  AccessDenied,
  ReadOnly,  // the file or its medium is read-only
  Locked,    // another program holds the file
  DiskFull,
  TooLarge,  // larger than the caller accepts
  Other,
};

struct FileResult {
  FileFault fault = FileFault::None;
  std::uint32_t systemCode = 0;  // the system's own error number, when there is one
  std::u16string systemText;     // the system's own words for an unforeseen fault

  bool Ok() const { return fault == FileFault::None; }
};

// An open output file of the seam; 0 is none.
using FileHandle = std::uint64_t;

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // The folder of the program file: no trailing separator, except at the
  // root of a drive.
  virtual std::u16string ProgramFolder() = 0;

  // The name of the first ordinary file (neither hidden, system, folder nor
  // volume label) that matches the path, wildcards included, or empty text.
  // May throw on a fault of the look-up.
  virtual std::u16string FindFirstOrdinaryFile(const std::u16string& path) = 0;

  // Reads the whole file into bytes; a file longer than maxBytes is refused
  // with TooLarge and nothing is read.
  virtual FileResult ReadWholeFile(const std::u16string& path, std::size_t maxBytes,
                                   std::string& bytes) = 0;

  // Creates a file that must not exist yet, for writing only.
  virtual FileHandle CreateNewFile(const std::u16string& path, FileResult& result) = 0;
  virtual FileResult WriteFile(FileHandle file, std::string_view bytes) = 0;
  virtual FileResult FlushFileBuffers(FileHandle file) = 0;
  virtual FileResult CloseFile(FileHandle file) = 0;

  // Puts source in target's place in one step, target replaced when it
  // exists, written through to the disk before it returns.
  virtual FileResult ReplaceWithFile(const std::u16string& source,
                                     const std::u16string& target) = 0;
  virtual FileResult RemoveFile(const std::u16string& path) = 0;
};

}  // namespace icotrace
