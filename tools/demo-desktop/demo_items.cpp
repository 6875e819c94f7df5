#include "demo_items.h"

#include <windows.h>

#include <algorithm>
#include <charconv>
#include <limits>
#include <optional>

namespace icotrace::demo {
namespace {

constexpr std::int32_t kColumnStep = 110;
constexpr std::int32_t kRowStep = 100;
constexpr std::int32_t kLeft = 24;
constexpr std::int32_t kTop = 16;

std::wstring LongCaption() {
  std::wstring caption = L"Compte rendu très détaillé de l'assemblée générale";
  for (int part = 1; caption.size() < 200; ++part) {
    caption += L" — partie " + std::to_wstring(part);
  }
  caption.resize(197);
  return caption + L"fin";
}

std::wstring FromUtf8(std::string_view bytes) {
  if (bytes.empty()) return {};
  const int length = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data(),
                                         static_cast<int>(bytes.size()), nullptr, 0);
  if (length <= 0) throw ItemFileError(0, L"le fichier n'est ni en UTF-8 ni en UTF-16 avec BOM");
  std::wstring text(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data(), static_cast<int>(bytes.size()),
                      text.data(), length);
  return text;
}

std::wstring FromUtf16(std::string_view bytes, bool bigEndian) {
  if (bytes.size() % 2 != 0) throw ItemFileError(0, L"fichier UTF-16 de longueur impaire");
  std::wstring text(bytes.size() / 2, L'\0');
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto first = static_cast<unsigned char>(bytes[2 * i]);
    const auto second = static_cast<unsigned char>(bytes[2 * i + 1]);
    text[i] = static_cast<wchar_t>(bigEndian ? (first << 8 | second) : (second << 8 | first));
  }
  return text;
}

std::wstring DecodeItemFile(std::string_view bytes) {
  if (bytes.starts_with("\xEF\xBB\xBF")) return FromUtf8(bytes.substr(3));
  if (bytes.starts_with("\xFF\xFE")) return FromUtf16(bytes.substr(2), false);
  if (bytes.starts_with("\xFE\xFF")) return FromUtf16(bytes.substr(2), true);
  return FromUtf8(bytes);
}

// A whole field as a number of type T; hexadecimal ("0x...") gives the bit
// pattern, so that any 64-bit item data can be written.
template <typename T>
std::optional<T> ParseNumber(std::wstring_view field) {
  std::string ascii;
  for (const wchar_t c : field) {
    if (c > 0x7F) return std::nullopt;
    ascii += static_cast<char>(c);
  }
  if (ascii.starts_with("0x") || ascii.starts_with("0X")) {
    using Unsigned = std::make_unsigned_t<T>;
    Unsigned bits = 0;
    const auto [end, error] =
        std::from_chars(ascii.data() + 2, ascii.data() + ascii.size(), bits, 16);
    if (ascii.size() == 2 || error != std::errc() || end != ascii.data() + ascii.size()) {
      return std::nullopt;
    }
    return static_cast<T>(bits);
  }
  T value = 0;
  const auto [end, error] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
  if (ascii.empty() || error != std::errc() || end != ascii.data() + ascii.size()) {
    return std::nullopt;
  }
  return value;
}

DemoItem ParseItemLine(std::wstring_view line, std::size_t lineNumber) {
  std::wstring_view fields[4];
  for (std::wstring_view& field : fields) {
    const std::size_t tab = line.find(L'\t');
    if (tab == std::wstring_view::npos) {
      throw ItemFileError(lineNumber,
                          L"il faut X, Y, image, donnée et légende, séparés par des tabulations");
    }
    field = line.substr(0, tab);
    line.remove_prefix(tab + 1);
  }
  const auto x = ParseNumber<std::int32_t>(fields[0]);
  const auto y = ParseNumber<std::int32_t>(fields[1]);
  const auto image = ParseNumber<std::int32_t>(fields[2]);
  const auto lParam = ParseNumber<std::int64_t>(fields[3]);
  if (!x || !y || !image || !lParam) {
    throw ItemFileError(lineNumber, L"X, Y, image et donnée doivent être des nombres entiers");
  }
  return DemoItem{std::wstring(line), *x, *y, *image, *lParam};
}

}  // namespace

