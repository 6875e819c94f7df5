// Hands an address of the About box to the shell.
#pragma once

#include <windows.h>

#include "ui/about_links.h"

namespace icotrace {

// Opens call.File with the program the user's system associates with it. The
// shell's answer is not examined; when call.SwallowFailures is set nothing
// at all escapes.
void OpenInShell(HWND window, const ShellOpenCall& call);

}  // namespace icotrace
