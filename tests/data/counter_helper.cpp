// Takes counter numbers from another process: counter_helper YEARDIR FIELD COUNT GOFILE.
// Waits until GOFILE exists so that all helpers start together, then prints one line
// per attempt: "OK <number>" or "REFUSED <error number>".
#include "Error.h"
#include "TDane.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>

int main(int argc, char** argv) {
    if (argc != 5) return 2;
    while (!std::filesystem::exists(argv[4])) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    ewidor::TDane data;
    data.PointToYear(argv[1]);
    int count = std::stoi(argv[3]);
    for (int i = 0; i < count; ++i) {
        try {
            std::printf("OK %d\n", data.NextCounter(argv[2]));
        } catch (const xb::Error& e) {
            std::printf("REFUSED %d\n", e.number());
        }
    }
    return 0;
}
