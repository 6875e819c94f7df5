// What the demo desktop agrees on with the programs that drive it: its
// switches, the messages it answers and its exit codes. The README's
// "Demo desktop" section says the same for people.
#pragma once

#include <cstdint>

namespace icotrace::demo {

// Switches (each followed by its value where it takes one).
inline constexpr wchar_t kSwitchWorkerW[] = L"--workerw";  // windows as after "show desktop"
// Captions given only when the control asks for them (LVN_GETDISPINFO), as
// the shell's own desktop gives its items' names.
inline constexpr wchar_t kSwitchCallbackText[] = L"--callback-text";
inline constexpr wchar_t kSwitchCount[] = L"--count";           // N generated items
inline constexpr wchar_t kSwitchItems[] = L"--items";           // items from a file
inline constexpr wchar_t kSwitchExitAfter[] = L"--exit-after";  // die at the (k+1)-th item message
inline constexpr wchar_t kSwitchHangAfter[] = L"--hang-after";  // stop answering there instead
inline constexpr wchar_t kSwitchDumpOnStart[] = L"--dump";      // write the dump once ready
// The view that the platform's shell makes of a folder (its own
// SHELLDLL_DefView and list view, captions and pictures asked of the shell)
// instead of our list view and items.
inline constexpr wchar_t kSwitchShellView[] = L"--shell-view";
// The desktop as Windows 10 from build 17763 and Windows 11 serve it: the
// items of the user's desktop folder, their places kept in the view's own
// model, and the shell's window list, browser, view and folder view served
// to other processes through COM (the prefix maps the window list's class
// onto ours). A move sent to the list view shows until the next refresh.
inline constexpr wchar_t kSwitchWindowsShell[] = L"--windows-shell";
// Where that view saves its state (SaveViewState) and finds it at its start.
inline constexpr wchar_t kSwitchViewState[] = L"--view-state";
// A fault of that view, on request (may be given more than once):
inline constexpr wchar_t kSwitchFault[] = L"--fault";
inline constexpr wchar_t kFaultPlaceHangs[] = L"place-hangs";    // never answers (60 s)
inline constexpr wchar_t kFaultPlaceLate[] = L"place-late";      // places, answers after 7 s
inline constexpr wchar_t kFaultPlaceBusy[] = L"place-busy";      // turned away as busy
inline constexpr wchar_t kFaultPlaceDenied[] = L"place-denied";  // E_ACCESSDENIED
// The window list answers "no desktop" (S_FALSE) to its first call.
inline constexpr wchar_t kFaultNoDesktopAtFirst[] = L"no-desktop-at-first";
// The places reach the list view 600 ms after the call returns.
inline constexpr wchar_t kFaultPlacesShowLate[] = L"places-show-late";
// The class the prefix maps the shell's window list onto (TreatAs).
inline constexpr wchar_t kStandInShellWindowsClsid[] = L"{6E0C7B3A-52D4-4C1F-8B9E-3D27A5F0C914}";

// Emulations of what a real desktop does with a move, on either list view.
// They act on LVM_SETITEMPOSITION and LVM_SETITEMPOSITION32, sent or posted,
// except from the demo desktop's own work (fill, scramble, R key, dump): a
// scramble always scrambles. Grid cells are the icon spacing
// (LVM_GETITEMSPACING) wide and high, anchored at 0,0.
//
// LVS_EX_SNAPTOGRID set; while it stays set, a move lands on the nearest grid
// cell, or on the nearest free one when another item holds that cell. Moves
// land exactly while the bit is cleared.
inline constexpr wchar_t kSwitchSnapToGrid[] = L"--snap-to-grid";
// LVS_AUTOARRANGE set; while it stays set, every move is followed by an
// arrangement of all items in columns, top to bottom then left to right, in
// the control's order, one item per grid cell. The items start where their
// file puts them: only a move arranges.
inline constexpr wchar_t kSwitchAutoArrange[] = L"--auto-arrange";
// Every move is answered as done, and nothing moves.
inline constexpr wchar_t kSwitchIgnoreMoves[] = L"--ignore-moves";

// Registered window message, sent to the "Progman" window: moves every item
// somewhere else. wParam is a seed (0: the next one of the session). Returns
// the number of items moved.
inline constexpr wchar_t kScrambleMessage[] = L"IcotraceDemoDesktopScramble";

// WM_COPYDATA sent to the "Progman" window with this dwData and a UTF-16 file
// path (no NUL needed) as data: the demo desktop writes its items there, as its
// own list view holds them, and answers 1 (0 when the file cannot be written).
inline constexpr std::uintptr_t kDumpRequest = 0x49434F44;  // "ICOD"

// Registered window message, sent to the "Progman" window: how many moves
// other programs sent to the list view (LVM_SETITEMPOSITION and
// LVM_SETITEMPOSITION32) since the demo desktop started.
inline constexpr wchar_t kOutsideMovesMessage[] = L"IcotraceDemoDesktopOutsideMoves";
// Registered window message, sent to the "Progman" window with --windows-shell:
// refreshes the view as F5 does (IShellView::Refresh). Returns 1.
inline constexpr wchar_t kRefreshMessage[] = L"IcotraceDemoDesktopRefresh";
// Registered window message, posted to the "Progman" window: the process
// ends at once, as a crash ends it, without saving anything. Its class is
// revoked first: Wine's service keeps a dead server's class registered, and
// would hand it out in place of the next one's.
inline constexpr wchar_t kCrashMessage[] = L"IcotraceDemoDesktopCrash";
inline constexpr int kExitCrashed = 5;

// --exit-after and --hang-after count the item messages that come from
// another thread: LVM_GETITEMW (one per item read) and LVM_FINDITEMW (one per
// item move).

inline constexpr int kExitBadArguments = 2;
inline constexpr int kExitAnotherDesktop = 3;  // a "Progman" window already exists
inline constexpr int kExitShellGone = 4;       // --exit-after reached

}  // namespace icotrace::demo
