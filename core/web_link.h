#pragma once

#include <string_view>

namespace sublumo {

// Only web pages are handed to the system's open action: a shared database may carry a
// record whose link names a local file or a program.
bool isOpenableWebLink(std::string_view link);

}  // namespace sublumo
