// A program and a desktop of different bitness: a 64-bit program works with
// a 32-bit desktop; a 32-bit program refuses a 64-bit one and touches nothing.
#include "demo_desktop_process.h"
#include "desktop/desktop_messages.h"
#include "desktop_e2e.h"
#include "e2e_environment.h"
#include "e2e_test.h"

namespace icotrace::e2e {

namespace {

// The other bitness's demo desktop, or why the check cannot run.
std::string MissingOtherDemoDesktop() {
  const std::wstring& other = Demos().Other;
  if (other.empty())
    return sizeof(void*) == 8
               ? "no 32-bit demo desktop given (argument or ICOTRACE_DEMO_DESKTOP_32)"
               : "no 64-bit demo desktop given (argument or ICOTRACE_DEMO_DESKTOP_64)";
  return {};
}

}  // namespace

TEST(DesktopOtherBitness, ProgramAndDesktopOfDifferentBitness) {
  const std::string missing = MissingOtherDemoDesktop();
  if (!missing.empty()) GTEST_SKIP() << missing;
  const std::wstring& other = Demos().Other;
  ASSERT_NE(GetFileAttributesW(other.c_str()), INVALID_FILE_ATTRIBUTES)
      << "the other demo desktop is missing: " << Utf8(other);
  if (sizeof(void*) == 8) {
    // The 64-bit program reads and applies a 32-bit desktop.
    {
      DemoDesktopProcess demo(other, {});
      const std::vector<demo::DemoItem> truth = demo.Truth();
      EXPECT_TRUE(truth == DefaultItemsAsHeld(32));
      RealDesktop desktop;
      Layout layout;
      desktop.Common.ReadDesktopLayout(layout);
      CheckSameItems(layout, truth);
    }
    ScrambleAndRestore(other, {}, L"");
    return;
  }
  // The 32-bit program refuses a 64-bit desktop and changes nothing.
  DemoDesktopProcess demo(other, {});
  const std::vector<demo::DemoItem> before = demo.Truth();
  EXPECT_TRUE(before == DefaultItemsAsHeld(64));
  RealDesktop desktop;
  const Layout kept = {{u"Corbeille", 400, 400, 0, 0}, {u"Projet", 500, 500, 0, 0}};
  Layout layout = kept;
  EXPECT_EQ(MessageOf([&] { desktop.Common.ReadDesktopLayout(layout); }),
            std::u16string(messages::kRunThe64BitProgram));
  EXPECT_TRUE(layout == kept);
  EXPECT_EQ(MessageOf([&] { desktop.Common.ApplyDesktopLayout(layout); }),
            std::u16string(messages::kRunThe64BitProgram));
  EXPECT_TRUE(demo.Truth() == before);
}

}  // namespace icotrace::e2e
