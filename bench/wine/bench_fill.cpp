// How long the load command takes to fill the list, icons included, under
// Wine against demo desktops of several sizes: once with an empty ImageList1
// (every distinct icon fetched from the desktop) and once with the icons
// cached. Beside it, a floor measured in the same run: as many bare row
// insertions (one item, three sub-items) into a list made alike with its
// drawing held back, plus one bare GetIcon per distinct image index.
//
// icotrace_bench_fill <demo-desktop.exe> [counts...]
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include <algorithm>
#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "bench_clock.h"
#include "bench_goals.h"
#include "core/command_error.h"
#include "demo_desktop_process.h"
#include "e2e_environment.h"
#include "fill_window.h"
#include "imagelist/interprocess_image_list.h"
#include "layoutfile/layout_file.h"
#include "layoutfile/layout_file_name.h"
#include "platform/win/handles.h"
#include "platform/win32_ansi_codec.h"
#include "platform/win32_screen_metrics.h"
#include "real_desktop.h"
#include "scratch_folder_files.h"
#include "ui/frm_main_commands.h"
#include "ui/win/mod_sys_icons.h"

namespace icotrace::e2e {
namespace {

// The layout file of the demo desktop's items, in their order.
Layout LayoutOf(const std::vector<demo::DemoItem>& items) {
  Layout layout;
  layout.reserve(items.size());
  for (const demo::DemoItem& item : items) {
    const std::u16string name(item.Caption.begin(), item.Caption.end());
    layout.push_back({name, item.X, item.Y, static_cast<std::int32_t>(item.LParam), item.Image});
  }
  return layout;
}

// The rows' texts made beforehand: the floor is the list's own work only.
struct BareRow {
  std::wstring Caption, X, Y, LParam;
  int Image;
};

std::vector<BareRow> BareRowsOf(const Layout& loaded) {
  std::vector<BareRow> rows;
  for (const DesktopIcon& icon : loaded) {
    rows.push_back({std::wstring(icon.Name.begin(), icon.Name.end()), std::to_wstring(icon.X),
                    std::to_wstring(icon.Y), std::to_wstring(icon.lParam), icon.Image % 8});
  }
  return rows;
}

double BareRowsMilliseconds(HWND list, std::vector<BareRow>& rows) {
  ListView_DeleteAllItems(list);
  return Milliseconds([&] {
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
      LVITEMW item{};
      item.mask = LVIF_TEXT | LVIF_IMAGE;
      item.iItem = i;
      item.pszText = rows[i].Caption.data();
      item.iImage = rows[i].Image;
      const int index = ListView_InsertItem(list, &item);
      ListView_SetItemText(list, index, 1, rows[i].X.data());
      ListView_SetItemText(list, index, 2, rows[i].Y.data());
      ListView_SetItemText(list, index, 3, rows[i].LParam.data());
    }
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  });
}

// One bare GetIcon per distinct image index, the hook freshly set as for a
// fill with an empty ImageList1.
double BareIconsMilliseconds(HWND desktopList, const std::set<std::int32_t>& images) {
  const auto imageList =
      reinterpret_cast<HIMAGELIST>(SendMessageW(desktopList, LVM_GETIMAGELIST, LVSIL_SMALL, 0));
  std::vector<UniqueIcon> icons;
  UninstallHook();
  const double taken = Milliseconds([&] {
    for (const std::int32_t image : images)
      icons.emplace_back(GetIcon(desktopList, imageList, image));
  });
  Record(icons.size() == images.size() &&
             std::all_of(icons.begin(), icons.end(),
                         [](const UniqueIcon& icon) { return static_cast<bool>(icon); }),
         "every bare GetIcon gave an icon", __FILE__, __LINE__);
  return taken;
}

struct FillFigures {
  int Rows = 0;  // as the fill puts them in: one per line and the empty entry
  double File = 0, Fresh = 0, Cached = 0, FloorRows = 0, FloorIcons = 0;
};

FillFigures Measure(const std::wstring& demoPath, int count, int runs) {
  DemoDesktopProcess demo(demoPath, {L"--count", std::to_wstring(count)}, 60000);
  const std::vector<demo::DemoItem> items = demo.Truth();
  const std::wstring scratch = E2eDirectory() + L"\\bench-fill";
  CreateDirectoryW(scratch.c_str(), nullptr);

  RealDesktop desktop;
  ScratchFolderFiles files(std::u16string(scratch.begin(), scratch.end()));
  Win32ScreenMetrics screen;
  const Win32AnsiCodec codec;
  const std::u16string path = LayoutFileName(screen, files);
  SaveLayoutFile(files, codec, path, LayoutOf(items));

  FillWindow window;
  ModSysIcons sysIcons(desktop.Common, desktop.Api, window.ImageList1());
  FrmMainCommands commands(window, {desktop.Common, files, screen, codec, sysIcons});
  Layout loaded;
  LoadLayoutFile(files, codec, path, loaded);
  std::vector<BareRow> bareRows = BareRowsOf(loaded);
  std::set<std::int32_t> images;
  for (const demo::DemoItem& item : items) images.insert(item.Image);
  const HWND desktopList =
      reinterpret_cast<HWND>(static_cast<UINT_PTR>(desktop.Common.FindDesktopListView()));

  std::vector<double> file, fresh, cached, floorRows, floorIcons;
  bool whole = true;
  for (int run = 0; run < runs; ++run) {
    file.push_back(Milliseconds([&] { LoadLayoutFile(files, codec, path, loaded); }));
    // A first load: an empty ImageList1 and no hook in the desktop yet.
    window.ForgetIcons();
    UninstallHook();
    fresh.push_back(Milliseconds([&] { commands.Command4_Click(); }));
    whole = whole && ImageList_GetImageCount(window.ImageList1().Handle()) ==
                         static_cast<int>(images.size());
    cached.push_back(Milliseconds([&] { commands.Command4_Click(); }));
    whole = whole && ListView_GetItemCount(window.List()) == static_cast<int>(loaded.size());
    floorRows.push_back(BareRowsMilliseconds(window.SpareList(), bareRows));
    floorIcons.push_back(BareIconsMilliseconds(desktopList, images));
  }
  Record(whole, "every fill put in every row and every distinct icon", __FILE__, __LINE__);
  Record(window.Warning().empty(), "no fill warned", __FILE__, __LINE__);
  return {static_cast<int>(loaded.size()),
          Median(file),
          Median(fresh),
          Median(cached),
          Median(floorRows),
          Median(floorIcons)};
}

void PrintFigures(int count, const FillFigures& f) {
  const double floor = f.FloorRows + f.FloorIcons;
  const auto row = [&](const char* what, double ms, double against) {
    std::printf("%6d  %-34s %10.2f ms %9.2f us/row", count, what, ms, 1000.0 * ms / f.Rows);
    if (against > 0) std::printf(" %7.2f x floor", ms / against);
    std::printf("\n");
  };
  row("floor: bare rows + bare icons", floor, 0);
  row("  bare rows (insert + 3 texts)", f.FloorRows, 0);
  row("  bare icons (GetIcon each)", f.FloorIcons, 0);
  row("fill, ImageList1 empty", f.Fresh, floor);
  row("fill, icons cached", f.Cached, f.FloorRows);
  row("  of which the file read", f.File, 0);
  row("  of which the rows", f.Cached - f.File, f.FloorRows);
  row("  icons fetched (empty - cached)", f.Fresh - f.Cached, f.FloorIcons);
  std::fflush(stdout);
}

// Per-row cost of each size against the smallest: near 1 is linear growth.
void PrintGrowth(const std::vector<int>& counts, const std::vector<FillFigures>& figures) {
  std::printf("\ngrowth of the per-row cost against %d items\n", counts.front());
  const auto perRow = [](double ms, int rows) { return ms / rows; };
  for (std::size_t i = 0; i < counts.size(); ++i) {
    const FillFigures& first = figures.front();
    const FillFigures& f = figures[i];
    std::printf(
        "%6d  fill, ImageList1 empty %6.2f x   fill, icons cached %6.2f x   floor rows %6.2f x\n",
        counts[i], perRow(f.Fresh, f.Rows) / perRow(first.Fresh, first.Rows),
        perRow(f.Cached, f.Rows) / perRow(first.Cached, first.Rows),
        perRow(f.FloorRows, f.Rows) / perRow(first.FloorRows, first.Rows));
  }
}

// Small desktops vary more from run to run.
int RunsFor(int count) {
  return count <= 100 ? 5 : 3;
}

}  // namespace
}  // namespace icotrace::e2e

