// xbtool: the engine's command-line tool for administrators and scripts.
// Exit status: 0 success, 1 a check that fails, 2 an error (message on standard error).
#include "../Error.h"
#include "../Table.h"
#include "Csv.h"
#include "Commands.h"

#include <cstring>
#include <iostream>
#include <string>
#include <vector>

namespace {

const char* kUsage =
    "Użycie:\n"
    "  xbtool info TABLE\n"
    "  xbtool dump TABLE [--deleted]\n"
    "  xbtool create TABLE FIELDLIST\n"
    "  xbtool import TABLE            (CSV na standardowym wejściu)\n"
    "  xbtool check TABLE [FILE.ntx ...]\n"
    "  xbtool index TABLE TAG EXPRESSION [FOR]      (tag indeksu złożonego .cdx)\n"
    "  xbtool index TABLE --ntx FILE EXPRESSION [FOR]\n"
    "  xbtool reindex TABLE [FILE.ntx ...]\n"
    "  xbtool keys TABLE TAG|FILE.ntx               (CSV: klucz, numer rekordu)\n"
    "  xbtool sql DIR STATEMENT [--param NAME=VALUE ...]\n"
    "Każde polecenie przyjmuje --codepage 852|1250, a dla tabel szyfrowanych --password HASŁO.\n";

} // namespace

int main(int argc, char** argv) {
    xbtool::Arguments args;
    std::vector<std::string> positional;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "--codepage" && i + 1 < argc) {
            args.codePage = std::atoi(argv[++i]);
            if (args.codePage != 852 && args.codePage != 1250) {
                std::cerr << "xbtool: strona kodowa musi być 852 albo 1250\n";
                return 2;
            }
        } else if (a.rfind("--codepage=", 0) == 0) {
            args.codePage = std::atoi(a.c_str() + 11);
        } else if (a == "--password" && i + 1 < argc) {
            args.password = argv[++i];
        } else if (a == "--param" && i + 1 < argc) {
            std::string p = argv[++i];
            size_t eq = p.find('=');
            if (eq == std::string::npos || eq == 0) {
                std::cerr << "xbtool: parametr w postaci NAZWA=WARTOŚĆ\n";
                return 2;
            }
            args.params.emplace_back(p.substr(0, eq), p.substr(eq + 1));
        } else if (a == "--deleted") {
            args.deleted = true;
        } else if (a == "--help" || a == "-h") {
            std::cout << kUsage;
            return 0;
        } else {
            positional.push_back(a);
        }
    }
    if (positional.size() < 2) {
        std::cerr << kUsage;
        return 2;
    }
    args.command = positional[0];
    args.table = positional[1];
    args.rest.assign(positional.begin() + 2, positional.end());
    try {
        return xbtool::run(args, std::cin, std::cout, std::cerr);
    } catch (const xb::Error& e) {
        std::cerr << "xbtool: " << e.what() << " [" << e.number() << "]\n";
        return 2;
    } catch (const std::exception& e) {
        std::cerr << "xbtool: " << e.what() << "\n";
        return 2;
    }
}
