#pragma once
#include <string>

namespace vlk {

// The program directory with a trailing '/': VLKCHAT_HOME when set, else the executable's folder.
std::string AppPath();

} // namespace vlk
