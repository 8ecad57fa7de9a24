#include "host/parse/numerals.h"

#include <utility>

namespace host {

std::string romanNumeral(int n, bool upper) {
  if (n < 1 || n > 3999) return std::to_string(n);
  static const std::pair<int, const char*> kParts[] = {{1000, "m"}, {900, "cm"}, {500, "d"}, {400, "cd"}, {100, "c"},
                                                       {90, "xc"},  {50, "l"},   {40, "xl"}, {10, "x"},   {9, "ix"},
                                                       {5, "v"},    {4, "iv"},   {1, "i"}};
  std::string out;
  for (auto [value, letters] : kParts)
    for (; n >= value; n -= value) out += letters;
  if (upper)
    for (char& c : out) c = static_cast<char>(c - 'a' + 'A');
  return out;
}

}  // namespace host
