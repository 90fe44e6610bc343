#pragma once
// The platform boundary of the HID layer. `HidDevice` holds the logic; a
// backend supplies the facts of each interface and bounded transfers:
//   - Linux: hidraw (src/platform/linux_hidraw_backend.*),
//   - the simulated keyboard in-process (src/sim/simulated_hid_backend.*),
//   - Windows: a SetupAPI/HID backend would implement these same two classes,
//     taking ids from the interface path (`idsFromPathText`) and overriding
//     `HidConnection::usagesOf`/`valueOf` with HidP_GetUsages/HidP_GetUsageValue.

#include "core/device/report_descriptor.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace kw {

struct HidAttributes {
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    std::uint16_t versionNumber = 0;
};

// One present interface as enumeration finds it. The ids are what the platform
// tells before opening (the path text on Windows, uevent on Linux).
struct HidInterfaceEntry {
    std::string path;
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
};

struct HidOpenOptions {
    bool read = false;
    bool write = false;
    bool overlapped = true;
    bool exclusive = false;
};

enum class HidOpenError { None, NotFound, AccessDenied, BadDescriptor, Other };

enum class TransferResult { Done, TimedOut, Stopped, Failed };

inline constexpr int kInfiniteTimeout = -1;

// An opened interface. Transfers are bounded by their time-out and end at once
// when `interrupt` is called from another thread. A connection holds its own
// transfer buffers, so a caller that gives up on a transfer can never be
// written into afterwards.
class HidConnection {
public:
    virtual ~HidConnection() = default;

    virtual HidAttributes attributes() const = 0;
    // The top-level collection this interface stands for.
    virtual const TopLevelCollection& collection() const = 0;

    virtual TransferResult write(std::span<const std::uint8_t> report, int timeoutMs,
                                 std::size_t& transferred) = 0;
    virtual TransferResult read(std::span<std::uint8_t> report, int timeoutMs,
                                std::size_t& transferred) = 0;
    // Ends a waiting transfer (the stop event); safe from any thread.
    virtual void interrupt() = 0;
    // False once the device behind this handle has gone, even when a new
    // device now answers at the same path.
    virtual bool alive() const { return true; }

    // Decoding of input reports. The defaults read the field layout of the
    // parsed descriptor; a platform that decodes reports itself overrides them.
    // Active usages of `field` in `report`, at most `maxCount`; false when the
    // report is too short for the field.
    virtual bool usagesOf(const InputField& field, std::span<const std::uint8_t> report,
                          std::size_t maxCount, std::vector<std::uint16_t>& usages) const;
    // Raw value of field `index` of `field`; nullopt when it cannot be read.
    virtual std::optional<std::uint32_t> valueOf(const InputField& field, std::uint32_t index,
                                                 std::span<const std::uint8_t> report) const;
};

// Notice that the set of interfaces changed (one arrived or went) or that the
// device behind an open handle went away, so a watcher need not poll.
class HidChangeWatch {
public:
    virtual ~HidChangeWatch() = default;
    // Waits at most `timeout` for a change, or for the device behind `open`
    // (may be null) to go. True when something changed: look again. False
    // when the time ran out or the watch was stopped.
    virtual bool wait(std::chrono::milliseconds timeout, const HidConnection* open) = 0;
    // Ends the current wait and every later one at once; safe from any thread.
    virtual void stop() = 0;
};

struct HidOpenResult {
    std::unique_ptr<HidConnection> connection;
    HidOpenError error = HidOpenError::None;
};

class HidBackend {
public:
    virtual ~HidBackend() = default;
    // Every HID interface present now, in a stable order; nullopt when the
    // platform could not be asked at all.
    virtual std::optional<std::vector<HidInterfaceEntry>> enumerate() = 0;
    virtual HidOpenResult open(const std::string& path, const HidOpenOptions& options) = 0;
    // True while the interface at `path` exists (an open without access rights).
    virtual bool exists(const std::string& path) = 0;
    // Notice of arrivals and removals; nullptr where the platform gives none
    // and callers must poll.
    virtual std::unique_ptr<HidChangeWatch> watchChanges() { return nullptr; }
};

// Vendor and product id from an interface path of the Windows form: the hex
// digits after the first "vid_" and "pid_" (any case); 0 where a marker is missing.
HidAttributes idsFromPathText(std::string_view path);

} // namespace kw
