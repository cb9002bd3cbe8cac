// Ewidor: working-time registration.
//   ewidor                      start, looking for Konfig or KonfLok beside the executable
//   ewidor --config-dir DIR     look for them in DIR instead
//   ewidor --create-demo DIR    build a demo installation in DIR and exit
//   ewidor --version            print the version
//   ewidor TRAWA PLAMA          create a first users file when the site has none
#include "DemoBuilder.h"
#include "StartProgram.h"
#include "UsersStart.h"

#include <QApplication>
#include <QDate>
#include <QMessageBox>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

namespace {

int createDemo(const char* dir) {
    try {
        ewidor::DemoOptions options;
        options.currentYear = QDate::currentDate().year();
        ewidor::DemoBuilder(options).Build(dir);
        std::cout << "Utworzono instalację demonstracyjną w " << std::filesystem::absolute(dir).string() << "\n";
        return 0;
    } catch (const std::exception& e) {
        std::cerr << "Nie utworzono instalacji demonstracyjnej: " << e.what() << "\n";
        return 2;
    }
}

std::string exeDirectory(const char* argv0) {
    std::error_code ec;
    auto exe = std::filesystem::canonical("/proc/self/exe", ec);
    if (ec) exe = std::filesystem::absolute(argv0);
    return exe.parent_path().string() + "/";
}

} // namespace

int main(int argc, char** argv) {
    ewidor::ProgramOptions options;
    options.version = EWIDOR_VERSION;
    options.exeDir = exeDirectory(argv[0]);
    std::vector<std::string> words;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::cout << "Ewidor ver. " << EWIDOR_VERSION << "\n";
            return 0;
        }
        bool hasValue = i + 1 < argc;
        if (std::strcmp(argv[i], "--create-demo") == 0 && hasValue) return createDemo(argv[++i]);
        if (std::strcmp(argv[i], "--config-dir") == 0 && hasValue) {
            options.exeDir = std::filesystem::absolute(argv[++i]).string() + "/";
            continue;
        }
        if (argv[i][0] != '-') {
            words.push_back(argv[i]);
            continue;
        }
        std::cerr << "Nieznany parametr: " << argv[i] << "\n";
        return 2;
    }
    if (!words.empty() && !ewidor::UsersStart::FirstUsersParameters(words)) {
        std::cerr << "Nieznany parametr: " << words.front() << "\n";
        return 2;
    }
    options.firstUsers = !words.empty();
    QApplication app(argc, argv);
    try {
        return ewidor::StartProgram(app, options);
    } catch (const std::exception& e) {
        // The single handler for what no service turned into a message.
        QMessageBox::critical(nullptr, QStringLiteral(" Błąd !"), QString::fromStdString(e.what()));
        return 1;
    }
}
