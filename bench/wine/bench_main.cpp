// How long a read and an apply of a whole desktop take under Wine, against
// demo desktops of several sizes, beside a floor measured in the same run:
// as many bare cross-process LVM_GETITEMPOSITION round trips on an area
// opened beforehand. Medians of several runs.
//
// icotrace_bench_wine <demo-desktop.exe> [runs]
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "bench_clock.h"
#include "bench_goals.h"
#include "core/command_error.h"
#include "demo_desktop_process.h"
#include "e2e_environment.h"
#include "real_desktop.h"
#include "remote_memory.h"
#include "shell_folder.h"

namespace icotrace::e2e {
namespace {

HWND ListViewOf(HWND progman) {
  return FindWindowExW(FindWindowExW(progman, nullptr, nullptr, nullptr), nullptr, nullptr,
                       nullptr);
}

LRESULT Send(HWND list, UINT message, WPARAM wParam, const void* remote) {
  DWORD_PTR result = 0;
  SendMessageTimeoutW(list, message, wParam, reinterpret_cast<LPARAM>(remote),
                      SMTO_ABORTIFHUNG | SMTO_BLOCK, 5000, &result);
  return static_cast<LRESULT>(result);
}

// The floor: one bare LVM_GETITEMPOSITION round trip per item.
double FloorMilliseconds(HWND list, int count) {
  // Memory in the desktop's process, opened before the clock starts.
  RemoteMemory memory(list);
  BYTE* area = memory.Lend(sizeof(POINT));
  return Milliseconds([&] {
    for (int i = 0; i < count; ++i) Send(list, LVM_GETITEMPOSITION, static_cast<WPARAM>(i), area);
  });
}

// What the control itself costs the designed apply: per item, one search for
// the last item's caption (the longest walk) and one move of it, sent.
double SearchAndMoveMilliseconds(HWND list, const demo::DemoItem& last, int count) {
  RemoteMemory memory(list);
  BYTE* area = memory.Lend(4096);
  const std::wstring caption = last.Caption + L'\0';
  memory.Write(area, caption.data(), caption.size() * sizeof(wchar_t));
  LVFINDINFOW find{};
  find.flags = LVFI_STRING;
  find.psz = reinterpret_cast<LPCWSTR>(area);
  memory.Write(area + 1024, &find, sizeof find);
  const POINT places[2] = {{last.X, last.Y}, {last.X + 40, last.Y + 40}};
  memory.Write(area + 2048, places, sizeof places);
  const double taken = Milliseconds([&] {
    for (int i = 0; i < count; ++i) {
      const LRESULT found = Send(list, LVM_FINDITEMW, static_cast<WPARAM>(-1), area + 1024);
      Send(list, LVM_SETITEMPOSITION32, static_cast<WPARAM>(found),
           area + 2048 + static_cast<std::size_t>(i % 2) * sizeof(POINT));
    }
  });
  Send(list, LVM_SETITEMPOSITION32, static_cast<WPARAM>(count - 1), area + 2048);
  return taken;
}

struct Figures {
  std::vector<double> Floor, Read, Apply, ApplyInPlace, ApplyListViewOnly, DesignedBare;
};

// The designed apply's bare search and move repaint the desktop once per
// item, minutes on large desktops: measured on small ones only, to show what
// the apply no longer pays.
constexpr int kLargestDesignedBare = 1000;
// The apply without the folder view shows what trying the folder view costs;
// a fixed cost, measured on small desktops only.
constexpr int kLargestListViewOnly = 100;

struct Outcome {
  std::wstring Label;
  int Count = 0;
  double Read = 0, Apply = 0, ApplyInPlace = 0;
};

Outcome Measure(const std::wstring& demoPath, const std::wstring& label,
                const std::vector<std::wstring>& arguments, int runs) {
  DemoDesktopProcess demo(demoPath, arguments, 60000);
  const std::vector<demo::DemoItem> original = demo.Truth();
  const int count = static_cast<int>(original.size());
  // Large desktops cost seconds a run; three runs still give a median.
  if (count >= 1000) runs = std::min(runs, 3);
  HWND list = ListViewOf(demo.Progman());
  RealDesktop desktop;
  Win32Api listViewOnlyApi;
  modCommon listViewOnly(listViewOnlyApi);
  Figures figures;
  Layout layout;
  bool restored = true;
  bool silent = true;
  for (int run = 0; run < runs; ++run) {
    std::fprintf(stderr, "%s %d: run %d\n", Utf8(label).c_str(), count, run + 1);
    figures.Floor.push_back(FloorMilliseconds(list, count));
    figures.Read.push_back(Milliseconds([&] { desktop.Common.ReadDesktopLayout(layout); }));
    if (count <= kLargestDesignedBare) {
      figures.DesignedBare.push_back(SearchAndMoveMilliseconds(list, original.back(), count));
    }
    std::fprintf(stderr, "  apply in place\n");
    figures.ApplyInPlace.push_back(Milliseconds(
        [&] { silent = desktop.Common.ApplyDesktopLayout(layout).Unplaced.empty() && silent; }));
    demo.Scramble();
    std::fprintf(stderr, "  apply after a scramble\n");
    figures.Apply.push_back(Milliseconds(
        [&] { silent = desktop.Common.ApplyDesktopLayout(layout).Unplaced.empty() && silent; }));
    restored = restored && demo.Truth() == original;
    if (count > kLargestListViewOnly) continue;
    demo.Scramble();
    figures.ApplyListViewOnly.push_back(
        Milliseconds([&] { listViewOnly.ApplyDesktopLayout(layout); }));
    restored = restored && demo.Truth() == original;
  }
  const double floor = Median(figures.Floor);
  const double read = Median(figures.Read);
  const auto row = [&](const char* what, const std::vector<double>& values) {
    const double median = Median(values);
    std::printf("%-22s %6d  %-26s %10.1f ms %9.1f us/item %7.1f x floor %6.2f x read\n",
                Utf8(label).c_str(), count, what, median, 1000.0 * median / count, median / floor,
                median / read);
  };
  row("floor", figures.Floor);
  row("read", figures.Read);
  row("apply after a scramble", figures.Apply);
  row("apply, all in place", figures.ApplyInPlace);
  if (!figures.ApplyListViewOnly.empty()) row("apply (list view only)", figures.ApplyListViewOnly);
  if (!figures.DesignedBare.empty()) row("designed: bare search+move", figures.DesignedBare);
  Record(restored, "every apply put every item back", __FILE__, __LINE__);
  Record(silent, "no apply reported an item it could not place", __FILE__, __LINE__);
  std::fflush(stdout);
  return {label, count, read, Median(figures.Apply), Median(figures.ApplyInPlace)};
}

// The goals: an apply costs at most 3 reads of the same desktop, at most 2
// with everything in place, and ten times the items at most twelve times
// the time.
void PrintGoals(const std::vector<Outcome>& outcomes) {
  std::printf("\ngoals\n");
  for (const Outcome& s : outcomes) {
    std::printf("%-22s %6d  apply %.2f x read (goal <= 3), in place %.2f x read (goal <= 2)\n",
                Utf8(s.Label).c_str(), s.Count, s.Apply / s.Read, s.ApplyInPlace / s.Read);
    for (const Outcome& larger : outcomes) {
      if (larger.Label != s.Label || larger.Count != 10 * s.Count) continue;
      std::printf("%-22s %6d->%d  read x%.1f, apply x%.1f, in place x%.1f (goal <= 12)\n",
                  Utf8(s.Label).c_str(), s.Count, larger.Count, larger.Read / s.Read,
                  larger.Apply / s.Apply, larger.ApplyInPlace / s.ApplyInPlace);
    }
  }
}

// One desktop named as on the command line.
Outcome MeasureDesktop(const std::wstring& demo, std::wstring desktop, int runs) {
  constexpr std::wstring_view kShell = L"shell:";
  if (desktop.starts_with(kShell)) {
    const auto items = static_cast<std::size_t>(_wtoi(desktop.c_str() + kShell.size()));
    const std::size_t awkward = ShellFolder::AwkwardItems();
    const ShellFolder folder(L"icotrace-bench-shell", items > awkward ? items - awkward : 0);
    return Measure(demo, L"shell view", folder.DemoArguments(), runs);
  }
  std::vector<std::wstring> arguments;
  std::wstring label = L"stored captions";
  constexpr std::wstring_view kCallback = L"+callback";
  if (desktop.size() > kCallback.size() && desktop.ends_with(kCallback)) {
    desktop.resize(desktop.size() - kCallback.size());
    arguments.push_back(L"--callback-text");
    label = L"captions on demand";
  }
  if (desktop != L"default") arguments.insert(arguments.end(), {L"--count", desktop});
  return Measure(demo, (desktop == L"default" ? L"default, " : L"") + label, arguments, runs);
}

}  // namespace
}  // namespace icotrace::e2e

