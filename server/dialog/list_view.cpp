#include "server/dialog/list_view.h"

#include <algorithm>
#include <string_view>
#include <unordered_map>

namespace plamor {

// Work lists hold many items under few distinct texts (every piece of a line
// shares its record). So the distinct texts are sorted once, and the items
// are distributed by the rank of their text in one stable pass: the order of
// a stable sort by text, without comparing texts item by item.
void ListView::SortByText() {
  std::unordered_map<std::string_view, std::size_t> rankOf;
  std::vector<std::string_view> texts;
  for (const ListItem& item : Items) {
    if (rankOf.emplace(item.Text, 0).second) texts.push_back(item.Text);
  }
  std::sort(texts.begin(), texts.end());
  std::vector<std::size_t> start(texts.size() + 1, 0);
  for (std::size_t r = 0; r < texts.size(); ++r) rankOf[texts[r]] = r;
  std::vector<std::size_t> rank(Items.size());
  for (std::size_t i = 0; i < Items.size(); ++i) {
    rank[i] = rankOf[Items[i].Text];
    ++start[rank[i] + 1];
  }
  for (std::size_t r = 1; r < start.size(); ++r) start[r] += start[r - 1];
  std::vector<ListItem> sorted(Items.size());
  for (std::size_t i = 0; i < Items.size(); ++i) sorted[start[rank[i]]++] = std::move(Items[i]);
  Items = std::move(sorted);
}

}  // namespace plamor
