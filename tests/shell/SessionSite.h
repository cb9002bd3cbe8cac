#pragma once
// A small site for the session tests: a data root with categories, groups and the
// staff of group 7, the year 2026 with cost centres, departments, orders, MAPA and
// package headers, and a session pointed at it. The staff are made so that each
// employee fails exactly one test of the staff check (see SessionSite.cpp).
#include "ScriptedPrompter.h"
#include "Session.h"
#include "TDane.h"
#include "WaitIndicator.h"

#include "../data/Fixture.h"

#include <string>
#include <vector>

namespace sessiontest {

// The wait box of the tests: records what it was told.
class RecordingWait : public ewidor::WaitIndicator {
public:
    void SetText(const std::string& text) override { texts.push_back(text); }
    void SetMaximum(int m) override { maximum = m; }
    void Step(int by) override { steps += by; }
    void Show() override { shown = true; }
    void Close() override { shown = false; }

    std::vector<std::string> texts;
    int maximum = 0, steps = 0;
    bool shown = false;
};

class SessionSite {
public:
    SessionSite();
    ewidor::test::Fixture fx;
    std::string year;
    ewidor::Session session;
    ewidor::TDane data;
    ewidor::ScriptedPrompter prompter;
    RecordingWait wait;
};

} // namespace sessiontest
