// The thread that makes a folder-view session's calls to the shell. COM
// waits on a shell that does not answer for as long as the shell takes, and
// where a cancelled call still waits for its answer (Wine's COM does), the
// window's thread would wait with it. The calls therefore run on a thread of
// their own, apartment-threaded, and the window's thread waits for each
// until a deadline only: a call still running then goes on alone, with what
// it holds, and the calls queued behind it (the give-back of what the
// session held, the releases) run once it returns. The thread ends after
// its queue once its owner let it go. Windows builds only.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>

namespace icotrace {

class ShellCallThread {
 public:
  ShellCallThread();
  // Lets the thread go: it ends once its queue is done.
  ~ShellCallThread();
  ShellCallThread(const ShellCallThread&) = delete;
  ShellCallThread& operator=(const ShellCallThread&) = delete;

  // Runs call there and waits for its end until deadline (a GetTickCount64
  // value), the window's thread answering as every wait does; false when
  // the time ran out first, or no thread could be had: the call is then
  // the thread's alone, and must own whatever it writes.
  bool Run(std::function<void()> call, ULONGLONG deadline);
  // Queues call without waiting for it.
  void Post(std::function<void()> call);

 private:
  struct Shared;
  std::shared_ptr<Shared> m_shared;
};

}  // namespace icotrace
