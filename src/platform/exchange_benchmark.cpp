// One command exchange (write a 64-byte report, read the answer) three ways:
// through our transport and the hidraw backend on the FUSE device, as a bare
// write/poll/read loop on the same device node, and through the in-process
// simulated keyboard. The FUSE pair runs in the same process and mount, so
// their ratio is our own overhead.

#include "core/device/commands.h"
#include "core/device/interface_selection.h"
#include "platform/benchmark_fuse_device.h"
#include "platform/linux_hidraw_backend.h"
#include "sim/sim_link.h"
#include "sim/simkbd_mount.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <fcntl.h>
#include <memory>
#include <poll.h>
#include <unistd.h>

namespace kw {
namespace {

using bench::programFolder;

bench::FuseDevice& fuse() {
    return bench::FuseDevice::instance();
}

const CommandPacket kRequest = buildCommandPacket(kCmdReadDeviceInfo, kDeviceInfoBytes, 0);

void BM_SendCommandThroughFuse(benchmark::State& state) {
    auto& f = fuse();
    if (f.interfaceOpen == 0) {
        state.SkipWithError(("no FUSE device: " + f.mount->reason()).c_str());
        return;
    }
    CommandPacket answer{};
    for (auto _ : state) {
        std::size_t n = 0;
        if (f.transport->SendCommand(kRequest, answer, n) != kTransportOk) {
            state.SkipWithError("exchange failed");
            break;
        }
        benchmark::DoNotOptimize(answer);
    }
}
BENCHMARK(BM_SendCommandThroughFuse)->UseRealTime();

void BM_BareLoopThroughFuse(benchmark::State& state) {
    auto& f = fuse();
    if (f.interfaceOpen == 0) {
        state.SkipWithError(("no FUSE device: " + f.mount->reason()).c_str());
        return;
    }
    const int fd = ::open(f.device->path().c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    CommandPacket answer{};
    for (auto _ : state) {
        pollfd p{fd, POLLIN, 0};
        if (::write(fd, kRequest.data(), kRequest.size()) != 64 || ::poll(&p, 1, 300) != 1 ||
            ::read(fd, answer.data(), answer.size()) != 64) {
            state.SkipWithError("bare exchange failed");
            break;
        }
        benchmark::DoNotOptimize(answer);
    }
    ::close(fd);
}
BENCHMARK(BM_BareLoopThroughFuse)->UseRealTime();

void BM_SendCommandInProcess(benchmark::State& state) {
    sim::SimLink link;
    CommandPacket answer{};
    for (auto _ : state) {
        std::size_t n = 0;
        link.transport.SendCommand(kRequest, answer, n);
        benchmark::DoNotOptimize(answer);
    }
}
BENCHMARK(BM_SendCommandInProcess);

} // namespace
} // namespace kw
