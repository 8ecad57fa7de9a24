#include "util/quick_sort.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace util {

// UTF-8 bytes compare like code points. Code points and UTF-16 code units disagree only
// between U+E000..U+FFFF (lead bytes EE, EF) and the supplementary planes (lead bytes
// F0..F4, surrogates D800..DFFF in UTF-16): there the byte order is reversed. Strings
// agree up to the first differing byte, so that byte starts or continues the same kind of
// character in both unless both are lead bytes.
bool OrdinalLess(std::string_view a, std::string_view b) {
  const auto [ia, ib] = std::mismatch(a.begin(), a.end(), b.begin(), b.end());
  if (ib == b.end()) return false;
  if (ia == a.end()) return true;
  const auto x = static_cast<unsigned char>(*ia);
  const auto y = static_cast<unsigned char>(*ib);
  const auto highBmp = [](unsigned char c) { return c == 0xEE || c == 0xEF; };
  const auto supplementary = [](unsigned char c) { return c >= 0xF0; };
  if ((highBmp(x) && supplementary(y)) || (supplementary(x) && highBmp(y))) return x > y;
  return x < y;
}

int PivotIndex(int low, int high) {
  const long long sum = static_cast<long long>(low) + high;
  const long long half = sum / 2;
  return static_cast<int>(sum % 2 == 0 || half % 2 == 0 ? half : half + 1);  // x.5: the even neighbour
}

namespace {

void Sort(std::vector<std::string>& array, int low, int high) {
  const std::string pivot = array[static_cast<std::size_t>(PivotIndex(low, high))];
  int i = low;
  int j = high;
  auto at = [&](int index) -> std::string& { return array[static_cast<std::size_t>(index)]; };
  while (i <= j) {
    while (OrdinalLess(at(i), pivot) && i < high) ++i;
    while (OrdinalLess(pivot, at(j)) && j > low) --j;
    if (i <= j) {
      std::swap(at(i), at(j));
      ++i;
      --j;
    }
  }
  if (low < j) Sort(array, low, j);
  if (i < high) Sort(array, i, high);
}

}  // namespace

void QuickSort(std::vector<std::string>& array, int low, int high) {
  if (low > high) return;
  if (low < 0 || static_cast<std::size_t>(high) >= array.size())
    throw std::out_of_range("sort bounds " + std::to_string(low) + " to " + std::to_string(high) +
                            " lie outside an array of " + std::to_string(array.size()) + " elements");
  Sort(array, low, high);
}

}  // namespace util
