#include "layoutfile/safe_file_write.h"

#include "core/command_error.h"
#include "core/decimal_text.h"
#include "layoutfile/layout_file_errors.h"

namespace icotrace {
namespace {

// Another save may be under way, or an earlier one may have died: the next
// free name is taken, never someone else's file.
constexpr int kTemporaryNames = 50;

std::u16string TemporaryName(const std::u16string& path, int attempt) {
  return path + u".~tmp" + (attempt == 0 ? std::u16string() : DecimalText(attempt));
}

}  // namespace

void WriteFileSafely(FileSystem& files, const std::u16string& path, std::string_view bytes) {
  FileResult result;
  std::u16string temporary;
  FileHandle file = 0;
  for (int attempt = 0; attempt < kTemporaryNames && file == 0; ++attempt) {
    temporary = TemporaryName(path, attempt);
    file = files.CreateNewFile(temporary, result);
    if (file == 0 && result.fault != FileFault::AlreadyExists) break;
  }
  if (file == 0) throw CommandError(SaveFailedMessage(path, result));

  result = files.WriteFile(file, bytes);
  if (result.Ok()) result = files.FlushFileBuffers(file);
  const FileResult closed = files.CloseFile(file);
  if (result.Ok()) result = closed;
  if (result.Ok()) result = files.ReplaceWithFile(temporary, path);
  if (!result.Ok()) {
    files.RemoveFile(temporary);
    throw CommandError(SaveFailedMessage(path, result));
  }
}

}  // namespace icotrace
