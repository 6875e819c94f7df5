// A long command runs on the window's thread from its first step to its last.
// Windows counts a thread that has not looked at its queue for 5 s as hung and
// ghosts its windows; a look that takes nothing away keeps it from that while
// the clicks made meanwhile wait for the command to end. The look answers the
// messages other programs send, a click or a close among them: the window
// holds those back until its command has returned.
#pragma once

namespace icotrace {

// Looks at the thread's queue (PM_NOREMOVE) at most every few hundred
// milliseconds; cheap enough to call once per message to the shell.
void KeepResponsive();

}  // namespace icotrace
