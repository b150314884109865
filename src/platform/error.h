// The error that ends the current command or statement. Its text is
// Windows-1250, like every text of the system; the standard error report
// converts it at the edge.
#pragma once
#include <stdexcept>
#include <string>

namespace drum {

class Error : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace drum
