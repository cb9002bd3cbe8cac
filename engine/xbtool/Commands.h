#pragma once
// The commands of xbtool, callable without a process for tests.
#include <iosfwd>
#include <string>
#include <vector>

namespace xbtool {

struct Arguments {
    std::string command;
    std::string table;
    std::vector<std::string> rest;
    int codePage = 0;
    bool deleted = false;
};

// Returns the exit status; throws xb::Error for errors (status 2).
int run(const Arguments& args, std::istream& in, std::ostream& out, std::ostream& err);

} // namespace xbtool
