#pragma once

#include <set>
#include <tuple>

// Roster cells picked out on a grid, as (group, slot, day).
using MarkedCells = std::set<std::tuple<int, int, int>>;
