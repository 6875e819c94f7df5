// The three addresses the About box hands to the shell, and how each call is
// made. The Windows side only forwards these to ShellExecuteW.
#pragma once

#include <string>

namespace icotrace {

enum class AboutLink { Donation, Site, Mail };

struct ShellOpenCall {
  std::u16string File;
  bool InProgramFolder = false;  // the program's folder as working directory
  bool SwallowFailures = false;  // the e-mail link lets nothing escape
};

ShellOpenCall ShellCallFor(AboutLink link);

}  // namespace icotrace
