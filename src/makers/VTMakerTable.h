#pragma once

#include <array>
#include <string_view>

// Registers the maker of every contraption kind with the factory, once, in the table's fixed
// order: the order of the factory's maker list and of the items within each "New" menu
// category. Later calls do nothing. Plug-in makers register after these, when the plug-in
// folders are scanned.
void registerAllMakers();

// The "New" menu's categories in the order it shows them; a maker with an empty category sits
// directly in the menu.
inline constexpr std::array<std::string_view, 7> kMakerCategoryOrder = {
    "Input / Output", "Signal Generators", "Effects", "Filters", "Mixers", "Busses", "VST Plugins",
};
