#pragma once
// The engine error code a call throws, for tests that expect a refusal.
#include "Error.h"

#include <functional>

namespace testsupport {

// The code of the xb::Error that `call` throws; 0 when it returns normally.
inline xb::ErrorCode errorOf(const std::function<void()>& call) {
    try {
        call();
    } catch (const xb::Error& e) {
        return e.code();
    }
    return xb::ErrorCode{0};
}

} // namespace testsupport
