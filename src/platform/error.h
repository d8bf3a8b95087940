// The library's error: raised by a failing operation (a settings write, a
// file that cannot be read) and shown by the window that catches it in the
// standard error box, with its message text.
#pragma once

#include <stdexcept>
#include <string>

namespace w95 {

class Error : public std::runtime_error {
 public:
  explicit Error(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace w95
