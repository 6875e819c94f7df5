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

}  // namespace

std::u16string UnplacedIconsMessage(const ApplyReport& report) {
  namespace m = messages;
  const std::size_t count = report.Unplaced.size();
  if (count == 0) return {};
  std::u16string text = count == 1
                            ? std::u16string(m::kUnplacedOne)
                            : DecimalText(static_cast<long long>(count)) + m::kUnplacedManyTail;
  for (std::size_t i = 0; i < count && i < kNamesShown; ++i) {
    text += u"\n" + Shown(report.Unplaced[i]);
  }
  if (count > kNamesShown) {
    text += u"\n" +
            (m::kUnplacedMoreLead + DecimalText(static_cast<long long>(count - kNamesShown))) +
            m::kUnplacedMoreTail;
  }
  return text + u"\n\n" + (report.AutoArrange ? m::kUnplacedAutoArrange : m::kUnplacedOtherCause);
}

}  // namespace icotrace
