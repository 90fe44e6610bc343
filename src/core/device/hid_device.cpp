#include "core/device/hid_device.h"

#include <algorithm>
#include <map>

namespace kw {

HidDevice::HidDevice(HidBackend& backend) : backend_(backend) {}

HidDevice::~HidDevice() {
    close();
}

bool HidDevice::enumerate() {
    auto found = backend_.enumerate();
    cursor_ = 0;
    if (!found) {
        paths_.clear();
        return false;
    }
    paths_ = std::move(*found);
    return true;
}

const HidInterfaceEntry* HidDevice::nextPath() {
    if (cursor_ >= paths_.size()) {
        return nullptr;
    }
    return &paths_[cursor_++];
}

void HidDevice::clearPaths() {
    paths_.clear();
    cursor_ = 0;
}

bool HidDevice::open(const std::string& path, bool read, bool write, bool overlapped,
                     bool exclusive) {
    close();
    options_ = {read, write, overlapped, exclusive};
    path_ = path;
    HidOpenResult opened = backend_.open(path, options_);
    lastOpenError_ = opened.error;
    if (!opened.connection) {
        if (lastOpenError_ == HidOpenError::None) {
            lastOpenError_ = HidOpenError::Other;
        }
        return false;
    }
    if (!describe(*opened.connection)) {
        lastOpenError_ = HidOpenError::BadDescriptor;
        return false;
    }
    std::lock_guard lock(connectionMutex_);
    connection_ = std::move(opened.connection);
    return true;
}

bool HidDevice::describe(const HidConnection& connection) {
    const TopLevelCollection& tlc = connection.collection();
    attributes_ = connection.attributes();
    caps_ = {};
    caps_.usagePage = tlc.usagePage;
    caps_.usage = tlc.usage;
    caps_.inputReportByteLength = tlc.inputReportLength;
    caps_.outputReportByteLength = tlc.outputReportLength;
    caps_.featureReportByteLength = tlc.featureReportLength;
    fields_ = tlc.inputs;

    // The most usages of one page that can be active at once, over all its buttons.
    std::map<std::uint16_t, std::uint64_t> perPage;
    for (const auto& f : fields_) {
        if (f.isButton()) {
            perPage[f.usagePage] += f.count;
        }
    }
    std::vector<HidDataItem> buttons;
    std::vector<HidDataItem> values;
    std::uint64_t cells = 0;
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        const InputField& f = fields_[i];
        HidDataItem item;
        item.usagePage = f.usagePage;
        item.reportId = f.reportId;
        item.fieldIndex = i;
        if (f.isButton()) {
            item.isButton = true;
            item.usageMin = f.usages.empty() ? 0 : f.usages.front().min;
            item.usageMax = item.usageMin;
            for (const auto& r : f.usages) {
                item.usageMin = std::min(item.usageMin, r.min);
                item.usageMax = std::max(item.usageMax, r.max);
            }
            cells += perPage[f.usagePage];
            if (cells > kMaxUsageListCells) {
                return false;
            }
            item.maxUsageCount = static_cast<std::uint32_t>(perPage[f.usagePage]);
            item.usages.assign(item.maxUsageCount, 0);
            buttons.push_back(std::move(item));
            continue;
        }
        // A value item per usage of a range (one per field), one for a single usage.
        const bool isRange =
            f.usages.size() > 1 || (!f.usages.empty() && f.usages[0].min != f.usages[0].max);
        const std::uint32_t n = isRange ? std::min(f.count, f.usageCount()) : 1;
        for (std::uint32_t k = 0; k < n; ++k) {
            HidDataItem v = item;
            v.usage = f.usageOfField(k);
            v.valueIndex = k;
            values.push_back(std::move(v));
            if (++cells > kMaxUsageListCells) {
                return false;
            }
        }
    }
    caps_.numberInputButtonCaps = static_cast<std::uint16_t>(buttons.size());
    caps_.numberInputValueCaps = static_cast<std::uint16_t>(values.size());
    items_ = std::move(buttons);
    items_.insert(items_.end(), std::make_move_iterator(values.begin()),
                  std::make_move_iterator(values.end()));
    inputBuffer_.assign(caps_.inputReportByteLength, 0);
    return true;
}

