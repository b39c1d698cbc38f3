#pragma once
// Figures of this process that Linux keeps in /proc/self/status.
#include <fstream>
#include <string>

namespace tarvo::bench {

// The value of `field` ("VmRSS:", "VmHWM:", ...) in kB; 0 when not known.
inline long long statusKb(const std::string& field) {
    std::ifstream status("/proc/self/status");
    std::string key;
    long long kb = 0;
    while (status >> key)
        if (key == field && status >> kb)
            return kb;
    return 0;
}

} // namespace tarvo::bench