std::vector<DemoItem> DefaultItems() {
  const auto at = [](int column, int row) {
    return std::pair{kLeft + column * kColumnStep, kTop + row * kRowStep};
  };
  struct Entry {
    std::wstring caption;
    std::pair<std::int32_t, std::int32_t> position;
    std::int32_t image;
    std::int64_t lParam;
  };
  const Entry entries[] = {
      {L"Corbeille", at(0, 0), 0, 1},
      {L"Ce PC", at(0, 1), 1, 2},
      {L"Documents", at(0, 2), 2, 3},
      {L"Reçus et factures à vérifier", at(0, 3), 3, 4},
      {L"Notes; idées; brouillons", at(0, 4), 2, 5},
      {L"Projet", at(0, 5), 4, 6},
      {L"Projet", at(1, 0), 4, 7},
      {LongCaption(), at(1, 1), 5, 8},
      {L"Ελληνικά Фото", at(1, 3), 6, -5},
      {L"Raccourci à moitié caché", {-28, -12}, 7, 9},
      {L"Téléchargements", at(1, 4), 3, 0x123456789ABCDEF0},
      {L"Éditeur de texte", at(1, 5), 1, 11},
      {L"Musique & vidéos", at(2, 0), 6, 12},
  };
  std::vector<DemoItem> items;
  for (const Entry& entry : entries) {
    items.push_back(
        {entry.caption, entry.position.first, entry.position.second, entry.image, entry.lParam});
  }
  return items;
}

std::vector<DemoItem> GeneratedItems(std::int32_t count, std::int32_t screenWidth,
                                     std::int32_t screenHeight) {
  const std::int32_t rows = std::max(1, (screenHeight - kTop) / kRowStep);
  const std::int32_t columns = std::max(1, (screenWidth - kLeft) / kColumnStep);
  const std::int32_t perLap = rows * columns;
  std::vector<DemoItem> items;
  items.reserve(static_cast<std::size_t>(std::max(0, count)));
  for (std::int32_t i = 0; i < count; ++i) {
    const std::int32_t slot = i % perLap;
    const std::int32_t lap = i / perLap;  // later laps sit a little aside
    wchar_t caption[32];
    swprintf(caption, 32, L"Élément %04d", static_cast<int>(i + 1));
    items.push_back({caption, kLeft + (slot / rows) * kColumnStep + (lap % 10) * 7,
                     kTop + (slot % rows) * kRowStep + (lap % 10) * 5, i % kImageCount, i + 1});
  }
  return items;
}

std::string ToUtf8(std::wstring_view text) {
  if (text.empty()) return {};
  const int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<std::size_t>(std::max(length, 0)), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), length,
                      nullptr, nullptr);
  return bytes;
}

std::string FormatItemLine(const DemoItem& item) {
  return std::to_string(item.X) + '\t' + std::to_string(item.Y) + '\t' +
         std::to_string(item.Image) + '\t' + std::to_string(item.LParam) + '\t' +
         ToUtf8(item.Caption);
}

std::string FormatItemFile(const std::vector<DemoItem>& items) {
  std::string text = "# X\tY\tImage\tLParam\tCaption\n";
  for (const DemoItem& item : items) text += FormatItemLine(item) + '\n';
  return text;
}

std::vector<DemoItem> ParseItemFile(std::string_view bytes) {
  const std::wstring text = DecodeItemFile(bytes);
  std::vector<DemoItem> items;
  std::size_t lineNumber = 0;
  for (std::size_t start = 0; start <= text.size();) {
    std::size_t end = text.find(L'\n', start);
    if (end == std::wstring::npos) end = text.size();
    std::wstring_view line(text.data() + start, end - start);
    if (line.ends_with(L'\r')) line.remove_suffix(1);
    ++lineNumber;
    if (!line.empty() && line.front() != L'#') items.push_back(ParseItemLine(line, lineNumber));
    start = end + 1;
  }
  return items;
}

}  // namespace icotrace::demo
