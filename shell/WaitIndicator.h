#pragma once
// The wait box as services see it: a text, a progress maximum, steps, close.
#include <string>

namespace ewidor {

class WaitIndicator {
public:
    virtual ~WaitIndicator() = default;
    virtual void SetText(const std::string& text) = 0;
    virtual void SetMaximum(int maximum) = 0;
    virtual void Step(int by = 1) = 0;
    virtual void Show() = 0;
    virtual void Close() = 0;
};

} // namespace ewidor
