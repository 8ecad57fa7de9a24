#pragma once
// The in-place string sort that orders term arrays: a recursive quicksort with a Hoare
// partition, comparing strings ordinally (UTF-16 code unit by code unit, so capitals
// sort before small letters).

#include <string>
#include <string_view>
#include <vector>

namespace util {

/// Sorts the elements low to high (inclusive) ascending, in place. An empty range
/// (low > high) returns at once; bounds outside the array throw std::out_of_range.
void QuickSort(std::vector<std::string>& array, int low, int high);

/// Ordinal order of UTF-8 strings, as their UTF-16 code units compare.
bool OrdinalLess(std::string_view a, std::string_view b);

/// The pivot index of a range with non-negative bounds: (low + high) / 2 rounded to the nearest integer, halves
/// to the even neighbour (0 and 1 give 0; 1 and 2 give 2).
int PivotIndex(int low, int high);

}  // namespace util
