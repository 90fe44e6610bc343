#define FUSE_USE_VERSION 31
#include "sim/fuse_hidraw_tree.h"

#include "sim/control_command.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <fuse.h>
#include <fuse_lowlevel.h>
#include <iostream>
#include <map>
#include <mutex>
#include <optional>
#include <poll.h>
#include <string>

namespace kw::sim {

namespace {

constexpr const char* kUevent = "DRIVER=hid-generic\n"
                                "HID_ID=0003:00000C45:00005004\n"
                                "HID_NAME=Keyweave simulated keyboard\n"
                                "HID_PHYS=usb-keyweave-sim/input%d\n"
                                "HID_UNIQ=\n"
                                "MODALIAS=hid:b0003g0001v00000C45p00005004\n";

enum class NodeKind { Dir, Uevent, Descriptor, Device, Control };

struct Node {
    NodeKind kind = NodeKind::Dir;
    int interface = -1;
};

struct Handle {
    SimInterface interface;
    std::uint64_t generation;
    bool nonBlocking;
};

struct Tree {
    SimulatedKeyboard& keyboard;
    std::mutex pollMutex;
    std::vector<fuse_pollhandle*> pollers;
    fuse_session* session = nullptr;

    explicit Tree(SimulatedKeyboard& k) : keyboard(k) {}

