#pragma once
// Runs keyweave-simkbd on a fresh folder for a test or benchmark, and takes it
// down again. `available()` is false, with a reason, where FUSE cannot be used.

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#ifndef _WIN32
#include <spawn.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;
#endif

namespace kw::sim {

#ifdef _WIN32
// The FUSE keyboard is a hidraw tree, which only Linux reads.
class SimkbdMount {
public:
    SimkbdMount(const std::filesystem::path&, const std::filesystem::path& folder)
        : folder_(folder) {}
    bool available() const { return false; }
    const std::string& reason() const { return reason_; }
    const std::filesystem::path& root() const { return folder_; }
    bool control(const std::string&) const { return false; }

private:
    std::filesystem::path folder_;
    std::string reason_ = "there is no FUSE hidraw tree on Windows";
};
#else

class SimkbdMount {
public:
    SimkbdMount(const std::filesystem::path& program, const std::filesystem::path& folder)
        : folder_(folder) {
        if (::access("/dev/fuse", R_OK | W_OK) != 0) {
            reason_ = "/dev/fuse cannot be used here";
            return;
        }
        if (!std::filesystem::exists(program)) {
            reason_ = program.string() + " was not built";
            return;
        }
        std::filesystem::create_directories(folder_);
        const std::string p = program.string();
        const std::string mount = folder_.string();
        char* argv[] = {const_cast<char*>(p.c_str()), const_cast<char*>("--mount"),
                        const_cast<char*>(mount.c_str()), nullptr};
        if (::posix_spawn(&pid_, p.c_str(), nullptr, nullptr, argv, environ) != 0) {
            pid_ = -1;
            reason_ = "cannot start " + p;
            return;
        }
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!std::filesystem::exists(folder_ / "control")) {
            int status = 0;
            if (::waitpid(pid_, &status, WNOHANG) == pid_ ||
                std::chrono::steady_clock::now() > end) {
                reason_ = "the FUSE mount did not come up (is /dev/fuse usable?)";
                stop();
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }
    ~SimkbdMount() { stop(); }
    SimkbdMount(const SimkbdMount&) = delete;
    SimkbdMount& operator=(const SimkbdMount&) = delete;

    bool available() const { return reason_.empty(); }
    const std::string& reason() const { return reason_; }
    const std::filesystem::path& root() const { return folder_; }

    // Sends one control line (unplug, plug, event 0x1811, drop 4, ...).
    bool control(const std::string& line) const {
        std::ofstream out(folder_ / "control");
        out << line << '\n';
        out.flush();
        return static_cast<bool>(out);
    }

private:
    void stop() {
        if (pid_ > 0) {
            ::kill(pid_, SIGTERM);
            int status = 0;
            ::waitpid(pid_, &status, 0);
            pid_ = -1;
        }
        ::umount2(folder_.c_str(), MNT_DETACH); // only matters when the program died
    }

    std::filesystem::path folder_;
    pid_t pid_ = -1;
    std::string reason_;
};
#endif

} // namespace kw::sim
