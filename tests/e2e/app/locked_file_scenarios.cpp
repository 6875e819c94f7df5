// A layout file that another program holds open without sharing, as an
// editor or a backup program may: save and load say so in French, naming
// the file, and the file is the same, byte for byte, once it is let go.
#include "app_checks.h"
#include "app_scenarios.h"
#include "demo_desktop_process.h"
#include "e2e_test.h"
#include "expected_layout.h"
#include "failed_command.h"
#include "platform/win/handles.h"
#include "scratch_install.h"

namespace icotrace::e2e {
namespace {

constexpr wchar_t kHeld[] = L"le fichier est utilisé par un autre programme";
constexpr DWORD kCommandLimitMs = 30000;

// This check program is the other program: the handle shares nothing.
class HeldFile {
 public:
  explicit HeldFile(const std::wstring& path)
      : m_file(::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr)) {}
  bool Holding() const { return static_cast<bool>(m_file); }

 private:
  UniqueKernelHandle m_file;
};

void LockedFile(const AppPaths& paths) {
  const ScratchInstall install(L"locked", paths.Icotrace);
  std::vector<demo::DemoItem> older = ScenarioItems();
  older.resize(3);
  DemoDesktopProcess demo(paths.DemoDesktop, ScenarioDesktopArguments());
  const std::vector<ExpectedRow> readRows = RowsOfDesktop(demo.Truth());
  const auto started = StartWithLayoutFile(install, LayoutFileBytes(RowsOfDesktop(older)));
  IcotraceSession& icotrace = *started;

  CheckClick(icotrace, Command::Read, "read before the file is held");
  CheckNoMessage(icotrace, "read before the file is held");
  const UntouchedState before(icotrace, install);
  {
    const HeldFile held(install.LayoutFile());
    ASSERT_TRUE(held.Holding()) << "another program holds the layout file";
    CheckFailingClick(icotrace, Command::Save, {install.LayoutFile(), kHeld},
                      "save over a held file", kCommandLimitMs);
    CheckFailingClick(icotrace, Command::Load, {install.LayoutFile(), kHeld}, "load of a held file",
                      kCommandLimitMs);
    // Compared once the file is let go: nobody may read it before.
    EXPECT_TRUE(!install.LayoutBytes().has_value()) << "the held file cannot be read meanwhile";
  }
  before.Check("once the held file is let go");
  EXPECT_EQ(install.OtherFileCount(), 1) << "nothing left beside the held file";

  CheckClick(icotrace, Command::Save, "save once the file is let go");
  CheckNoMessage(icotrace, "save once the file is let go");
  EXPECT_EQ(install.LayoutBytes().value_or("<no file>"), LayoutFileBytes(readRows))
      << "save once the file is let go: the layout file holds the read";
}

}  // namespace

// layout file held by another program
TEST(AppLockedFile, LockedFile) {
  LockedFile(Paths());
}

}  // namespace icotrace::e2e
