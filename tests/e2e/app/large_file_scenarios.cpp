// Layout files no save writes: 100,000 lines, lines of 100 KB, binary
// garbage. Each load ends in rows or in a French message naming the file,
// Icotrace goes on running, and its memory stays bounded, measured from
// outside.
#include <windows.h>
#include <commctrl.h>

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <thread>

#include "app_checks.h"
#include "app_scenarios.h"
#include "demo_desktop_process.h"
#include "e2e_environment.h"
#include "e2e_test.h"
#include "expected_layout.h"
#include "failed_command.h"
#include "process_memory.h"
#include "scratch_install.h"

namespace icotrace::e2e {
namespace {

constexpr std::size_t kManyLines = 100'000;
constexpr std::size_t kLongLineChars = 100 * 1024;
constexpr std::size_t kLongLines = 20;
constexpr std::size_t kGarbageBytes = 1 << 20;
// Icotrace with 100,000 rows listed; a desktop has far fewer icons. Wine's
// list view of common controls 6 alone keeps about 4.4 KB a row of four
// columns (a bare one with these rows: 442 MB), so Wine gets more room.
constexpr std::size_t kMemoryBound = 300u << 20;
constexpr std::size_t kMemoryBoundUnderWine = 600u << 20;
constexpr DWORD kMessageLimitMs = 30000;

std::vector<ExpectedRow> ManyRows() {
  std::vector<ExpectedRow> rows;
  rows.reserve(kManyLines);
  for (std::size_t i = 0; i < kManyLines; ++i) {
    const auto n = static_cast<std::int32_t>(i);
    rows.push_back({L"Icône n° " + std::to_wstring(n), n % 1600, n / 1600 * 12 - 400, n,
                    n % demo::kImageCount});
  }
  return rows;
}

// Captions of 100 KB in the code page (one byte a letter), each its own.
std::vector<ExpectedRow> LongRows() {
  std::vector<ExpectedRow> rows;
  for (std::size_t i = 0; i < kLongLines; ++i) {
    std::wstring caption = L"Très long nom " + std::to_wstring(i) + L" ";
    while (caption.size() < kLongLineChars) caption += L"é-ça-";
    caption.resize(kLongLineChars);
    const auto n = static_cast<std::int32_t>(i);
    rows.push_back({caption, 40 * n, -30 * n, n, n % demo::kImageCount});
  }
  return rows;
}

// Always the same bytes: every value, NUL and line ends included.
std::string Garbage() {
  std::string bytes(kGarbageBytes, '\0');
  std::uint32_t state = 0x1C07ACE5;
  for (char& byte : bytes) {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    byte = static_cast<char>(state >> 24);
  }
  return bytes;
}

std::size_t MemoryBound() {
  return RunningUnderWine() ? kMemoryBoundUnderWine : kMemoryBound;
}

std::size_t RowCount(const IcotraceSession& icotrace) {
  DWORD_PTR count = 0;
  ::SendMessageTimeoutW(icotrace.ListView(), LVM_GETITEMCOUNT, 0, 0, SMTO_ABORTIFHUNG, 10000,
                        &count);
  return count;
}

// What another program sees while a long command runs: the window answers
// it (Windows takes it for hung otherwise) and the command's button shows the
// command under way until it returns.
class CommandWatch {
  // More rows than any list before the load holds: the load is under way.
  static constexpr std::size_t kRowsBefore = 1000;

 public:
  // Given a button, clicks it and closes the window once the load lists rows.
  CommandWatch(const IcotraceSession& icotrace, Command command, HWND clickMidway = nullptr)
      : m_list(icotrace.ListView()),
        m_button(icotrace.Button(command)),
        m_clickMidway(clickMidway),
        m_rowsAtStart(RowCount(icotrace)),
        m_thread([this] { Run(); }) {}
  ~CommandWatch() { Stop(); }
  CommandWatch(const CommandWatch&) = delete;
  CommandWatch& operator=(const CommandWatch&) = delete;

  void Stop() {
    m_stop = true;
    if (m_thread.joinable()) m_thread.join();
  }
  // Answered in the middle of the command, and the button's state then.
  bool AnsweredMidway() const { return m_answered; }
  bool PushedMidway() const { return m_pushedMidway; }

 private:
  void Run() {
    while (!m_stop && !m_answered) {
      DWORD_PTR count = 0;
      DWORD_PTR state = 0;
      if (::SendMessageTimeoutW(m_list, LVM_GETITEMCOUNT, 0, 0, SMTO_ABORTIFHUNG, 2000, &count) &&
          count < kManyLines + 1 &&
          (m_clickMidway != nullptr ? count != m_rowsAtStart : count > kRowsBefore)) {
        // Seen to in the same look at the queue as the question that follows.
        if (m_clickMidway != nullptr && ::SendNotifyMessageW(m_clickMidway, BM_CLICK, 0, 0))
          ::SendNotifyMessageW(::GetParent(m_list), WM_CLOSE, 0, 0);
        m_pushedMidway =
            ::SendMessageTimeoutW(m_button, BM_GETSTATE, 0, 0, SMTO_ABORTIFHUNG, 2000, &state) &&
            (state & BST_PUSHED) != 0;
        m_answered = true;
      }
      ::Sleep(20);
    }
  }

  HWND m_list;
  HWND m_button;
  HWND m_clickMidway;
  std::size_t m_rowsAtStart;
  std::atomic<bool> m_stop{false};
  std::atomic<bool> m_answered{false};
  std::atomic<bool> m_pushedMidway{false};
  std::thread m_thread;
};

class MemoryWatch {
 public:
  explicit MemoryWatch(const IcotraceSession& icotrace) : m_icotrace(icotrace) {}

