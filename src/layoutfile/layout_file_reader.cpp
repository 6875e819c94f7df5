#include <string>
#include <string_view>
#include <utility>

#include "core/command_error.h"
#include "layoutfile/layout_file.h"
#include "layoutfile/layout_file_errors.h"
#include "layoutfile/layout_file_messages.h"
#include "layoutfile/layout_line.h"
#include "layoutfile/utf8_codec.h"

namespace icotrace {
namespace {

// Splits text at CR LF, LF or CR; the line ends are not part of the lines.
class LineReader {
 public:
  explicit LineReader(std::u16string_view text) : m_text(text) {}

  bool Next(std::u16string_view& line) {
    if (m_position >= m_text.size()) return false;
    std::size_t end = m_text.find_first_of(u"\r\n", m_position);
    if (end == std::u16string_view::npos) end = m_text.size();
    line = m_text.substr(m_position, end - m_position);
    m_position = end + 1;
    if (end + 1 < m_text.size() && m_text[end] == u'\r' && m_text[end + 1] == u'\n') {
      ++m_position;
    }
    ++m_number;
    return true;
  }

  std::size_t Number() const { return m_number; }

 private:
  std::u16string_view m_text;
  std::size_t m_position = 0;
  std::size_t m_number = 0;
};

// The number LineReader gives the line holding the byte at offset.
std::size_t LineNumberAt(std::string_view bytes, std::size_t offset) {
  std::size_t number = 1;
  for (std::size_t i = 0; i < offset; ++i) {
    if (bytes[i] == '\n' || (bytes[i] == '\r' && (i + 1 >= bytes.size() || bytes[i + 1] != '\n'))) {
      ++number;
    }
  }
  return number;
}

std::u16string TextOf(const AnsiCodec& codec, const std::u16string& path, std::string_view bytes) {
  if (!bytes.starts_with(kUtf8Mark)) return codec.FromAnsi(bytes);
  bytes.remove_prefix(kUtf8Mark.size());
  Utf8Decoded decoded = DecodeUtf8(bytes);
  if (decoded.firstInvalid != std::string_view::npos) {
    throw CommandError(LineFailedMessage(path, LineNumberAt(bytes, decoded.firstInvalid),
                                         messages::kFaultInvalidUtf8));
  }
  return std::move(decoded.text);
}

}  // namespace

void LoadLayoutFile(FileSystem& files, const AnsiCodec& codec, const std::u16string& path,
                    Layout& layout) {
  std::string bytes;
  const FileResult read = files.ReadWholeFile(path, kMaxLayoutFileBytes, bytes);
  if (!read.Ok()) throw CommandError(ReadFailedMessage(path, read));
  const std::u16string text = TextOf(codec, path, bytes);
  bytes = std::string();

  Layout loaded;
  LineReader lines(text);
  std::u16string_view line;
  while (lines.Next(line)) {
    if (IsBlankLine(line)) continue;
    if (loaded.size() == kMaxLayoutEntries) {
      throw CommandError(LineFailedMessage(path, lines.Number(), messages::kFaultTooManyLines));
    }
    DesktopIcon& icon = loaded.emplace_back();
    const LineFault fault = TryParseLayoutLine(line, icon);
    if (!fault.Ok()) {
      throw CommandError(LineFailedMessage(path, lines.Number(), LineFaultText(fault)));
    }
  }
  loaded.emplace_back();
  layout.swap(loaded);
}

}  // namespace icotrace
