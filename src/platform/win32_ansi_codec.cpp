#include "platform/win32_ansi_codec.h"

#include <windows.h>

#include <climits>
#include <stdexcept>

namespace icotrace {
namespace {

int Length(std::size_t size) {
  if (size > static_cast<std::size_t>(INT_MAX)) throw std::length_error("text too long");
  return static_cast<int>(size);
}

// Converts with the given flags; false when the call refuses the text.
bool Encode(std::u16string_view text, DWORD flags, BOOL* usedDefault, std::string& bytes) {
  const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
  const int length = Length(text.size());
  const int size =
      ::WideCharToMultiByte(CP_ACP, flags, wide, length, nullptr, 0, nullptr, usedDefault);
  if (size <= 0) return false;
  bytes.assign(static_cast<std::size_t>(size), '\0');
  return ::WideCharToMultiByte(CP_ACP, flags, wide, length, bytes.data(), size, nullptr,
                               usedDefault) == size;
}

}  // namespace

AnsiText Win32AnsiCodec::ToAnsi(std::u16string_view text) const {
  AnsiText result;
  if (text.empty()) return result;
  if (::GetACP() == CP_UTF8) {
    // UTF-8 holds every character; only broken surrogates are lost, and the
    // used-default flag is not allowed with this code page.
    if (!Encode(text, WC_ERR_INVALID_CHARS, nullptr, result.bytes)) {
      result.lossless = false;
      Encode(text, 0, nullptr, result.bytes);
    }
    return result;
  }
  BOOL usedDefault = FALSE;
  if (!Encode(text, WC_NO_BEST_FIT_CHARS, &usedDefault, result.bytes)) {
    result.bytes.clear();
    result.lossless = false;
    return result;
  }
  result.lossless = usedDefault == FALSE;
  return result;
}

std::u16string Win32AnsiCodec::FromAnsi(std::string_view bytes) const {
  if (bytes.empty()) return std::u16string();
  const int length = Length(bytes.size());
  const int size = ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, nullptr, 0);
  if (size <= 0) return std::u16string();
  std::u16string text(static_cast<std::size_t>(size), u'\0');
  ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, reinterpret_cast<wchar_t*>(text.data()),
                        size);
  return text;
}

}  // namespace icotrace