  // Prints the figures; checks the peak when a bound is given.
  void Report(const std::string& when, std::size_t bound = 0) {
    const std::optional<MemoryUse> use = MemoryOf(m_icotrace.ProcessId());
    if (!use) {
      if (!m_skipNoted) std::printf("note: not checked: another process's memory use\n");
      m_skipNoted = true;
      return;
    }
    std::printf("   %s: working set %s, peak %s, peak private %s\n", when.c_str(),
                Megabytes(use->WorkingSet).c_str(), Megabytes(use->PeakWorkingSet).c_str(),
                Megabytes(use->PeakPrivate).c_str());
    if (bound != 0) {
      EXPECT_TRUE(use->PeakWorkingSet < bound)
          << when + ": peak working set under " + Megabytes(bound) << ": "
          << Megabytes(use->PeakWorkingSet);
    }
  }

 private:
  const IcotraceSession& m_icotrace;
  bool m_skipNoted = false;
};

void RefusedFile(IcotraceSession& icotrace, const ScratchInstall& install,
                 const std::vector<std::wstring>& says, const std::string& when) {
  const UntouchedState before(icotrace, install);
  CheckFailingClick(icotrace, Command::Load, says, when, kMessageLimitMs);
  before.Check(when);
}

void LongLines(IcotraceSession& icotrace, const ScratchInstall& install) {
  const std::vector<ExpectedRow> rows = LongRows();
  install.WriteLayout(LayoutFileBytes(rows));
  TimedClick(icotrace, Command::Load, "load of 100 KB lines");
  CheckNoMessage(icotrace, "load of 100 KB lines");
  const std::vector<SeenRow> seen = ReadRows(icotrace.ListView());
  EXPECT_EQ(seen.size(), rows.size() + 1) << "load of 100 KB lines: number of rows";
  for (std::size_t i = 0; i < seen.size() && i < rows.size(); ++i) {
    // The list is read back through a buffer shorter than the caption.
    const std::string row = "load of 100 KB lines: row " + std::to_string(i);
    EXPECT_TRUE(!seen[i].Caption.empty() && rows[i].Caption.starts_with(seen[i].Caption))
        << row + " shows the start of its caption";
    EXPECT_EQ(seen[i].Y, std::to_wstring(rows[i].Y)) << row + " Y";
  }
}

void ManyLines(IcotraceSession& icotrace, const ScratchInstall& install, MemoryWatch& memory) {
  install.WriteLayout(LayoutFileBytes(ManyRows()));
  CommandWatch watch(icotrace, Command::Load);
  const ULONGLONG took = TimedClick(icotrace, Command::Load, "load of 100,000 lines");
  watch.Stop();
  CheckNoMessage(icotrace, "load of 100,000 lines");
  EXPECT_TRUE(watch.AnsweredMidway()) << "load of 100,000 lines: the window answers while it runs";
  EXPECT_TRUE(watch.PushedMidway()) << "load of 100,000 lines: its button shows it under way";
  EXPECT_EQ(RowCount(icotrace), kManyLines + 1) << "load of 100,000 lines: number of rows";
  std::printf("   100,000 rows loaded and listed in %llu ms\n", took);
  memory.Report("after 100,000 lines", MemoryBound());
  EXPECT_TRUE(icotrace.Responsive()) << "Icotrace goes on running with 100,000 rows";
  TimedClick(icotrace, Command::Read, "read after 100,000 rows");
  CheckNoMessage(icotrace, "read after 100,000 rows");
  EXPECT_EQ(RowCount(icotrace), ScenarioItems().size())
      << "read after 100,000 rows: the desktop's rows alone";
}

void LargeFiles(const AppPaths& paths) {
  const ScratchInstall install(L"large-files", paths.Icotrace);
  DemoDesktopProcess demo(paths.DemoDesktop, ScenarioDesktopArguments());
  const auto started = StartWithLayoutFile(install, Garbage());
  IcotraceSession& icotrace = *started;
  MemoryWatch memory(icotrace);
  memory.Report("at start");

  CheckClick(icotrace, Command::Read, "read before the large files");
  CheckNoMessage(icotrace, "read before the large files");
  RefusedFile(icotrace, install, {install.LayoutFile(), L"ligne"}, "load of binary garbage");
  memory.Report("after binary garbage", kMemoryBound);

  install.WriteLayout("Sans separateur " + std::string(kLongLineChars, 'x') + "\r\n");
  RefusedFile(icotrace, install, {install.LayoutFile(), L"ligne 1", L"il manque des champs"},
              "load of one 100 KB line without fields");
  LongLines(icotrace, install);
  memory.Report("after 100 KB lines", kMemoryBound);

  ManyLines(icotrace, install, memory);
  // A click and a close sent during a load of 100,000 lines wait for its end:
  // the save then writes the desktop's read, and the window closes.
  CommandWatch watch(icotrace, Command::Load, icotrace.Button(Command::Save));
  icotrace.Click(Command::Load);
  watch.Stop();
  DWORD exitCode = 1;
  EXPECT_TRUE(watch.AnsweredMidway() && watch.PushedMidway()) << "second load under way";
  EXPECT_TRUE(icotrace.WaitForExit(60000, exitCode) && exitCode == 0) << "the close sent meanwhile";
  EXPECT_TRUE(install.LayoutBytes() == LayoutFileBytes(RowsOfDesktop(ScenarioItems())))
      << "the save sent meanwhile writes the desktop's read";
}

}  // namespace

// layout files of 100,000 lines, of 100 KB lines, of binary garbage
TEST(AppLargeFiles, LargeFiles) {
  LargeFiles(Paths());
}

}  // namespace icotrace::e2e
