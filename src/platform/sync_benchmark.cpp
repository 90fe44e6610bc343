// A full refresh (three key tables and the macro area read, the file written
// and loaded) and a one-profile apply (file saved, macro area and one key
// table written), through the in-process simulated keyboard and through the
// FUSE hidraw device with the Linux backend. Each run reports the command
// reports written per operation.

#include "core/base/settings_store.h"
#include "core/device/commands.h"
#include "core/device/interface_selection.h"
#include "core/sync/apply_pipeline.h"
#include "core/sync/keyboard_refresh.h"
#include "platform/benchmark_fuse_device.h"
#include "platform/linux_hidraw_backend.h"
#include "sim/sim_link.h"
#include "sim/simkbd_mount.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <memory>

namespace kw {
namespace {

using bench::programFolder;

class QuietPrompter : public Prompter {
public:
    bool askYesNo(const std::string&) override { return false; }
    void showMessage(const std::string&) override {}
};

// The images and files of one connected keyboard, with ten macros to carry.
struct Session {
    explicit Session(Transport& transport)
        : folder(std::filesystem::temp_directory_path() /
                 ("keyweave-sync-bench-" + std::to_string(::getpid()) + "-" +
                  std::to_string(counter++))),
          settings(folder / "settings.ini"),
          language(programFolder(), settings), context{transport,       keyboard, config,   device,
                                                       modified,        prompter, language, folder,
                                                       programFolder(), {}} {
        std::filesystem::create_directories(folder);
        keyboard.currentProfile = 0;
        keyboard.macroCapacity = 4096;
        std::array<std::uint8_t, kKeyMatrixSize> factory{};
        KeyMatrix matrix{};
        if (ReadDefaultMatrix(transport, factory) == kCommandOk &&
            keyMatrixFromBytes(factory, matrix)) {
            keyboard.defaultMatrix.replace(matrix);
        }
        transport.setObserver([this](ReportDirection d, std::span<const std::uint8_t>) {
            (d == ReportDirection::Written ? reports : answers) += 1;
        });
        RefreshFromKeyboard(context);
        // The same ten macros whatever an earlier run left on the keyboard.
        std::lock_guard guard(config.lock);
        config.macros.clear();
        for (std::uint16_t id = 1; id <= 10; ++id) {
            MacroRecord m;
            m.setName(u"macro");
            m.macroId = id;
            m.actionCount = 20;
            config.macros.push_back(m);
        }
    }
    ~Session() {
        context.transport.setObserver({});
        std::filesystem::remove_all(folder);
    }

    static inline int counter = 0;
    std::filesystem::path folder;
    SettingsStore settings;
    Language language;
    KeyboardState keyboard;
    ConfigImage config;
    DeviceImage device;
    ModifiedFlag modified;
    QuietPrompter prompter;
    SyncContext context;
    long reports = 0; // written, retries included
    long answers = 0;
};

bench::FuseDevice& fuse() {
    return bench::FuseDevice::instance();
}

void report(benchmark::State& state, const Session& s) {
    state.counters["reports"] =
        benchmark::Counter(static_cast<double>(s.reports), benchmark::Counter::kAvgIterations);
    state.counters["answers"] =
        benchmark::Counter(static_cast<double>(s.answers), benchmark::Counter::kAvgIterations);
}

void refresh(benchmark::State& state, Transport& transport) {
    Session s(transport);
    s.reports = 0;
    s.answers = 0;
    for (auto _ : state) {
        bool fromKeyboard = false;
        RefreshFromKeyboard(s.context, &fromKeyboard);
        if (!fromKeyboard) {
            state.SkipWithError("the keyboard was not read");
            break;
        }
    }
    report(state, s);
}

void applyOneProfile(benchmark::State& state, Transport& transport) {
    Session s(transport);
    s.reports = 0;
    s.answers = 0;
    for (auto _ : state) {
        s.modified.set();
        if (ApplyConfiguration(s.context, nullptr) != 1) {
            state.SkipWithError("the apply failed");
            break;
        }
    }
    report(state, s);
}

void BM_RefreshInProcess(benchmark::State& state) {
    sim::SimLink link;
    refresh(state, link.transport);
}
BENCHMARK(BM_RefreshInProcess)->UseRealTime()->Unit(benchmark::kMillisecond);

void BM_ApplyOneProfileInProcess(benchmark::State& state) {
    sim::SimLink link;
    applyOneProfile(state, link.transport);
}
BENCHMARK(BM_ApplyOneProfileInProcess)->UseRealTime()->Unit(benchmark::kMillisecond);

void BM_RefreshThroughFuse(benchmark::State& state) {
    if (fuse().interfaceOpen == 0) {
        state.SkipWithError(("no FUSE device: " + fuse().mount->reason()).c_str());
        return;
    }
    refresh(state, *fuse().transport);
}
BENCHMARK(BM_RefreshThroughFuse)->UseRealTime()->Unit(benchmark::kMillisecond);

void BM_ApplyOneProfileThroughFuse(benchmark::State& state) {
    if (fuse().interfaceOpen == 0) {
        state.SkipWithError(("no FUSE device: " + fuse().mount->reason()).c_str());
        return;
    }
    applyOneProfile(state, *fuse().transport);
}
BENCHMARK(BM_ApplyOneProfileThroughFuse)->UseRealTime()->Unit(benchmark::kMillisecond);

} // namespace
} // namespace kw
