#pragma once
// The error every core function throws: its text is what the analyst reads.

#include <stdexcept>
#include <string>

namespace zel {

class ZelError : public std::runtime_error {
  public:
    explicit ZelError(const std::string& userText) : std::runtime_error(userText) {}
};

}  // namespace zel
