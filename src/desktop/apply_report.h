// What an apply has to tell the user: the items it found but could not put
// where the layout says, those it left alone because no screen would show
// them, the moves the desktop may forget, and the places the desktop may
// still be making.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace icotrace {

// Why the list view moved items on a desktop that keeps its own places.
enum class ForgetCause {
  Unanswered,  // the desktop's own placing did not answer in time
  Declined,    // it answered that it offers none, or refused the call
};

struct ApplyReport {
  std::vector<std::u16string> Unplaced;  // the entries' names, in the layout's order
  // Windows arranges the icons itself: the list view's LVS_AUTOARRANGE, or
  // the folder view's FWF_AUTOARRANGE.
  bool AutoArrange = false;
  // Items left where they stand: at the recorded place no current monitor
  // would show even a part of them (the layout was saved with other screens).
  std::vector<std::u16string> OffScreen;
  // Items moved through the list view on a desktop that keeps its own places
  // and did not place them: it may put them back at its next refresh.
  std::size_t Forgettable = 0;
  ForgetCause ForgettableCause = ForgetCause::Unanswered;
  // Entries handed to a placing call cancelled at the deadline: the desktop
  // may still carry it out, so nothing else moved them.
  std::vector<std::u16string> Pending;

  friend bool operator==(const ApplyReport&, const ApplyReport&) = default;
};

}  // namespace icotrace
