// Fatal errors as exceptions, so a test can see the message a call raised.
#pragma once

#include <stdexcept>
#include <string>

#include "frame/ErrorReport.h"

struct FatalError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Makes every fatal error throw FatalError and show no box, for the lifetime
// of the object.
class ThrowingFatalErrors {
  public:
    ThrowingFatalErrors() {
        FatalErrorHook = [](const std::string& message) { throw FatalError(message); };
        FatalErrorShowsBox = false;
    }
    ~ThrowingFatalErrors() {
        FatalErrorHook = nullptr;
        FatalErrorShowsBox = true;
    }
    ThrowingFatalErrors(const ThrowingFatalErrors&) = delete;
    ThrowingFatalErrors& operator=(const ThrowingFatalErrors&) = delete;
};

// The message of the fatal error the call raises, "" when it raises none.
template <typename Call>
std::string FatalMessageOf(Call&& call) {
    try {
        call();
    } catch (const FatalError& error) {
        return error.what();
    }
    return std::string();
}