int wmain(int argc, wchar_t** argv) {
  using namespace icotrace::e2e;
  if (argc < 2) {
    std::fprintf(stderr,
                 "usage: icotrace_bench_wine <demo-desktop.exe> [runs] [desktops...]\n"
                 "  desktops: \"default\" or a number of generated items, each with\n"
                 "  \"+callback\" for captions given on demand, or \"shell:N\" for the\n"
                 "  platform's own view of a folder of N items (default: default 100 1000\n"
                 "  5000, each both ways, and shell:400)\n");
    return 2;
  }
  const std::wstring demo = WindowsPath(argv[1]);
  const int runs = argc > 2 ? std::max(1, _wtoi(argv[2])) : 5;
  std::vector<std::wstring> desktops(argv + std::min(argc, 3), argv + argc);
  if (desktops.empty()) {
    for (const wchar_t* size : {L"default", L"100", L"1000", L"5000"}) {
      desktops.push_back(size);
      desktops.push_back(std::wstring(size) + L"+callback");
    }
    desktops.push_back(L"shell:400");
  }
  std::printf(
      "%d-bit program, median of %d runs; floor: one bare LVM_GETITEMPOSITION round "
      "trip per item on an area opened beforehand\n",
      static_cast<int>(sizeof(void*) * 8), runs);
  std::printf("%-22s %6s  %-26s %13s %17s %15s %13s\n", "desktop", "items", "operation", "median",
              "per item", "ratio", "");
  std::vector<Outcome> outcomes;
  for (const std::wstring& desktop : desktops) {
    try {
      outcomes.push_back(MeasureDesktop(demo, desktop, runs));
    } catch (const icotrace::CommandError& error) {
      Record(false, "the desktop " + Utf8(desktop) + " failed: " + Utf8(error.Message()), __FILE__,
             __LINE__);
    }
  }
  PrintGoals(outcomes);
  return Summary();
}
