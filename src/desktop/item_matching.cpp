#include "desktop/item_matching.h"

#include <deque>
#include <unordered_map>

#include "desktop/exchange_state.h"

namespace icotrace {

std::vector<std::optional<std::size_t>> MatchEntriesToItems(
    WinApi& api, const Layout& layout, const std::vector<std::u16string>& names) {
  // Each caption's items in order, handed out one per entry.
  std::unordered_map<std::string, std::deque<std::size_t>> itemsByCaption;
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (!names[i].empty()) itemsByCaption[api.LCMapStringW(names[i])].push_back(i);
  }
  std::vector<std::optional<std::size_t>> matches(layout.size());
  for (std::size_t e = 0; e < layout.size(); ++e) {
    const std::u16string& name = layout[e].Name;
    if (name.empty() || name.size() > kLongestName) continue;
    const auto found = itemsByCaption.find(api.LCMapStringW(name));
    if (found == itemsByCaption.end() || found->second.empty()) continue;
    matches[e] = found->second.front();
    found->second.pop_front();
  }
  return matches;
}

}  // namespace icotrace
