// The dialog's hidden list view: items with a text and a tag (the position of
// an element in the store), filled by the elements' SetListView members and
// used as a sortable work list by the line optimisation.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace plamor {

struct ListItem {
  std::string Text;
  std::int32_t Tag = 0;  // element position; the item's tag text is its decimal form
  std::string TagText() const { return std::to_string(Tag); }
};

class ListView {
 public:
  std::vector<ListItem> Items;
  bool Visible = true;

  void Add(std::string text, std::int32_t tag) { Items.push_back({std::move(text), tag}); }
  void Clear() { Items.clear(); Items.shrink_to_fit(); }
  // Ascending by text; items with equal texts keep their order.
  void SortByText();
};

}  // namespace plamor
