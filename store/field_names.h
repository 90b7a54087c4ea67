#pragma once
// Field names: compared without regard to letter case (in the 8-bit code page), and lists of
// names separated by ";".

#include <string>
#include <string_view>
#include <vector>

namespace velmora::store {

bool SameFieldName(std::string_view a, std::string_view b);

// "numitem;nuitem" -> {"numitem", "nuitem"}; blanks around a name are dropped, empty names
// skipped.
std::vector<std::string> SplitFieldList(std::string_view list);

// Fills the first "%s" or "%d" of pattern with each argument in turn.
std::string FillMessage(std::string_view pattern, const std::vector<std::string>& arguments);

}  // namespace velmora::store
