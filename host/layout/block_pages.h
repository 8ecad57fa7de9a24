#pragma once
// The pages of a story's blocks as pagination finds them.

#include <cstdint>
#include <unordered_map>
#include <utility>
#include <vector>

namespace host {

/// The pages of a story's blocks: where each starts, and where a block runs onto a later page.
struct BlockPages {
  std::vector<int> first;  // page where each block starts (0: not laid out)
  std::unordered_map<std::size_t, std::vector<std::pair<std::uint32_t, int>>> breaks;  // block -> (offset, page)

  /// The page of the character at offset of a block.
  int at(std::size_t block, long offset) const {
    int p = first[block];
    if (auto it = breaks.find(block); it != breaks.end())
      for (auto [o, pg] : it->second)
        if (static_cast<long>(o) <= offset) p = pg;
    return p;
  }
  /// Forgets every page and makes room for n blocks.
  void reset(std::size_t n) {
    first.assign(n, 0);
    breaks.clear();
  }
};

}  // namespace host
