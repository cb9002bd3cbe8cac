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
    std::string password;                                    // --password, for encrypted tables
    std::vector<std::pair<std::string, std::string>> params; // --param NAME=VALUE
};

// xbtool sql DIR STATEMENT: a SELECT prints CSV as dump does, UPDATE/DELETE the count.
int sqlCommand(const Arguments& args, std::ostream& out);

// Returns the exit status; throws xb::Error for errors (status 2).
int run(const Arguments& args, std::istream& in, std::ostream& out, std::ostream& err);

} // namespace xbtool
