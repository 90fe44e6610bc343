#pragma once
// A backend with one interface described by any report descriptor, whose
// transfers never complete: for tests and fuzzing of description and unpacking.

#include "core/device/hid_backend.h"

#include <memory>
#include <vector>

namespace kw::testing {

class DescriptorBackend : public HidBackend {
public:
    explicit DescriptorBackend(std::vector<std::uint8_t> descriptor)
        : descriptor_(std::move(descriptor)) {}

    std::optional<std::vector<HidInterfaceEntry>> enumerate() override {
        return std::vector<HidInterfaceEntry>{{"fake", 1, 2}};
    }
    HidOpenResult open(const std::string&, const HidOpenOptions&) override {
        auto parsed = parseReportDescriptor(descriptor_);
        if (!parsed || parsed->collections.empty()) {
            return {nullptr, HidOpenError::BadDescriptor};
        }
        return {std::make_unique<Connection>(std::move(parsed->collections.front())),
                HidOpenError::None};
    }
    bool exists(const std::string&) override { return true; }

private:
    struct Connection : HidConnection {
        explicit Connection(TopLevelCollection c) : c_(std::move(c)) {}
        HidAttributes attributes() const override { return {1, 2, 3}; }
        const TopLevelCollection& collection() const override { return c_; }
        TransferResult write(std::span<const std::uint8_t>, int, std::size_t&) override {
            return TransferResult::Failed;
        }
        TransferResult read(std::span<std::uint8_t>, int, std::size_t&) override {
            return TransferResult::TimedOut;
        }
        void interrupt() override {}
        TopLevelCollection c_;
    };
    std::vector<std::uint8_t> descriptor_;
};

} // namespace kw::testing
