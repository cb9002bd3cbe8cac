#pragma once
// The program from start to the end of its message loop. Returns the exit status:
// 0 after the main window closed, 1 when start-up stopped the program.
#include <string>

class QApplication;

namespace ewidor {

struct ProgramOptions {
    std::string exeDir;   // where Konfig or KonfLok are looked for
    std::string version;  // product and file version
    bool firstUsers = false;  // started with TRAWA PLAMA: a missing users file is created
};

int StartProgram(QApplication& app, const ProgramOptions& options);

} // namespace ewidor
