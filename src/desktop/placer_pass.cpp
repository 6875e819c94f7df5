#include "desktop/placer_pass.h"

namespace icotrace {
namespace {

// How long the list view may take to show what the shell's model took
// (Windows 11 shows a place some hundreds of ms after the call), and how
// often it is asked meanwhile.
constexpr std::uint64_t kSettleMs = 1500;
constexpr std::uint32_t kSettlePollMs = 100;

// Where the list view shows those items, asked again a few times while some
// still stand elsewhere than their entry says: the list view may show the
// shell's model late.
void SettledPlaces(const ShellExchange& exchange, const Layout& layout,
                   const std::vector<FoundItem>& found, std::vector<std::size_t> which,
                   std::vector<PointRecord>& places) {
  const std::uint64_t until = exchange.api.GetTickCount64() + kSettleMs;
  while (!which.empty()) {
    const std::vector<PointRecord> seen = PlacesOf(exchange, Subset(found, which));
    std::vector<std::size_t> off;
    for (std::size_t k = 0; k < which.size(); ++k) {
      places[which[k]] = seen[k];
      if (seen[k] != PlaceOf(layout[found[which[k]].entry])) off.push_back(which[k]);
    }
    if (off.empty() || exchange.api.GetTickCount64() >= until) return;
    which = std::move(off);
    exchange.api.Sleep(kSettlePollMs);
  }
}

// Where the items the placer took stand: its own model's word, or the list
// view's once it has settled.
void LandedPlaces(ItemPlacer& placer, const ShellExchange& exchange, const Layout& layout,
                  const std::vector<FoundItem>& found, const std::vector<std::size_t>& which,
                  std::vector<PointRecord>& places) {
  std::vector<std::size_t> entries;
  for (const std::size_t i : which) entries.push_back(found[i].entry);
  const std::vector<std::optional<PointRecord>> kept = placer.PlacesOf(entries);
  std::vector<std::size_t> untold;
  for (std::size_t k = 0; k < which.size(); ++k) {
    if (k < kept.size() && kept[k]) {
      places[which[k]] = *kept[k];
    } else {
      untold.push_back(which[k]);
    }
  }
  SettledPlaces(exchange, layout, found, untold, places);
}

}  // namespace

std::optional<ForgetCause> PlaceThrough(ItemPlacer& placer, const ShellExchange& exchange,
                                        const Layout& layout, std::vector<FoundItem>& found,
                                        std::vector<PointRecord>& places,
                                        std::vector<bool>& taken) {
  std::optional<ForgetCause> over;
  for (int batch = 0; batch < 2 && !over; ++batch) {
    const std::vector<std::size_t> wanted = OutOfPlace(layout, found, places);
    if (wanted.empty()) break;
    std::vector<EntryMove> moves;
    for (const std::size_t i : wanted)
      moves.push_back({found[i].entry, PlaceOf(layout[found[i].entry])});
    const PlacerAnswer answer = placer.Place(moves);
    over = answer.over;
    std::vector<std::size_t> placed;
    for (std::size_t k = 0; k < wanted.size() && k < answer.outcomes.size(); ++k) {
      if (answer.outcomes[k] == PlacingOutcome::Placed) {
        placed.push_back(wanted[k]);
        taken[wanted[k]] = true;
      }
      found[wanted[k]].pending = answer.outcomes[k] == PlacingOutcome::MayStillRun;
    }
    if (!placed.empty()) LandedPlaces(placer, exchange, layout, found, placed, places);
  }
  placer.Finish();
  return over;
}

}  // namespace icotrace
