// Any bytes at all, read as a layout file. A load either fails with a French
// message and leaves the caller's layout alone, or every line it accepted
// writes back to its own bytes with each number put plainly (so no number
// beyond 32 bits, no hexadecimal, no stray sign or character got through) and
// the table has its extra empty entry. After the UTF-8 mark, lines are UTF-8.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "core/command_error.h"
#include "layoutfile/layout_file.h"
#include "layoutfile/layout_line.h"
#include "layoutfile/utf8_codec.h"
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

constexpr std::string_view kBlanks = " \t";

// The lines that hold more than blanks, split here independently of the
// reader.
std::vector<std::string_view> Lines(std::string_view bytes) {
  std::vector<std::string_view> lines;
  if (bytes.starts_with(kUtf8Mark)) bytes.remove_prefix(kUtf8Mark.size());
  std::size_t start = 0;
  for (std::size_t i = 0; i <= bytes.size(); ++i) {
    if (i < bytes.size() && bytes[i] != '\r' && bytes[i] != '\n') continue;
    const std::string_view line = bytes.substr(start, i - start);
    if (line.find_first_not_of(kBlanks) != std::string_view::npos) lines.push_back(line);
    start = i + 1;
  }
  return lines;
}

// A number field of an accepted line as the writer puts it: no blanks, no
// "+", no leading zero, no "-0".
std::string PlainNumber(std::string_view field) {
  field.remove_prefix(field.find_first_not_of(kBlanks));
  field.remove_suffix(field.size() - 1 - field.find_last_not_of(kBlanks));
  const bool negative = field.front() == '-';
  if (negative || field.front() == '+') field.remove_prefix(1);
  while (field.size() > 1 && field.front() == '0') field.remove_prefix(1);
  return (negative && field != "0" ? "-" : "") + std::string(field);
}

// An accepted line as the writer puts it, with its CR LF.
std::string PlainLine(std::string_view line) {
  std::string numbers;
  for (int field = 0; field < 4; ++field) {
    const std::size_t separator = line.rfind(';');
    numbers.insert(0, ";" + PlainNumber(line.substr(separator + 1)));
    line = line.substr(0, separator);
  }
  return std::string(line) + numbers + "\r\n";
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
  const Utf8Codec utf8;
  const AnsiCodec& lineCodec =
      bytes.starts_with(kUtf8Mark) ? utf8 : static_cast<const AnsiCodec&>(codec);
  const std::vector<std::string_view> lines = Lines(bytes);
  if (layout.size() != lines.size() + 1) Finding("not one entry per line plus one");
  if (!(layout.back() == DesktopIcon{})) Finding("the last entry is not empty");
  for (std::size_t i = 0; i < lines.size(); ++i) {
    std::string written;
    AppendLayoutLine(lineCodec, layout[i], written);
    if (written != PlainLine(lines[i])) Finding("an accepted line does not write back");
  }
  return 0;
}
