#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"

namespace tagsmit {

// Natural order of two names (negative, 0, positive): runs of the digits 0
// to 9 compare by their value, so img2 comes before img10, and at an equal
// value fewer leading zeros come first (img7, img07), unless the rest of the
// names already differs; a path separator comes before every other
// character, so a path compares folder by folder and then by file name.
// Every other byte compares by its value: UTF-8 text in the order of its
// code points. Letter case counts as written: callers fold it first.
int CompareNatural(std::string_view a, std::string_view b, PathStyle style);

// Sorts file names as given on the command line into natural order of their
// whole paths, letter case folded by `lower_case` (the platform's mapping);
// names equal apart from case keep a fixed order, by their bytes.
void SortByName(std::vector<std::string>& names, PathStyle style,
                const std::function<std::string(const std::string&)>& lower_case);

}  // namespace tagsmit
