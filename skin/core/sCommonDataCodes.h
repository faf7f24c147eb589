#pragma once
// The skin section a control kind (its COC code) paints with when it names none: edit types
// "EDIT", combo boxes "COMBOBOX", check and radio boxes, panels, tool bars, buttons and the rest;
// an empty view for any other code, which then takes its owner's class name.
#include <string_view>

namespace skin {

std::string_view DefaultSectionOfCOC(int coc);

}  // namespace skin
