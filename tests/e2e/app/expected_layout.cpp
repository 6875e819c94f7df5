#include "expected_layout.h"

#include <windows.h>

#include "demo_desktop_process.h"
#include "e2e_environment.h"
#include "e2e_test.h"

namespace icotrace::e2e {

std::vector<ExpectedRow> RowsOfDesktop(const std::vector<demo::DemoItem>& items) {
  std::vector<ExpectedRow> rows;
  for (const demo::DemoItem& item : items)
    rows.push_back({item.Caption, item.X, item.Y,
                    static_cast<std::int32_t>(static_cast<std::uint32_t>(item.LParam)),
                    item.Image});
  return rows;
}

std::vector<ExpectedRow> RowsOfLoad(std::vector<ExpectedRow> entries) {
  entries.push_back({});
  return entries;
}

std::string LayoutFileBytes(const std::vector<ExpectedRow>& rows) {
  std::string bytes;
  for (const ExpectedRow& row : rows) {
    if (!row.Caption.empty()) {
      BOOL lossy = FALSE;
      const int size =
          ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, row.Caption.data(),
                                static_cast<int>(row.Caption.size()), nullptr, 0, nullptr, &lossy);
      std::string name(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
      ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, row.Caption.data(),
                            static_cast<int>(row.Caption.size()), name.data(), size, nullptr,
                            &lossy);
      if (size <= 0 || lossy) throw E2eError("the ANSI code page cannot hold " + Utf8(row.Caption));
      bytes += name;
    }
    for (const std::int32_t number : {row.X, row.Y, row.Image, row.LParam})
      bytes += ";" + std::to_string(number);
    bytes += "\r\n";
  }
  return bytes;
}

std::vector<demo::DemoItem> ScenarioItems() {
  return {
      {L"Corbeille", 24, 16, 0, 1},
      {L"Ce PC", 24, 116, 1, 2},
      {L"Documents", 24, 216, 2, -3},
      {L"Reçus à vérifier", 134, 16, 2, 4},
      {L"Projet", 134, 116, 3, 5},
      {L"Projet", 134, 216, 3, 6},
      {L"Raccourci à moitié caché", -28, -12, 4, 0x80000007LL},
      {L"Lien cassé", 244, 16, kImageWithoutPicture, 8},
  };
}

std::wstring WriteItemFile(const std::wstring& name, const std::vector<demo::DemoItem>& items) {
  const std::wstring path = E2eDirectory() + L"\\" + name;
  WriteFileBytes(path, demo::FormatItemFile(items));
  return path;
}

}  // namespace icotrace::e2e
