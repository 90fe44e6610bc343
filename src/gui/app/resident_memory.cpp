#include "gui/app/resident_memory.h"

#include <fstream>
#include <sstream>
#include <string>

namespace kw::app {

long residentMemoryKib() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) {
            std::istringstream fields(line.substr(6));
            long kib = -1;
            fields >> kib;
            return kib;
        }
    }
    return -1;
}

} // namespace kw::app