bool HidDevice::close() {
    std::shared_ptr<HidConnection> connection;
    {
        std::lock_guard lock(connectionMutex_);
        connection.swap(connection_);
    }
    if (!connection) {
        return false;
    }
    if (readInProgress_ || writeInProgress_) {
        connection->interrupt();
    }
    // A transfer still running holds its own reference; the handle goes with the last one.
    connection.reset();
    inputBuffer_.clear();
    items_.clear();
    fields_.clear();
    return true;
}

bool HidDevice::isOpen() const {
    std::lock_guard lock(connectionMutex_);
    return connection_ != nullptr;
}

bool HidDevice::read(std::span<std::uint8_t> buffer, int timeoutMs, std::size_t& transferred) {
    return transfer(true, buffer, {}, timeoutMs, transferred);
}

bool HidDevice::write(std::span<const std::uint8_t> buffer, int timeoutMs,
                      std::size_t& transferred) {
    return transfer(false, {}, buffer, timeoutMs, transferred);
}

bool HidDevice::transfer(bool isRead, std::span<std::uint8_t> in, std::span<const std::uint8_t> out,
                         int timeoutMs, std::size_t& transferred) {
    transferred = 0;
    std::shared_ptr<HidConnection> connection;
    {
        std::lock_guard lock(connectionMutex_);
        connection = connection_;
    }
    if (!connection) {
        return false;
    }
    std::atomic<bool>& flag = isRead ? readInProgress_ : writeInProgress_;
    flag = true;
    std::size_t count = 0;
    const TransferResult result =
        isRead ? connection->read(in, timeoutMs, count) : connection->write(out, timeoutMs, count);
    flag = false;
    if (result != TransferResult::Done) {
        return false;
    }
    transferred = count;
    return true;
}

void HidDevice::stopTransfers() {
    std::lock_guard lock(connectionMutex_);
    if (connection_) {
        connection_->interrupt();
    }
}

bool HidDevice::exists(const std::string& path) {
    return backend_.exists(path);
}

std::shared_ptr<const HidConnection> HidDevice::connection() const {
    std::lock_guard lock(connectionMutex_);
    return connection_;
}

bool HidDevice::isAlive() const {
    std::lock_guard lock(connectionMutex_);
    return connection_ && connection_->alive();
}

bool HidDevice::unpackInput(std::span<const std::uint8_t> report) {
    std::shared_ptr<HidConnection> connection;
    {
        std::lock_guard lock(connectionMutex_);
        connection = connection_;
    }
    if (!connection || report.empty()) {
        return connection != nullptr;
    }
    const std::uint8_t id = report[0];
    for (auto& item : items_) {
        if (item.reportId != id) {
            continue;
        }
        const InputField& field = fields_[item.fieldIndex];
        if (item.isButton) {
            const bool ok = connection->usagesOf(field, report, item.maxUsageCount, scratch_);
            std::fill(item.usages.begin(), item.usages.end(), 0);
            std::size_t n = 0;
            for (std::uint16_t u : scratch_) {
                if (u >= item.usageMin && u <= item.usageMax && n < item.usages.size()) {
                    item.usages[n++] = u;
                }
            }
            item.status = ok ? kHidpStatusSuccess : kHidpStatusBufferTooSmall;
        } else {
            const auto raw = connection->valueOf(field, item.valueIndex, report);
            if (!raw) {
                item.status = kHidpStatusBufferTooSmall;
                return false;
            }
            item.value = *raw;
            std::int64_t signedRaw = *raw;
            if (field.logicalMin < 0 && field.bitSize < 32 && ((*raw >> (field.bitSize - 1)) & 1)) {
                signedRaw -= std::int64_t{1} << field.bitSize;
            }
            if (field.logicalMin < field.logicalMax && field.physicalMin < field.physicalMax &&
                signedRaw >= field.logicalMin && signedRaw <= field.logicalMax) {
                item.scaledValue = static_cast<std::int32_t>(
                    field.physicalMin + (signedRaw - field.logicalMin) *
                                            (std::int64_t{field.physicalMax} - field.physicalMin) /
                                            (std::int64_t{field.logicalMax} - field.logicalMin));
                item.status = kHidpStatusSuccess;
            } else {
                item.status = kHidpStatusBadLogPhyValues;
            }
        }
        item.isDataSet = true;
    }
    return true;
}

} // namespace kw
