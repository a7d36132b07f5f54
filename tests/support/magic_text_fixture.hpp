#pragma once

#include <string>
#include <utility>
#include <vector>

namespace vantor::testing {

// A magic data file as the writer lays it out: the value lines given by number, every other value
// "0         ; ", and the bump lines given.
std::string magicText(const std::vector<std::pair<int, std::string>>& valueLines,
                      const std::vector<std::string>& bumpLines = {});

} // namespace vantor::testing
