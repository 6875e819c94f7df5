// An apply on a desktop that keeps its places as Windows 10 1809 and later
// do, when that desktop's folder view misbehaves: each fault of the demo
// desktop (--windows-shell --fault) gives the outcome promised, within the
// folder view's 5 s budget, with a window that keeps answering, and never
// two writers for one item. Under Wine only: a real desktop has no faults on
// request.
#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <string>

#include "demo_desktop_process.h"
#include "demo_protocol.h"
#include "e2e_environment.h"
#include "e2e_test.h"
#include "icotrace_session.h"
#include "live_windows.h"
#include "message_box.h"
#include "scratch_install.h"
#include "shell_desktop.h"
#include "shell_folder.h"

namespace icotrace::e2e {
namespace {

// What the apply says, and whether the list view moved the icons itself.
enum class Outcome {
  Silent,            // the folder view placed everything
  Pending,           // handed over, then no answer: named, nobody else moves them
  ForgettableMoves,  // the list view moved them, and the report says they may be forgotten
};

struct Fault {
  const wchar_t* Name;
  Outcome Result;
  const wchar_t* Said;  // part of the apply's message
  bool PlacedLater;     // the folder view still places them after the apply gave up
};

constexpr Fault kFaults[] = {
    {demo::kFaultPlaceHangs, Outcome::Pending, L"pourrait encore", false},
    {demo::kFaultPlaceLate, Outcome::Pending, L"pourrait encore", true},
    {demo::kFaultPlaceBusy, Outcome::ForgettableMoves, L"n'a pas répondu à temps", false},
    {demo::kFaultPlaceDenied, Outcome::ForgettableMoves, L"n'a pas accepté", false},
    {demo::kFaultNoDesktopAtFirst, Outcome::ForgettableMoves, L"n'a pas accepté", false},
    {demo::kFaultPlacesShowLate, Outcome::Silent, L"", false},
};

// The budget, what an apply of a few icons costs besides, and a margin.
constexpr ULONGLONG kReportWithinMs = 5000 + 2500;
constexpr DWORD kPlacedLaterMs = 15000;
constexpr std::size_t kFiles = 4;

std::wstring UserDesktopFolder() {
  PWSTR folder = nullptr;
  if (FAILED(SHGetKnownFolderPath(FOLDERID_Desktop, 0, nullptr, &folder))) return {};
  std::wstring path = folder;
  CoTaskMemFree(folder);
  return path;
}

class StandInFaults : public testing::TestWithParam<Fault> {
 protected:
  void SetUp() override {
    if (!RunningUnderWine()) GTEST_SKIP() << "a real desktop has no faults on request";
  }

  DWORD OutsideMoves() const {
    return static_cast<DWORD>(
        Ask(m_demo->Progman(), RegisterWindowMessageW(demo::kOutsideMovesMessage), 0, nullptr)
            .value_or(~0u));
  }
  // The list view's places once they are the ones wanted, or as they are.
  Places PlacesOnceThere(const Places& wanted, DWORD waitMs) const {
    Places now;
    WaitUntil([&] { return (now = ListViewPlaces(m_demo->ListView())) == wanted; }, waitMs);
    return now;
  }
  // Scrambles, applies and checks what the apply says and how soon.
  void ApplyAndExpect(IcotraceSession& icotrace, Outcome outcome, const wchar_t* said,
                      const std::string& when) {
    ASSERT_GT(m_demo->Scramble(), 0) << when;
    const ULONGLONG started = GetTickCount64();
    ASSERT_EQ(icotrace.Click(Command::Apply), ClickResult::Done) << when;
    const ShownMessage message = FindMessageBox(icotrace.Main(), 1000);
    const ULONGLONG took = GetTickCount64() - started;
    EXPECT_TRUE(icotrace.Responsive()) << when;
    EXPECT_LT(took, kReportWithinMs) << when << ": the apply's answer came late";
    if (outcome == Outcome::Silent) {
      EXPECT_EQ(message.Box, nullptr) << when << ": " << Utf8(message.Text);
      // The placing took neither the focus nor the foreground from the user.
      EXPECT_EQ(GetForegroundWindow(), icotrace.Main()) << when;
    } else {
      EXPECT_NE(message.Text.find(said), std::wstring::npos) << when << ": " << Utf8(message.Text);
    }
    CloseWithOk(message);
  }

  std::optional<DemoDesktopProcess> m_demo;
};

TEST_P(StandInFaults, GiveTheOutcomePromised) {
  const Fault& fault = GetParam();
  m_demo.emplace(PathArgument(1),
                 std::vector<std::wstring>{L"--windows-shell", L"--fault", fault.Name});
  const ShellFolder files(ShellFolder::Existing{}, UserDesktopFolder(), kFiles);
  // Through the list view: the window list's answers are the program's to have.
  Places original;
  ASSERT_TRUE(WaitUntil(
      [&] {
        original = ListViewPlaces(m_demo->ListView());
        return std::all_of(files.Names().begin(), files.Names().end(),
                           [&](const std::wstring& name) { return original.count(name) == 1; });
      },
      20000));
  ScratchInstall install(L"stand-in-fault", PathArgument(0));
  IcotraceSession icotrace(install.Program());
  for (const Command command : {Command::Read, Command::Save, Command::Load}) {
    ASSERT_EQ(icotrace.Click(command), ClickResult::Done);
    ASSERT_EQ(FindMessageBox(icotrace.Main(), 300).Box, nullptr);
  }
  const DWORD movesBefore = OutsideMoves();
  ApplyAndExpect(icotrace, fault.Result, fault.Said, "the apply");
  if (fault.Result == Outcome::Pending) {
    // The shell answers again once its call is over; nobody else moved them.
    ASSERT_TRUE(WaitUntil([&] { return OutsideMoves() != ~0u; }, 60000));
    EXPECT_EQ(OutsideMoves(), movesBefore) << "the list view moved icons handed to the shell";
    const Places now = PlacesOnceThere(original, fault.PlacedLater ? kPlacedLaterMs : 0);
    EXPECT_EQ(Moved(original, now) == "", fault.PlacedLater) << Moved(original, now);
    return;
  }
  EXPECT_EQ(Moved(original, PlacesOnceThere(original, 3000)), "");
  EXPECT_EQ(OutsideMoves() > movesBefore, fault.Result == Outcome::ForgettableMoves);
  if (fault.Name == std::wstring_view(demo::kFaultNoDesktopAtFirst)) {
    // The shell that was starting is asked again, and places them itself.
    const DWORD movesThen = OutsideMoves();
    ApplyAndExpect(icotrace, Outcome::Silent, L"", "the apply once the shell is up");
    EXPECT_EQ(Moved(original, PlacesOnceThere(original, 3000)), "");
    EXPECT_EQ(OutsideMoves(), movesThen);
  }
}

INSTANTIATE_TEST_SUITE_P(, StandInFaults, testing::ValuesIn(kFaults),
                         [](const testing::TestParamInfo<Fault>& info) {
                           std::string name;
                           for (const wchar_t* c = info.param.Name; *c != L'\0'; ++c)
                             name += *c == L'-' ? '_' : static_cast<char>(*c);
                           return name;
                         });

}  // namespace
}  // namespace icotrace::e2e
