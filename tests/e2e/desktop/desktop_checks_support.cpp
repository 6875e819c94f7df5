#include <string>

#include "desktop_e2e.h"
#include "e2e_environment.h"
#include "e2e_test.h"

namespace icotrace::e2e {
namespace {

// Adds "field: got a, expected b" to differences when the two differ.
template <typename A, typename B>
void Compare(std::string& differences, const char* field, const A& actual, const B& expected) {
  if (actual == expected) return;
  differences += std::string(differences.empty() ? "" : "; ") + field + " " +
                 testing::PrintToString(actual) + " instead of " + testing::PrintToString(expected);
}

}  // namespace

const DemoPaths& Demos() {
  static const DemoPaths demos = {
      PathArgument(0), OtherBitnessDemoDesktop(ProgramArguments().size() > 1 ? ProgramArguments()[1]
                                                                             : std::wstring())};
  return demos;
}

std::u16string Text16(std::wstring_view text) {
  return std::u16string(text.begin(), text.end());
}

HWND CheckFoundListView(RealDesktop& desktop) {
  const auto list =
      reinterpret_cast<HWND>(static_cast<UINT_PTR>(desktop.Common.FindDesktopListView()));
  EXPECT_NE(list, nullptr) << "no desktop list view found";
  if (list == nullptr) return nullptr;
  EXPECT_EQ(ClassOf(list), std::wstring(L"SysListView32"));
  EXPECT_EQ(ClassOf(GetParent(list)), std::wstring(L"SHELLDLL_DefView"));
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
  ASSERT_EQ(read.size(), truth.size()) << "number of items read";
  for (std::size_t i = 0; i < read.size(); ++i) {
    std::string differences;
    Compare(differences, "caption", read[i].Name, Text16(truth[i].Caption));
    Compare(differences, "X", read[i].X, truth[i].X);
    Compare(differences, "Y", read[i].Y, truth[i].Y);
    Compare(differences, "image", read[i].Image, truth[i].Image);
    Compare(differences, "item data", read[i].lParam, static_cast<std::int32_t>(truth[i].LParam));
    EXPECT_TRUE(differences.empty()) << "read item " << i << ": " << differences;
  }
}

void CheckPositions(const std::vector<demo::DemoItem>& actual,
                    const std::vector<demo::DemoItem>& expected) {
  ASSERT_EQ(actual.size(), expected.size()) << "number of items";
  for (std::size_t i = 0; i < actual.size(); ++i) {
    std::string differences;
    Compare(differences, "caption", actual[i].Caption, expected[i].Caption);
    Compare(differences, "X", actual[i].X, expected[i].X);
    Compare(differences, "Y", actual[i].Y, expected[i].Y);
    EXPECT_TRUE(differences.empty()) << "place of item " << i << ": " << differences;
  }
}

}  // namespace icotrace::e2e
