// A fault that stops the build: a malformed description or a broken manifest constraint.
#pragma once

#include <stdexcept>
#include <string>

namespace pack {

class PackError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace pack
