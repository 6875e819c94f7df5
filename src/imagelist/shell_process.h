// What the requester learns of the process behind the list view before it
// hooks that process: whether this library can run there, and who runs it.
#pragma once

#include <windows.h>

#include <vector>

#include "platform/win/handles.h"

namespace icotrace::imagelist {

// The process of a list view, opened only to be asked about.
class ShellProcess {
 public:
  explicit ShellProcess(DWORD processId);
  ShellProcess(const ShellProcess&) = delete;
  ShellProcess& operator=(const ShellProcess&) = delete;

  // False when it runs another machine's code (the other pointer width, or
  // the Arm64 shell of an x64 requester): this library cannot be loaded
  // there, and the system would run the hook back in our own thread, which
  // is waiting on that very process. True when it cannot be told.
  bool SharesOurMachine() const;
  // The user its token runs as, empty when that cannot be read.
  std::vector<BYTE> UserSid() const;

 private:
  UniqueKernelHandle m_process;
};

// The user this process runs as, empty when that cannot be read.
std::vector<BYTE> OurUserSid();

}  // namespace icotrace::imagelist
