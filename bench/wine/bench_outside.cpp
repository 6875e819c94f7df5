// What a read and an apply of Icotrace.exe cost seen from outside, against
// the platform's own view of a folder (captions asked of the shell), on a
// screen that shows every icon: each command started by a click sent to its
// button (BM_CLICK, answered once the command has returned), and timed until
// the desktop has also painted what the command changed. A floor is measured
// in the same run: as many bare LVM_GETITEMPOSITION round trips.
//
// icotrace_bench_outside <Icotrace.exe> <demo-desktop.exe> [files] [runs]
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "bench_clock.h"
#include "bench_goals.h"
#include "demo_desktop_process.h"
#include "e2e_environment.h"
#include "icotrace_session.h"
#include "remote_memory.h"
#include "scratch_install.h"
#include "shell_folder.h"

namespace icotrace::e2e {
namespace {

constexpr DWORD kCommandMs = 120000;

// The time until the button's command has returned and the desktop has no
// part left to paint: what a person waits for.
double CommandMilliseconds(const IcotraceSession& icotrace, Command command, HWND list) {
  return Milliseconds([&] {
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(icotrace.Button(command), BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, kCommandMs,
                        &ignored);
    // A sent message is answered before any paint: ask until none is due.
    while (GetUpdateRect(list, nullptr, FALSE)) Sleep(1);
    SendMessageTimeoutW(list, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kCommandMs, &ignored);
  });
}

double FloorMilliseconds(HWND list, int count) {
  RemoteMemory memory(list);
  BYTE* area = memory.Lend(sizeof(POINT));
  return Milliseconds([&] {
    for (int i = 0; i < count; ++i) {
      DWORD_PTR ignored = 0;
      SendMessageTimeoutW(list, LVM_GETITEMPOSITION, static_cast<WPARAM>(i),
                          reinterpret_cast<LPARAM>(area), SMTO_ABORTIFHUNG, 5000, &ignored);
    }
  });
}

int Run(const std::wstring& program, const std::wstring& demoPath, std::size_t files, int runs) {
  const std::size_t awkward = ShellFolder::AwkwardItems();
  const ShellFolder folder(L"icotrace-bench-outside", files > awkward ? files - awkward : 0);
  DemoDesktopProcess demo(demoPath, folder.DemoArguments(), 60000);
  const std::vector<demo::DemoItem> original = demo.Truth();
  const int count = static_cast<int>(original.size());
  const HWND list = demo.ListView();
  ScratchInstall install(L"bench-outside", program);
  IcotraceSession icotrace(install.Program());
  // The layout to apply: read, saved.
  CommandMilliseconds(icotrace, Command::Read, list);
  CommandMilliseconds(icotrace, Command::Save, list);
  std::vector<double> floor, read, apply;
  bool restored = true;
  for (int run = 0; run < runs; ++run) {
    floor.push_back(FloorMilliseconds(list, count));
    read.push_back(CommandMilliseconds(icotrace, Command::Read, list));
    CommandMilliseconds(icotrace, Command::Load, list);
    demo.Scramble();
    // The scramble's own painting is the desktop's, not the apply's.
    while (GetUpdateRect(list, nullptr, FALSE)) Sleep(1);
    apply.push_back(CommandMilliseconds(icotrace, Command::Apply, list));
    restored = restored && demo.Truth() == original;
  }
  const double medianRead = Median(read);
  const double medianApply = Median(apply);
  std::printf("%d-bit Icotrace.exe from outside, shell view of %d items, median of %d runs\n",
              static_cast<int>(sizeof(void*) * 8), count, runs);
  std::printf("floor %10.1f ms\nread  %10.1f ms (%.1f x floor)\napply %10.1f ms (%.1f x floor)\n",
              Median(floor), medianRead, medianRead / Median(floor), medianApply,
              medianApply / Median(floor));
  std::printf("apply after a scramble %.2f x read (goal <= 3)\n", medianApply / medianRead);
  Record(restored, "every apply put every item back", __FILE__, __LINE__);
  Record(medianApply <= 3 * medianRead, "an apply after a scramble costs at most 3 reads", __FILE__,
         __LINE__);
  return Summary();
}

}  // namespace
}  // namespace icotrace::e2e

int wmain(int argc, wchar_t** argv) {
  using namespace icotrace::e2e;
  if (argc < 3) {
    std::fprintf(
        stderr, "usage: icotrace_bench_outside <Icotrace.exe> <demo-desktop.exe> [files] [runs]\n");
    return 2;
  }
  const std::size_t files = argc > 3 ? static_cast<std::size_t>(std::max(1, _wtoi(argv[3]))) : 412;
  const int runs = argc > 4 ? std::max(1, _wtoi(argv[4])) : 3;
  try {
    return Run(WindowsPath(argv[1]), WindowsPath(argv[2]), files, runs);
  } catch (const E2eError& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 1;
  }
}
