#pragma once
// The error every core function throws: its text is what the analyst reads, in the interface's
// language; id() is the Russian template it was made from, the same in every language.

#include <stdexcept>
#include <string>
#include <vector>

#include "base/UserText.h"

namespace zel {

class ZelError : public std::runtime_error {
  public:
    // A text made elsewhere (a driver's, a system call's): it is its own identity.
    explicit ZelError(const std::string& text) : std::runtime_error(text), id_(text) {}
    explicit ZelError(const char* id) : ZelError(UserText(id)) {}
    explicit ZelError(const UserText& text) : std::runtime_error(text), id_(text.id()), args_(text.args()) {}

    const std::string& id() const { return id_; }
    const std::vector<std::string>& args() const { return args_; }

  private:
    std::string id_;
    std::vector<std::string> args_;
};

}  // namespace zel
