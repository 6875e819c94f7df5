#include "desktop_places.h"

#include "e2e_test.h"
#include "live_windows.h"

namespace icotrace::e2e {
namespace {

constexpr DWORD kSettleMs = 5000;

bool SamePlaces(const std::vector<demo::DemoItem>& a, const std::vector<demo::DemoItem>& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (a[i].X != b[i].X || a[i].Y != b[i].Y) return false;
  return true;
}

}  // namespace

void CheckDesktopPlaces(const DemoDesktopProcess& demo, const std::vector<demo::DemoItem>& expected,
                        const std::string& when) {
  std::vector<demo::DemoItem> now;
  WaitUntil(
      [&] {
        now = demo.Truth();
        return SamePlaces(now, expected);
      },
      kSettleMs);
  ASSERT_EQ(now.size(), expected.size()) << when + ": number of desktop items";
  for (std::size_t i = 0; i < now.size(); ++i) {
    const std::string item =
        when + ": item " + std::to_string(i) + " \"" + Utf8(expected[i].Caption) + "\" stands at ";
    EXPECT_TRUE(now[i].X == expected[i].X && now[i].Y == expected[i].Y)
        << item + std::to_string(expected[i].X) + "," + std::to_string(expected[i].Y) << ": "
        << "it stands at " + std::to_string(now[i].X) + "," + std::to_string(now[i].Y);
  }
}

std::vector<demo::DemoItem> ScrambleDesktop(const DemoDesktopProcess& demo,
                                            const std::string& when) {
  const std::vector<demo::DemoItem> before = demo.Truth();
  EXPECT_EQ(demo.Scramble(), static_cast<std::int32_t>(before.size()))
      << when + ": the demo desktop moves every item";
  std::vector<demo::DemoItem> after = demo.Truth();
  std::size_t unmoved = 0;
  for (std::size_t i = 0; i < after.size() && i < before.size(); ++i)
    if (after[i].X == before[i].X && after[i].Y == before[i].Y) ++unmoved;
  EXPECT_EQ(unmoved, std::size_t{0}) << when + ": items left in place by the scramble";
  return after;
}

}  // namespace icotrace::e2e
