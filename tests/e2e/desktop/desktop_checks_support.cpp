#include <string>

#include "desktop_e2e.h"
#include "e2e_check.h"

namespace icotrace::e2e {
namespace {

// Adds "field: got a, expected b" to differences when the two differ.
template <typename A, typename B>
void Compare(std::string& differences, const char* field, const A& actual, const B& expected) {
  if (actual == expected) return;
  differences += std::string(differences.empty() ? "" : "; ") + field + " " + Describe(actual) +
                 " instead of " + Describe(expected);
}

}  // namespace

std::u16string Text16(std::wstring_view text) {
  return std::u16string(text.begin(), text.end());
}

HWND CheckFoundListView(RealDesktop& desktop) {
  const auto list =
      reinterpret_cast<HWND>(static_cast<UINT_PTR>(desktop.Common.FindDesktopListView()));
  if (!E2E_CHECK(list != nullptr)) return nullptr;
  E2E_CHECK_EQ(ClassOf(list), std::wstring(L"SysListView32"));
  E2E_CHECK_EQ(ClassOf(GetParent(list)), std::wstring(L"SHELLDLL_DefView"));
  return list;
}

std::vector<demo::DemoItem> DefaultItemsAsHeld(unsigned demoPointerBits) {
  std::vector<demo::DemoItem> items = demo::DefaultItems();
  if (demoPointerBits == 32) {
    for (demo::DemoItem& item : items) item.LParam = static_cast<std::int32_t>(item.LParam);
  }
  return items;
}

void CheckSameItems(const Layout& read, const std::vector<demo::DemoItem>& truth) {
  if (!RecordEqual(read.size(), truth.size(), "number of items read", __FILE__, __LINE__)) return;
  for (std::size_t i = 0; i < read.size(); ++i) {
    std::string differences;
    Compare(differences, "caption", read[i].Name, Text16(truth[i].Caption));
    Compare(differences, "X", read[i].X, truth[i].X);
    Compare(differences, "Y", read[i].Y, truth[i].Y);
    Compare(differences, "image", read[i].Image, truth[i].Image);
    Compare(differences, "item data", read[i].lParam, static_cast<std::int32_t>(truth[i].LParam));
    Record(differences.empty(), "read item " + std::to_string(i), __FILE__, __LINE__, differences);
  }
}

void CheckPositions(const std::vector<demo::DemoItem>& actual,
                    const std::vector<demo::DemoItem>& expected) {
  if (!RecordEqual(actual.size(), expected.size(), "number of items", __FILE__, __LINE__)) return;
  for (std::size_t i = 0; i < actual.size(); ++i) {
    std::string differences;
    Compare(differences, "caption", actual[i].Caption, expected[i].Caption);
    Compare(differences, "X", actual[i].X, expected[i].X);
    Compare(differences, "Y", actual[i].Y, expected[i].Y);
    Record(differences.empty(), "place of item " + std::to_string(i), __FILE__, __LINE__,
           differences);
  }
}

}  // namespace icotrace::e2e