    void wakePollers() {
        std::vector<fuse_pollhandle*> waiting;
        {
            std::lock_guard lock(pollMutex);
            waiting.swap(pollers);
        }
        for (auto* ph : waiting) {
            fuse_notify_poll(ph);
            fuse_pollhandle_destroy(ph);
        }
    }
};

Tree& tree() {
    return *static_cast<Tree*>(fuse_get_context()->private_data);
}

std::string uevent(int interface) {
    char buffer[512];
    std::snprintf(buffer, sizeof buffer, kUevent, interface);
    return buffer;
}

// Which node a path names, given the plug state (nodes vanish on unplug).
std::optional<Node> lookup(std::string_view path, bool plugged) {
    static const char* const dirs[] = {"/", "/sys", "/sys/class", "/sys/class/hidraw", "/dev"};
    for (const char* d : dirs) {
        if (path == d) {
            return Node{};
        }
    }
    if (path == std::string("/") + kControlFileName) {
        return Node{NodeKind::Control};
    }
    if (!plugged) {
        return std::nullopt;
    }
    for (int i = 0; i < kSimInterfaceCount; ++i) {
        const std::string name = "hidraw" + std::to_string(i);
        const std::string sys = "/sys/class/hidraw/" + name;
        if (path == sys || path == sys + "/device") {
            return Node{NodeKind::Dir, i};
        }
        if (path == sys + "/device/uevent") {
            return Node{NodeKind::Uevent, i};
        }
        if (path == sys + "/device/report_descriptor") {
            return Node{NodeKind::Descriptor, i};
        }
        if (path == "/dev/" + name) {
            return Node{NodeKind::Device, i};
        }
    }
    return std::nullopt;
}

std::string contentOf(const Node& node) {
    if (node.kind == NodeKind::Uevent) {
        return uevent(node.interface);
    }
    const auto d = descriptorOf(static_cast<SimInterface>(node.interface));
    return {d.begin(), d.end()};
}

void* treeInit(fuse_conn_info*, fuse_config* config) {
    // Nothing may be cached: nodes come and go with the plug.
    config->entry_timeout = 0;
    config->attr_timeout = 0;
    config->negative_timeout = 0;
    config->direct_io = 1;
    return fuse_get_context()->private_data;
}

int treeGetattr(const char* path, struct stat* st, fuse_file_info*) {
    const auto node = lookup(path, tree().keyboard.plugged());
    if (!node) {
        return -ENOENT;
    }
    std::memset(st, 0, sizeof *st);
    st->st_nlink = 1;
    switch (node->kind) {
    case NodeKind::Dir:
        st->st_mode = S_IFDIR | 0755;
        st->st_nlink = 2;
        break;
    case NodeKind::Uevent:
    case NodeKind::Descriptor:
        st->st_mode = S_IFREG | 0444;
        st->st_size = static_cast<off_t>(contentOf(*node).size());
        break;
    case NodeKind::Device:
        st->st_mode = S_IFREG | 0660;
        break;
    case NodeKind::Control:
        st->st_mode = S_IFREG | 0200;
        break;
    }
    return 0;
}

int treeReaddir(const char* path, void* buffer, fuse_fill_dir_t fill, off_t, fuse_file_info*,
                fuse_readdir_flags) {
    const bool plugged = tree().keyboard.plugged();
    const std::string p = path;
    std::vector<std::string> names;
    if (p == "/") {
        names = {"sys", "dev", kControlFileName};
    } else if (p == "/sys") {
        names = {"class"};
    } else if (p == "/sys/class") {
        names = {"hidraw"};
    } else if (p == "/sys/class/hidraw" || p == "/dev") {
        for (int i = 0; plugged && i < kSimInterfaceCount; ++i) {
            names.push_back("hidraw" + std::to_string(i));
        }
    } else if (p.starts_with("/sys/class/hidraw/") && lookup(p, plugged)) {
        names = p.ends_with("/device") ? std::vector<std::string>{"uevent", "report_descriptor"}
                                       : std::vector<std::string>{"device"};
    } else {
        return -ENOENT;
    }
    fill(buffer, ".", nullptr, 0, static_cast<fuse_fill_dir_flags>(0));
    fill(buffer, "..", nullptr, 0, static_cast<fuse_fill_dir_flags>(0));
    for (const auto& n : names) {
        fill(buffer, n.c_str(), nullptr, 0, static_cast<fuse_fill_dir_flags>(0));
    }
    return 0;
}

int treeOpen(const char* path, fuse_file_info* fi) {
    auto& t = tree();
    const auto node = lookup(path, t.keyboard.plugged());
    if (!node) {
        return -ENOENT;
    }
    fi->direct_io = 1;
    fi->fh = 0;
    if (node->kind == NodeKind::Device) {
        if (t.keyboard.accessDenied()) {
            return -EACCES;
        }
        fi->nonseekable = 1;
        fi->fh = reinterpret_cast<std::uint64_t>(
            new Handle{static_cast<SimInterface>(node->interface), t.keyboard.generation(),
                       (fi->flags & O_NONBLOCK) != 0});
    }
    return 0;
}

int treeRelease(const char*, fuse_file_info* fi) {
    delete reinterpret_cast<Handle*>(fi->fh);
    return 0;
}

int treeRead(const char* path, char* buffer, size_t size, off_t offset, fuse_file_info* fi) {
    auto& t = tree();
    if (auto* h = reinterpret_cast<Handle*>(fi->fh)) {
        if (h->nonBlocking && !t.keyboard.readReady(h->interface, h->generation)) {
            return -EAGAIN;
        }
        const std::atomic<bool> never{false};
        auto out = std::span(reinterpret_cast<std::uint8_t*>(buffer), size);
        // A blocking read waits for the keyboard in slices, so that an
        // interrupted request or an unmount is noticed.
        for (;;) {
            std::size_t n = 0;
            switch (t.keyboard.hostRead(h->interface, h->generation, out, 200, n, never)) {
            case SimRead::Done:
                return static_cast<int>(n);
            case SimRead::Gone:
                return -EIO;
            case SimRead::Interrupted:
                return -EINTR;
            case SimRead::TimedOut:
                break;
            }
            if (fuse_interrupted() || fuse_session_exited(t.session)) {
                return -EINTR;
            }
        }
    }
    const auto node = lookup(path, t.keyboard.plugged());
    if (!node) {
        return -ENOENT;
    }
    const std::string content = contentOf(*node);
    if (offset >= static_cast<off_t>(content.size())) {
        return 0;
    }
    const std::size_t n = std::min(size, content.size() - static_cast<std::size_t>(offset));
    std::memcpy(buffer, content.data() + offset, n);
    return static_cast<int>(n);
}

int treeWrite(const char* path, const char* buffer, size_t size, off_t, fuse_file_info* fi) {
    auto& t = tree();
    if (auto* h = reinterpret_cast<Handle*>(fi->fh)) {
        const auto report = std::span(reinterpret_cast<const std::uint8_t*>(buffer), size);
        return t.keyboard.hostWrite(h->interface, h->generation, report) ? static_cast<int>(size)
                                                                         : -EIO;
    }
    if (std::string_view(path) != std::string("/") + kControlFileName) {
        return -EACCES;
    }
    std::string_view text(buffer, size);
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        std::string error;
        if (!applyControlLine(t.keyboard, text.substr(0, end), error)) {
            std::cerr << "keyweave-simkbd: " << error << '\n';
            return -EINVAL;
        }
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    return static_cast<int>(size);
}

int treeTruncate(const char*, off_t, fuse_file_info*) {
    return 0;
}

int treePoll(const char*, fuse_file_info* fi, fuse_pollhandle* ph, unsigned* reventsp) {
    auto& t = tree();
    auto* h = reinterpret_cast<Handle*>(fi->fh);
    if (h == nullptr) {
        if (ph) {
            fuse_pollhandle_destroy(ph);
        }
        *reventsp = POLLIN | POLLOUT;
        return 0;
    }
    if (ph) {
        // Registered before looking, so a report that arrives in between still wakes it.
        std::lock_guard lock(t.pollMutex);
        t.pollers.push_back(ph);
    }
    const bool alive = t.keyboard.plugged() && t.keyboard.generation() == h->generation;
    unsigned revents = 0;
    if (!alive) {
        revents = POLLERR | POLLHUP;
    } else {
        revents = POLLOUT | POLLWRNORM;
        if (t.keyboard.readReady(h->interface, h->generation)) {
            revents |= POLLIN | POLLRDNORM;
        }
    }
    *reventsp = revents;
    return 0;
}

} // namespace

int serveFuseHidrawTree(SimulatedKeyboard& keyboard, const std::filesystem::path& mountPoint) {
    fuse_operations ops{};
    ops.init = treeInit;
    ops.getattr = treeGetattr;
    ops.readdir = treeReaddir;
    ops.open = treeOpen;
    ops.release = treeRelease;
    ops.read = treeRead;
    ops.write = treeWrite;
    ops.truncate = treeTruncate;
    ops.poll = treePoll;

    Tree state(keyboard);
    keyboard.setReadyListener([&state] { state.wakePollers(); });

    char program[] = "keyweave-simkbd";
    char* argv[] = {program, nullptr};
    fuse_args args = FUSE_ARGS_INIT(1, argv);
    fuse* f = fuse_new(&args, &ops, sizeof ops, &state);
    if (f == nullptr) {
        keyboard.setReadyListener(nullptr);
        fuse_opt_free_args(&args);
        return 1;
    }
    int result = 1;
    if (fuse_mount(f, mountPoint.c_str()) == 0) {
        state.session = fuse_get_session(f);
        if (fuse_set_signal_handlers(state.session) == 0) {
            // A positive result is the signal that ended the loop: a clean end.
            result = fuse_loop_mt(f, 0) >= 0 ? 0 : 1;
            fuse_remove_signal_handlers(state.session);
        }
        fuse_unmount(f);
    }
    keyboard.setReadyListener(nullptr);
    state.wakePollers();
    fuse_destroy(f);
    fuse_opt_free_args(&args); // fuse_new may have added arguments of its own
    return result;
}

} // namespace kw::sim
