// Opening an address with the program the user's system associates with it,
// as one small seam: the real one is ShellExecuteExW, the host tests record
// what reaches it and can make it fail.
#pragma once

#include <optional>
#include <string>

namespace icotrace {

inline constexpr int kShowNormal = 1;  // SW_SHOWNORMAL

struct ShellRequest {
  std::u16string Verb;
  std::u16string File;
  std::optional<std::u16string> Parameters;  // none: a null pointer
  std::optional<std::u16string> Directory;   // none: a null pointer
  int Show = kShowNormal;
  bool NoErrorBox = false;  // the shell shows nothing of its own on a failure

  friend bool operator==(const ShellRequest&, const ShellRequest&) = default;
};

class ShellLauncher {
 public:
  virtual ~ShellLauncher() = default;
  // True when the shell said in time that it started what opens the file.
  virtual bool ShellExecuteExW(const ShellRequest& request) = 0;
};

}  // namespace icotrace
