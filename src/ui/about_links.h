// The three addresses the About box hands to the shell, and how each call is
// made. The window only gives a click, its program folder and the shell.
#pragma once

#include <string>

#include "platform/shell_launcher.h"

namespace icotrace {

enum class AboutLink { Donation, Site, Mail };

struct ShellOpenCall {
  std::u16string File;
  bool InProgramFolder = false;  // the program's folder as working directory
  // The e-mail link lets nothing escape: no exception, and no box of the
  // shell's when no mail program is registered.
  bool SwallowFailures = false;
};

ShellOpenCall ShellCallFor(AboutLink link);

// A click on the link: opens its address with the program the system
// associates with it. The shell's answer is not examined.
void OpenAboutLink(AboutLink link, const std::u16string& programFolder, ShellLauncher& shell);

}  // namespace icotrace
