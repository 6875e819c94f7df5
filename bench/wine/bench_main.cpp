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
#include "demo_desktop_process.h"
#include "e2e_check.h"
#include "e2e_environment.h"
#include "real_desktop.h"
#include "remote_memory.h"

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

// What the control itself costs an apply: per item, one search for the last
// item's caption (the longest walk) and one move of it.
enum class BareMove {
  Stay,       // to where it stands: the control has nothing to repaint
  Move,       // between two places: it repaints before the next message
  Unpainted,  // the same with the control's redraw off until the end
};

double SearchAndMoveMilliseconds(HWND list, const demo::DemoItem& last, int count, BareMove how) {
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
    if (how == BareMove::Unpainted) SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    for (int i = 0; i < count; ++i) {
      const LRESULT found = Send(list, LVM_FINDITEMW, static_cast<WPARAM>(-1), area + 1024);
      const std::size_t place = how == BareMove::Stay ? 0 : static_cast<std::size_t>(i % 2);
      Send(list, LVM_SETITEMPOSITION32, static_cast<WPARAM>(found),
           area + 2048 + place * sizeof(POINT));
    }
    if (how == BareMove::Unpainted) {
      SendMessageW(list, WM_SETREDRAW, TRUE, 0);
      RedrawWindow(list, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_UPDATENOW);
    }
  });
  Send(list, LVM_SETITEMPOSITION32, static_cast<WPARAM>(count - 1), area + 2048);
  return taken;
}

struct Figures {
  std::vector<double> Floor, Read, Apply, ApplyInPlace, ApplyListViewOnly;
  std::vector<double> Bare[3];  // by BareMove
};

// Larger desktops are read only: each real move costs the control a repaint
// that grows with its item count, so their applies take many minutes.
constexpr int kLargestApplied = 1000;
// The apply without the folder view shows what trying the folder view costs;
// a fixed cost, measured on small desktops only.
constexpr int kLargestListViewOnly = 100;

void Measure(const std::wstring& demoPath, const std::wstring& label,
             const std::vector<std::wstring>& arguments, int runs) {
  DemoDesktopProcess demo(demoPath, arguments, 60000);
  // Large desktops cost minutes a run; three runs still give a median.
  if (arguments.size() > 1 && _wtoi(arguments[1].c_str()) >= kLargestApplied)
    runs = std::min(runs, 3);
  const std::vector<demo::DemoItem> original = demo.Truth();
  const int count = static_cast<int>(original.size());
  HWND list = ListViewOf(demo.Progman());
  RealDesktop desktop;
  Win32Api listViewOnlyApi;
  modCommon listViewOnly(listViewOnlyApi);
  Figures figures;
  Layout layout;
  bool restored = true;
  const bool applied = count <= kLargestApplied;
  for (int run = 0; run < runs; ++run) {
    figures.Floor.push_back(FloorMilliseconds(list, count));
    figures.Read.push_back(Milliseconds([&] { desktop.Common.ReadDesktopLayout(layout); }));
    if (!applied) continue;
    for (const BareMove how : {BareMove::Stay, BareMove::Move, BareMove::Unpainted}) {
      figures.Bare[static_cast<int>(how)].push_back(
          SearchAndMoveMilliseconds(list, original.back(), count, how));
    }
    figures.ApplyInPlace.push_back(
        Milliseconds([&] { desktop.Common.ApplyDesktopLayout(layout); }));
    demo.Scramble();
    figures.Apply.push_back(Milliseconds([&] { desktop.Common.ApplyDesktopLayout(layout); }));
    restored = restored && demo.Truth() == original;
    if (count > kLargestListViewOnly) continue;
    demo.Scramble();
    figures.ApplyListViewOnly.push_back(
        Milliseconds([&] { listViewOnly.ApplyDesktopLayout(layout); }));
    restored = restored && demo.Truth() == original;
  }
  const double floor = Median(figures.Floor);
  const auto row = [&](const char* what, const std::vector<double>& values) {
    const double median = Median(values);
    std::printf("%-16s %6d  %-24s %10.1f ms %9.1f us/item %8.1f x floor\n", Utf8(label).c_str(),
                count, what, median, 1000.0 * median / count, median / floor);
  };
  row("floor", figures.Floor);
  row("read", figures.Read);
  if (applied) {
    row("apply", figures.Apply);
    if (!figures.ApplyListViewOnly.empty())
      row("apply (list view only)", figures.ApplyListViewOnly);
    row("apply, all in place", figures.ApplyInPlace);
    row("bare search, same place", figures.Bare[0]);
    row("bare search + real move", figures.Bare[1]);
    row("same, redraw off", figures.Bare[2]);
  }
  Record(restored, "every apply put every item back", __FILE__, __LINE__);
  std::fflush(stdout);
}

}  // namespace
}  // namespace icotrace::e2e

int wmain(int argc, wchar_t** argv) {
  using namespace icotrace::e2e;
  if (argc < 2) {
    std::fprintf(stderr,
                 "usage: icotrace_bench_wine <demo-desktop.exe> [runs] [desktops...]\n"
                 "  desktops: \"default\" or a number of generated items (read only above 1000) "
                 "(default: default 100 1000 5000)\n");
    return 2;
  }
  const std::wstring demo = WindowsPath(argv[1]);
  const int runs = argc > 2 ? std::max(1, _wtoi(argv[2])) : 5;
  std::vector<std::wstring> desktops(argv + std::min(argc, 3), argv + argc);
  if (desktops.empty()) desktops = {L"default", L"100", L"1000", L"5000"};
  std::printf(
      "%d-bit program, median of %d runs; floor: one bare LVM_GETITEMPOSITION round "
      "trip per item on an area opened beforehand\n",
      static_cast<int>(sizeof(void*) * 8), runs);
  std::printf("%-16s %6s  %-24s %13s %17s %15s\n", "desktop", "items", "operation", "median",
              "per item", "ratio");
  for (const std::wstring& desktop : desktops) {
    if (desktop == L"default") {
      Measure(demo, L"default", {}, runs);
    } else {
      Measure(demo, L"generated", {L"--count", desktop}, runs);
    }
  }
  return Summary();
}
