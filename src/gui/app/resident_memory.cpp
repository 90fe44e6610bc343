#include "gui/app/resident_memory.h"

#include <fstream>
#include <sstream>
#include <string>

namespace kw::app {

namespace {

long statusField(const char* name) {
    std::ifstream status("/proc/self/status");
    const std::string wanted = std::string(name) + ":";
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(wanted, 0) == 0) {
            std::istringstream fields(line.substr(wanted.size()));
            long kib = -1;
            fields >> kib;
            return kib;
        }
    }
    return -1;
}

} // namespace

long residentMemoryKib() {
    return statusField("VmRSS");
}

long peakResidentMemoryKib() {
    return statusField("VmHWM");
}

} // namespace kw::app
