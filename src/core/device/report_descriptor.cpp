#include "core/device/report_descriptor.h"

#include <algorithm>
#include <array>

namespace kw {

std::uint32_t InputField::usageCount() const {
    std::uint32_t total = 0;
    for (const auto& r : usages) {
        total += static_cast<std::uint32_t>(r.max - r.min) + 1;
    }
    return total;
}

std::uint16_t InputField::usageOfField(std::uint32_t index) const {
    if (usages.empty()) {
        return 0;
    }
    for (const auto& r : usages) {
        const std::uint32_t n = static_cast<std::uint32_t>(r.max - r.min) + 1;
        if (index < n) {
            return static_cast<std::uint16_t>(r.min + index);
        }
        index -= n;
    }
    return usages.back().max;
}

std::uint16_t InputField::usageOfArrayIndex(std::int64_t index) const {
    const std::int64_t position = index - logicalMin;
    if (index < logicalMin || index > logicalMax || position >= usageCount()) {
        return 0;
    }
    return usageOfField(static_cast<std::uint32_t>(position));
}

namespace {

enum ItemType : std::uint8_t { kMain = 0, kGlobal = 1, kLocal = 2 };
enum MainTag : std::uint8_t {
    kInput = 0x8,
    kOutput = 0x9,
    kCollection = 0xA,
    kFeature = 0xB,
    kEndCollection = 0xC
};
enum GlobalTag : std::uint8_t {
    kUsagePage = 0x0,
    kLogicalMin = 0x1,
    kLogicalMax = 0x2,
    kPhysicalMin = 0x3,
    kPhysicalMax = 0x4,
    kReportSize = 0x7,
    kReportId = 0x8,
    kReportCount = 0x9,
    kPush = 0xA,
    kPop = 0xB
};
enum LocalTag : std::uint8_t { kUsage = 0x0, kUsageMin = 0x1, kUsageMax = 0x2 };

struct GlobalState {
    std::uint16_t usagePage = 0;
    std::int32_t logicalMin = 0;
    std::int32_t logicalMax = 0;
    std::int32_t physicalMin = 0;
    std::int32_t physicalMax = 0;
    std::uint32_t reportSize = 0;
    std::uint32_t reportCount = 0;
    std::uint8_t reportId = 0;
};

// A local usage keeps its page only when the item named one (4-byte form);
// otherwise the page in force at the main item applies.
struct LocalUsage {
    bool hasPage = false;
    std::uint16_t page = 0;
    std::uint16_t min = 0;
    std::uint16_t max = 0;
};

struct LocalState {
    std::vector<LocalUsage> usages;
    std::optional<std::uint32_t> usageMin;
    bool overflow = false;

