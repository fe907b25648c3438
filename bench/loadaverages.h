#pragma once

#include <fstream>
#include <string>

// The load averages as uptime shows them, printed beside every figure a benchmark gives.
inline std::string loadAverages()
{
    std::ifstream in("/proc/loadavg");
    std::string one, five, fifteen;
    in >> one >> five >> fifteen;
    return one + ", " + five + ", " + fifteen;
}
