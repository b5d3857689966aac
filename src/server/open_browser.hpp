#pragma once
// Opens the engineer's browser on a page: the system's handler of web addresses (ShellExecute on
// Windows, xdg-open elsewhere), without waiting for it and without a shell.

#include <string>

#include "core/messages.hpp"

namespace lwall {

// Empty when the browser was asked to open `url`, else why not.
Message open_browser(const std::string& url);

}  // namespace lwall
