// The places of a desktop that keeps them in its own model, as Windows 10
// from build 17763 and Windows 11 do: the folder view writes them, the list
// view only shows them, and a refresh shows the model again. Items are known
// by their parsing names, so that a place outlives the item's ID.
#pragma once

#include <windows.h>

#include <cstddef>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace icotrace::demo {

class PlaceModel {
 public:
  // cell: the grid's cell (the icon spacing); area: the view's client size.
  void SetGrid(SIZE cell, SIZE area);
  // The folder's items in view order: a known item keeps its place, a new
  // one takes the first free cell.
  void Sync(const std::vector<std::wstring>& keys);
  std::size_t Count() const { return m_keys.size(); }
  POINT PlaceOf(std::size_t item) const;
  // Puts item at wanted as the view's flags allow: nowhere else with
  // FWF_AUTOARRANGE, on the nearest free cell with FWF_SNAPTOGRID.
  void Place(std::size_t item, POINT wanted);

  DWORD Flags() const { return m_flags; }
  // Turning FWF_AUTOARRANGE on arranges the items at once.
  void SetFlags(DWORD mask, DWORD flags);

  // The places as a text (UTF-8 lines: x, y and the name) and back; Load
  // keeps the places of names the folder does not hold now.
  std::string Save() const;
  void Load(std::string_view text);

 private:
  POINT FreeCellNear(POINT wanted, std::size_t item) const;
  void Arrange();

  std::vector<std::wstring> m_keys;        // in view order
  std::map<std::wstring, POINT> m_places;  // by name, items gone included
  SIZE m_cell{75, 75};
  SIZE m_area{1280, 800};
  DWORD m_flags = 0;
};

}  // namespace icotrace::demo
