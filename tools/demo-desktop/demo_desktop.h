// The stand-in shell desktop's windows: "Progman" > "SHELLDLL_DefView" >
// "SysListView32" covering the screen at the bottom of the z-order, or, with
// the WorkerW layout, the view under a top-level "WorkerW" and an empty first
// child under "Progman". The view and its list view are ours, or the shell's
// view of a folder.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "demo_items.h"
#include "demo_options.h"
#include "icon_drag.h"
#include "item_message_fault.h"
#include "move_emulation.h"
#include "own_work.h"
#include "shell_view_host.h"
#include "windows_shell.h"

namespace icotrace::demo {

class DemoDesktop {
 public:
  DemoDesktop(const DemoOptions& options, std::vector<DemoItem> items);
  ~DemoDesktop();
  DemoDesktop(const DemoDesktop&) = delete;
  DemoDesktop& operator=(const DemoDesktop&) = delete;

  // Creates and shows the windows with their items; false when Windows refused.
  bool Create(HINSTANCE instance);
  bool Dump(const std::wstring& path);
  // Runs until a top-level window is closed; the process's exit code.
  int Run();

 private:
  static LRESULT CALLBACK TopLevelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK ViewProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK ListProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                   UINT_PTR id, DWORD_PTR self);

  LRESULT OnTopLevel(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnView(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnListNotify(NMHDR& header);
  void KeepAtBottom(HWND window, WINDOWPOS& position) const;
  std::int32_t Scramble(std::uint32_t seed);

  HWND CreateTopLevel(const wchar_t* className, const wchar_t* title, bool visible);
  HWND CreateChild(const wchar_t* className, HWND parent, const wchar_t* title, DWORD style);
  // Our own view and list view, holding m_items.
  bool CreateOwnView(HWND parent);

  DemoOptions m_options;
  std::vector<DemoItem> m_items;
  HINSTANCE m_instance = nullptr;
  HWND m_progman = nullptr;
  HWND m_workerW = nullptr;  // WorkerW layout: the top-level window holding the view
  HWND m_view = nullptr;
  HWND m_list = nullptr;
  HIMAGELIST m_small = nullptr;
  HIMAGELIST m_normal = nullptr;
  HBRUSH m_background = nullptr;
  UINT m_scrambleMessage = 0;
  UINT m_outsideMovesMessage = 0;
  UINT m_refreshMessage = 0;
  std::uint32_t m_outsideMoves = 0;  // sent to the list view by other programs
  std::uint32_t m_nextSeed = 1;
  IconDrag m_drag;
  OwnWork m_ownWork;
  ItemMessageFault m_fault;
  MoveEmulation m_moves;
  ShellViewHost m_shellView;
  std::unique_ptr<WindowsShell> m_windowsShell;  // --windows-shell
};

}  // namespace icotrace::demo
