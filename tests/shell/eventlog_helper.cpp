// Appends events to the log of a data root, as one workstation does:
//   eventlog_helper DATAROOT COUNT TAG
// writes COUNT sign-in events with the user texts TAG-1 ... TAG-COUNT.
#include "EventLog.h"

#include <cstdlib>
#include <exception>
#include <iostream>
#include <string>

int main(int argc, char** argv) {
    if (argc != 4) return 2;
    ewidor::EventLog log(argv[1]);
    int count = std::atoi(argv[2]);
    try {
        for (int i = 1; i <= count; ++i)
            log.WriteEvent(std::string(argv[3]) + "-" + std::to_string(i),
                           ewidor::EventKind::SignIn,
                           {std::chrono::year{2026} / std::chrono::December / 11, 9, i % 60});
    } catch (const std::exception& e) {
        std::cerr << e.what() << "\n";
        return 1;
    }
    return 0;
}
