// The walks through Icotrace.exe that the check program makes, each from a
// fresh copy of the program and a demo desktop of its own.
#pragma once

#include <string>
#include <vector>

namespace icotrace::e2e {

struct AppPaths {
  std::wstring Icotrace;     // Icotrace.exe of the build (its DLL beside it)
  std::wstring DemoDesktop;  // demo-desktop.exe of the same bitness
};

// The demo desktop's arguments for the scenarios' own items.
std::vector<std::wstring> ScenarioDesktopArguments();

// Without a layout file: read twice, save, load, apply, save after a load,
// About and "Quitter"; screenshots after the read and the load.
void CommandScenarios(const AppPaths& paths);
// With a layout file at start: load first (the empty row's picture fetched
// by the load), apply, read, apply the read, then the close box; and an
// empty layout file.
void FileAtStartScenarios(const AppPaths& paths);
// No desktop, a read-only layout file, a malformed one and a missing one, an
// empty desktop to save: a French message each time, and nothing changed.
// Names the code page cannot hold: saved, with a warning.
void FailureScenarios(const AppPaths& paths);
// The shell goes away during a read and during an apply, then hangs during
// a read, a save and an apply: the French message in good time, nothing
// changed, and the commands work again once a desktop answers.
void ShellFaultScenarios(const AppPaths& paths);
// A layout file held open by another program: save and load refused, the
// file unchanged.
void LockedFileScenarios(const AppPaths& paths);
// Layout files of 100,000 lines, of 100 KB lines and of binary garbage:
// rows or a message, and bounded memory.
void LargeFileScenarios(const AppPaths& paths);
// The program in a folder named outside the ANSI code page, and at the
// root of a drive (mapped by with_wine_drive.sh under Wine).
void ProgramFolderScenarios(const AppPaths& paths);

// Captions in several letter cases, with ";", blanks, none at all, the
// longest a move sends; item data at both ends; places beyond the screen.
void AwkwardItemScenarios(const AppPaths& paths);

// The shell's own view of a folder of awkward names, extensions hidden:
// read, save, scramble, load and apply, with the system's pictures.
void ShellViewScenarios(const AppPaths& paths);
// Desktops that snap to a grid, arrange themselves after every move, or
// ignore moves: every item back, or one message naming what is not.
void DesktopMoveScenarios(const AppPaths& paths);

// The README's walk without a display: read, save, scramble, load, apply,
// each step printed with its screenshot.
void WalkthroughScenario(const AppPaths& paths);

}  // namespace icotrace::e2e
