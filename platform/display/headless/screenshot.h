// Writing the headless screen, composed, to a PNG file.
#pragma once

#include <string>

#include "platform/display/headless/headless_screen.h"

namespace plat::headless {

bool write_screenshot(const Screen& screen, const std::string& path, std::string* why);

}  // namespace plat::headless