int wmain(int argc, wchar_t** argv) {
  using namespace icotrace::e2e;
  if (argc < 2) {
    std::fprintf(stderr,
                 "usage: icotrace_bench_fill <demo-desktop.exe> [counts...]\n"
                 "  counts: numbers of generated items (default: 100 1000 5000)\n");
    return 2;
  }
  // ImageList1's pictures go through OLE, as in the program.
  const bool oleReady = SUCCEEDED(OleInitialize(nullptr));
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&controls);
  const std::wstring demo = WindowsPath(argv[1]);
  std::vector<int> counts;
  for (int i = 2; i < argc; ++i) counts.push_back(std::max(1, _wtoi(argv[i])));
  if (counts.empty()) counts = {100, 1000, 5000};
  std::printf(
      "%d-bit program; load command (file read + list fill) against a floor of bare row "
      "insertions and bare GetIcon calls; medians of 5 runs (100 items) or 3\n",
      static_cast<int>(sizeof(void*) * 8));
  std::vector<FillFigures> figures;
  for (const int count : counts) {
    try {
      figures.push_back(Measure(demo, count, RunsFor(count)));
      PrintFigures(count, figures.back());
    } catch (const icotrace::CommandError& error) {
      Record(false, "fill of " + std::to_string(count) + ": " + Utf8(error.Message()), __FILE__,
             __LINE__);
      return Summary();
    }
  }
  PrintGrowth(counts, figures);
  if (oleReady) OleUninitialize();
  return Summary();
}
