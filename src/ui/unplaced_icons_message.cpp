#include "ui/unplaced_icons_message.h"

#include "core/decimal_text.h"
#include "ui/command_messages.h"

namespace icotrace {
namespace {

constexpr std::size_t kNamesShown = 5;
// A caption may run to 259 characters; the box shows the start of it.
constexpr std::size_t kLongestNameShown = 60;

std::u16string Shown(const std::u16string& name) {
  if (name.size() <= kLongestNameShown) return u"« " + name + u" »";
  return u"« " + name.substr(0, kLongestNameShown) + u"… »";
}

std::u16string Count(std::size_t count) {
  return DecimalText(static_cast<long long>(count));
}

// One paragraph: the count in agreement, the first few names, the cause.
std::u16string Section(const std::vector<std::u16string>& names, const char16_t* one,
                       const char16_t* manyTail, const std::u16string& cause) {
  namespace m = messages;
  const std::size_t count = names.size();
  std::u16string text = count == 1 ? std::u16string(one) : Count(count) + manyTail;
  for (std::size_t i = 0; i < count && i < kNamesShown; ++i) text += u"\n" + Shown(names[i]);
  if (count > kNamesShown) {
    text += u"\n" + (m::kUnplacedMoreLead + Count(count - kNamesShown)) + m::kUnplacedMoreTail;
  }
  return text + u"\n\n" + cause;
}

void Append(std::u16string& report, const std::u16string& section) {
  if (!report.empty()) report += u"\n\n";
  report += section;
}

}  // namespace

std::u16string UnplacedIconsMessage(const ApplyReport& report) {
  namespace m = messages;
  std::u16string text;
  if (const std::size_t count = report.Unplaced.size(); count != 0) {
    const char16_t* cause = report.AutoArrange ? m::kUnplacedAutoArrange
                            : count == 1       ? m::kUnplacedOtherCauseOne
                                               : m::kUnplacedOtherCause;
    Append(text, Section(report.Unplaced, m::kUnplacedOne, m::kUnplacedManyTail, cause));
  }
  if (!report.OffScreen.empty()) {
    Append(text,
           Section(report.OffScreen, m::kOffScreenOne, m::kOffScreenManyTail, m::kOffScreenCause));
  }
  if (!report.Pending.empty()) {
    const char16_t* cause = report.Pending.size() == 1 ? m::kPendingCauseOne : m::kPendingCause;
    Append(text, Section(report.Pending, m::kPendingOne, m::kPendingManyTail, cause));
  }
  const bool declined = report.ForgettableCause == ForgetCause::Declined;
  if (report.Forgettable == 1)
    Append(text, declined ? m::kForgettableDeclinedOne : m::kForgettableOne);
  if (report.Forgettable > 1) {
    Append(text, (declined ? m::kForgettableDeclinedManyLead : m::kForgettableManyLead) +
                     Count(report.Forgettable) +
                     (declined ? m::kForgettableDeclinedManyTail : m::kForgettableManyTail));
  }
  return text;
}

}  // namespace icotrace