    void add(LocalUsage u) {
        if (usages.size() < kMaxLocalUsages) {
            usages.push_back(u);
        } else {
            overflow = true;
        }
    }
};

class Parser {
public:
    explicit Parser(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::optional<ReportDescriptor> run() {
        if (bytes_.size() > kMaxDescriptorBytes) {
            return std::nullopt;
        }
        std::size_t at = 0;
        while (at < bytes_.size()) {
            const std::uint8_t prefix = bytes_[at];
            if (prefix == 0xFE) {
                // Long items carry no meaning for us; step over them inside the bytes.
                if (at + 3 > bytes_.size()) {
                    return std::nullopt;
                }
                const std::size_t size = bytes_[at + 1];
                if (at + 3 + size > bytes_.size()) {
                    return std::nullopt;
                }
                at += 3 + size;
                continue;
            }
            static constexpr std::array<std::size_t, 4> kSizes{0, 1, 2, 4};
            const std::size_t size = kSizes[prefix & 3];
            if (at + 1 + size > bytes_.size()) {
                return std::nullopt;
            }
            std::uint32_t data = 0;
            for (std::size_t i = 0; i < size; ++i) {
                data |= static_cast<std::uint32_t>(bytes_[at + 1 + i]) << (8 * i);
            }
            const auto type = static_cast<std::uint8_t>((prefix >> 2) & 3);
            const auto tag = static_cast<std::uint8_t>(prefix >> 4);
            bool ok = true;
            if (type == kMain) {
                ok = main(tag, data);
            } else if (type == kGlobal) {
                ok = global(tag, data, size);
            } else if (type == kLocal) {
                local(tag, data, size);
            }
            if (!ok) {
                return std::nullopt;
            }
            at += 1 + size;
        }
        if (depth_ != 0) {
            return std::nullopt; // a collection that never ends
        }
        finishLengths();
        return std::move(result_);
    }

private:
    static std::int32_t signExtend(std::uint32_t data, std::size_t size) {
        if (size == 1) {
            return static_cast<std::int8_t>(data);
        }
        if (size == 2) {
            return static_cast<std::int16_t>(data);
        }
        return static_cast<std::int32_t>(data);
    }

    bool global(std::uint8_t tag, std::uint32_t data, std::size_t size) {
        switch (tag) {
        case kUsagePage:
            g_.usagePage = static_cast<std::uint16_t>(data);
            break;
        case kLogicalMin:
            g_.logicalMin = signExtend(data, size);
            break;
        case kLogicalMax:
            g_.logicalMax = signExtend(data, size);
            break;
        case kPhysicalMin:
            g_.physicalMin = signExtend(data, size);
            break;
        case kPhysicalMax:
            g_.physicalMax = signExtend(data, size);
            break;
        case kReportSize:
            g_.reportSize = data;
            break;
        case kReportCount:
            g_.reportCount = data;
            break;
        case kReportId:
            if (data == 0 || data > 0xFF) {
                return false;
            }
            g_.reportId = static_cast<std::uint8_t>(data);
            usesReportIds_ = true;
            break;
        case kPush:
            if (stack_.size() >= kMaxGlobalStackDepth) {
                return false;
            }
            stack_.push_back(g_);
            break;
        case kPop:
            if (stack_.empty()) {
                return false;
            }
            g_ = stack_.back();
            stack_.pop_back();
            break;
        default:
            break;
        }
        return true;
    }

    void local(std::uint8_t tag, std::uint32_t data, std::size_t size) {
        const bool hasPage = size == 4;
        const auto page = static_cast<std::uint16_t>(data >> 16);
        const auto usage = static_cast<std::uint16_t>(data & 0xFFFF);
        switch (tag) {
        case kUsage:
            l_.add({hasPage, page, usage, usage});
            break;
        case kUsageMin:
            l_.usageMin = data;
            break;
        case kUsageMax:
            if (l_.usageMin) {
                const auto lo = static_cast<std::uint16_t>(*l_.usageMin & 0xFFFF);
                l_.add({hasPage, page, std::min(lo, usage), std::max(lo, usage)});
                l_.usageMin.reset();
            }
            break;
        default:
            break;
        }
    }

    bool main(std::uint8_t tag, std::uint32_t data) {
        bool ok = true;
        switch (tag) {
        case kCollection:
            if (depth_ >= kMaxCollectionDepth) {
                return false;
            }
            if (depth_ == 0) {
                TopLevelCollection c;
                const LocalUsage u = l_.usages.empty() ? LocalUsage{} : l_.usages.front();
                c.usagePage = u.hasPage ? u.page : g_.usagePage;
                c.usage = u.min;
                result_.collections.push_back(std::move(c));
            }
            ++depth_;
            break;
        case kEndCollection:
            if (depth_ == 0) {
                return false;
            }
            --depth_;
            break;
        case kInput:
            ok = field(0, data);
            break;
        case kOutput:
            ok = field(1, data);
            break;
        case kFeature:
            ok = field(2, data);
            break;
        default:
            break;
        }
        l_ = LocalState{};
        return ok;
    }

    bool field(int kind, std::uint32_t flags) {
        if (depth_ == 0 || result_.collections.empty() || ++mainItems_ > kMaxMainItems) {
            return false;
        }
        // 64-bit arithmetic: a report count near 2^32 must not wrap to something small.
        const std::uint64_t bits = static_cast<std::uint64_t>(g_.reportSize) * g_.reportCount;
        std::uint32_t& used = bits_[kind][g_.reportId];
        if (used + bits > static_cast<std::uint64_t>(kMaxReportBytes - 1) * 8) {
            return false;
        }
        TopLevelCollection& tlc = result_.collections.back();
        auto& seen = seen_[kind][g_.reportId];
        if (seen < result_.collections.size()) {
            // Remember which collections carry this report, for their lengths.
            owners_[kind].push_back({g_.reportId, result_.collections.size() - 1});
            seen = result_.collections.size();
        }
        if (kind == 0) {
            InputField f;
            f.reportId = g_.reportId;
            f.bitOffset = 8 + used;
            f.bitSize = g_.reportSize;
            f.count = g_.reportCount;
            f.isConstant = (flags & 0x01) != 0;
            f.isArray = (flags & 0x02) == 0;
            f.logicalMin = g_.logicalMin;
            f.logicalMax = g_.logicalMax;
            f.physicalMin = g_.physicalMin;
            f.physicalMax = g_.physicalMax;
            for (const auto& u : l_.usages) {
                f.usages.push_back({u.hasPage ? u.page : g_.usagePage, u.min, u.max});
            }
            f.usagePage = f.usages.empty() ? g_.usagePage : f.usages.front().page;
            if (!f.isConstant && f.bitSize > 0 && f.count > 0) {
                tlc.inputs.push_back(std::move(f));
            }
        }
        used += static_cast<std::uint32_t>(bits);
        return true;
    }

    void finishLengths() {
        for (auto& c : result_.collections) {
            c.usesReportIds = usesReportIds_;
        }
        for (int kind = 0; kind < 3; ++kind) {
            for (const auto& [id, index] : owners_[kind]) {
                auto& c = result_.collections[index];
                const auto bytes = static_cast<std::uint16_t>((bits_[kind][id] + 7) / 8 + 1);
                std::uint16_t& length = kind == 0   ? c.inputReportLength
                                        : kind == 1 ? c.outputReportLength
                                                    : c.featureReportLength;
                length = std::max(length, bytes);
            }
        }
    }

    struct Owner {
        std::uint8_t id;
        std::size_t collection;
    };

    std::span<const std::uint8_t> bytes_;
    ReportDescriptor result_;
    GlobalState g_;
    std::vector<GlobalState> stack_;
    LocalState l_;
    std::size_t depth_ = 0;
    std::size_t mainItems_ = 0;
    bool usesReportIds_ = false;
    std::array<std::array<std::uint32_t, 256>, 3> bits_{};
    std::array<std::array<std::size_t, 256>, 3> seen_{};
    std::array<std::vector<Owner>, 3> owners_;
};

} // namespace

std::optional<ReportDescriptor> parseReportDescriptor(std::span<const std::uint8_t> bytes) {
    return Parser(bytes).run();
}

} // namespace kw
