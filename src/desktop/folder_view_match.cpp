#include "desktop/folder_view_match.h"

#include <deque>
#include <unordered_map>

#include "desktop/caption_match.h"
#include "desktop/exchange_state.h"

namespace icotrace {

std::vector<std::optional<std::size_t>> MatchEntriesToItems(
    const Layout& layout, const std::vector<std::u16string>& names) {
  // Each caption's items in view order, handed out one per entry.
  std::unordered_map<std::u16string, std::deque<std::size_t>> itemsByCaption;
  for (std::size_t i = 0; i < names.size(); ++i) itemsByCaption[CaptionKey(names[i])].push_back(i);

  std::vector<std::optional<std::size_t>> matches(layout.size());
  for (std::size_t e = 0; e < layout.size(); ++e) {
    const std::u16string& name = layout[e].Name;
    if (name.empty() || name.size() > kLongestName) continue;
    const auto found = itemsByCaption.find(CaptionKey(name));
    if (found == itemsByCaption.end() || found->second.empty()) continue;
    matches[e] = found->second.front();
    found->second.pop_front();
  }
  return matches;
}

}  // namespace icotrace
