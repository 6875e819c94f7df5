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

// --exit-after and --hang-after count the item messages that come from
// another thread: LVM_GETITEMW (one per item read) and LVM_FINDITEMW (one per
// item move).

inline constexpr int kExitBadArguments = 2;
inline constexpr int kExitAnotherDesktop = 3;  // a "Progman" window already exists
inline constexpr int kExitShellGone = 4;       // --exit-after reached

}  // namespace icotrace::demo
