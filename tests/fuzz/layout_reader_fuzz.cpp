// Any bytes at all, read as a layout file. A load either fails with a French
// message and leaves the caller's layout alone, or every line it accepted
// writes back to the very same bytes (so no number beyond 32 bits, no leading
// zero, no stray sign got through) and the table has its extra empty entry.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "desktop/command_error.h"
#include "layoutfile/layout_file.h"
#include "layoutfile/layout_line.h"
#include "platform/windows_1252_codec.h"

namespace {

using namespace icotrace;

const std::u16string kPath = u"C:\\Icotrace\\1024x768.ICOLAY";

// One file, whose contents are the input.
class OneFile final : public FileSystem {
 public:
  explicit OneFile(std::string_view bytes) : m_bytes(bytes) {}

  std::u16string ProgramFolder() override { return u"C:\\Icotrace"; }
  std::u16string FindFirstOrdinaryFile(const std::u16string&) override { return u""; }
  FileResult ReadWholeFile(const std::u16string&, std::size_t maxBytes,
                           std::string& bytes) override {
    FileResult result;
    if (m_bytes.size() > maxBytes) {
      result.fault = FileFault::TooLarge;
      return result;
    }
    bytes.assign(m_bytes);
    return result;
  }
  FileHandle CreateNewFile(const std::u16string&, FileResult& result) override {
    result.fault = FileFault::AccessDenied;
    return 0;
  }
  FileResult WriteFile(FileHandle, std::string_view) override { return Refused(); }
  FileResult FlushFileBuffers(FileHandle) override { return Refused(); }
  FileResult CloseFile(FileHandle) override { return Refused(); }
  FileResult ReplaceWithFile(const std::u16string&, const std::u16string&) override {
    return Refused();
  }
  FileResult RemoveFile(const std::u16string&) override { return Refused(); }

 private:
  static FileResult Refused() {
    FileResult result;
    result.fault = FileFault::AccessDenied;
    return result;
  }
  std::string_view m_bytes;
};

[[noreturn]] void Finding(const char* what) {
  std::fprintf(stderr, "finding: %s\n", what);
  std::abort();
}

// The non-blank lines, split here independently of the reader.
std::vector<std::string_view> Lines(std::string_view bytes) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= bytes.size(); ++i) {
    if (i < bytes.size() && bytes[i] != '\r' && bytes[i] != '\n') continue;
    if (i > start) lines.push_back(bytes.substr(start, i - start));
    start = i + 1;
  }
  return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  OneFile files(bytes);
  const Windows1252Codec codec;
  const Layout before = {{u"Sentinelle", 1, 2, 3, 4}};
  Layout layout = before;
  try {
    LoadLayoutFile(files, codec, kPath, layout);
  } catch (const CommandError& error) {
    if (layout != before) Finding("a failed load changed the layout");
    if (error.Message().find(kPath) == std::u16string::npos) Finding("the message names no file");
    return 0;
  }
  const std::vector<std::string_view> lines = Lines(bytes);
  if (layout.size() != lines.size() + 1) Finding("not one entry per line plus one");
  if (!(layout.back() == DesktopIcon{})) Finding("the last entry is not empty");
  for (std::size_t i = 0; i < lines.size(); ++i) {
    std::string written;
    AppendLayoutLine(codec, layout[i], written);
    if (written != std::string(lines[i]) + "\r\n") Finding("an accepted line does not write back");
  }
  return 0;
}
