#include "platform/windows_hid_backend.h"

#include "core/base/text.h"
#include "platform/overlapped_transfer.h"
#include "platform/windows_hid_api.h"
#include "platform/windows_hid_caps.h"

#include <algorithm>
#include <climits>
#include <cstddef>
#include <cwchar>

namespace kw {

namespace {

// Every enumeration index that fails for another reason than the end of the
// list is skipped; this many in a row mean the set itself is broken.
constexpr DWORD kMaxSkippedInterfaces = 1024;

HidOpenError errorOf(DWORD error) {
    switch (error) {
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
        return HidOpenError::AccessDenied;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_DEVICE_NOT_CONNECTED:
    case ERROR_INVALID_NAME:
        return HidOpenError::NotFound;
    default:
        return HidOpenError::Other;
    }
}

class Handle {
public:
    explicit Handle(HANDLE handle = INVALID_HANDLE_VALUE) : handle_(handle) {}
    ~Handle() {
        if (valid()) {
            CloseHandle(handle_);
        }
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
    HANDLE get() const { return handle_; }
    HANDLE release() {
        HANDLE h = handle_;
        handle_ = INVALID_HANDLE_VALUE;
        return h;
    }

private:
    HANDLE handle_;
};

class PreparsedData {
public:
    explicit PreparsedData(PHIDP_PREPARSED_DATA data = nullptr) : data_(data) {}
    ~PreparsedData() {
        if (data_) {
            HidD_FreePreparsedData(data_);
        }
    }
    PreparsedData(const PreparsedData&) = delete;
    PreparsedData& operator=(const PreparsedData&) = delete;
    PHIDP_PREPARSED_DATA get() const { return data_; }
    PHIDP_PREPARSED_DATA release() {
        PHIDP_PREPARSED_DATA data = data_;
        data_ = nullptr;
        return data;
    }

private:
    PHIDP_PREPARSED_DATA data_;
};

class WindowsHidConnection : public HidConnection {
public:
    WindowsHidConnection(HANDLE handle, PHIDP_PREPARSED_DATA preparsed, bool overlapped,
                         HidAttributes attributes, TopLevelCollection collection)
        : handle_(handle), preparsed_(preparsed), overlapped_(overlapped), attributes_(attributes),
          collection_(std::move(collection)), transfer_(handle) {}

    HidAttributes attributes() const override { return attributes_; }
    const TopLevelCollection& collection() const override { return collection_; }

    TransferResult write(std::span<const std::uint8_t> report, int timeoutMs,
                         std::size_t& transferred) override {
        if (!overlapped_) {
            std::vector<std::uint8_t> buffer(report.begin(), report.end());
            buffer.resize(std::max<std::size_t>(buffer.size(), collection_.outputReportLength));
            return synchronous(false, buffer, report.size(), transferred);
        }
        return transfer_.write(report, collection_.outputReportLength, timeoutMs, transferred);
    }

    TransferResult read(std::span<std::uint8_t> report, int timeoutMs,
                        std::size_t& transferred) override {
        if (!overlapped_) {
            std::vector<std::uint8_t> buffer(
                std::max<std::size_t>(report.size(), collection_.inputReportLength));
            const TransferResult result = synchronous(true, buffer, report.size(), transferred);
            std::copy_n(buffer.begin(), transferred, report.begin());
            return result;
        }
        return transfer_.read(report, collection_.inputReportLength, timeoutMs, transferred);
    }

    void interrupt() override { transfer_.stop(); }

    // A handle of a keyboard that was unplugged answers nothing any more, even
    // when the same keyboard is back under the same path.
    bool alive() const override {
        HIDD_ATTRIBUTES attributes{};
        attributes.Size = sizeof attributes;
        return HidD_GetAttributes(handle_.get(), &attributes) != FALSE;
    }

    bool usagesOf(const InputField& field, std::span<const std::uint8_t> report,
                  std::size_t maxCount, std::vector<std::uint16_t>& usages) const override {
        usages.clear();
        std::vector<CHAR> copy;
        if (!reportCopy(report, copy)) {
            return false;
        }
        const ULONG room =
            std::max<ULONG>(HidP_MaxUsageListLength(HidP_Input, field.usagePage, preparsed_.get()),
                            static_cast<ULONG>(std::min<std::size_t>(maxCount, USHRT_MAX)));
        std::vector<USAGE> list(std::max<ULONG>(room, 1));
        ULONG length = room;
        const NTSTATUS status =
            HidP_GetUsages(HidP_Input, field.usagePage, 0, list.data(), &length, preparsed_.get(),
                           copy.data(), static_cast<ULONG>(copy.size()));
        if (status == HIDP_STATUS_INCOMPATIBLE_REPORT_ID) {
            return true; // no button of this page in this report
        }
        if (status != HIDP_STATUS_SUCCESS) {
            return false;
        }
        for (ULONG i = 0; i < length && i < list.size() && usages.size() < maxCount; ++i) {
            if (list[i] != 0) {
                usages.push_back(list[i]);
            }
        }
        return true;
    }

    std::optional<std::uint32_t> valueOf(const InputField& field, std::uint32_t index,
                                         std::span<const std::uint8_t> report) const override {
        std::vector<CHAR> copy;
        if (!reportCopy(report, copy)) {
            return std::nullopt;
        }
        ULONG value = 0;
        const NTSTATUS status =
            HidP_GetUsageValue(HidP_Input, field.usagePage, 0, field.usageOfField(index), &value,
                               preparsed_.get(), copy.data(), static_cast<ULONG>(copy.size()));
        if (status != HIDP_STATUS_SUCCESS) {
            return std::nullopt;
        }
        return static_cast<std::uint32_t>(value);
    }

private:
    // The parser takes a whole input report of its own length in a buffer it
    // may treat as writable; a shorter report is not one.
    bool reportCopy(std::span<const std::uint8_t> report, std::vector<CHAR>& copy) const {
        const std::size_t length = collection_.inputReportLength;
        if (length == 0 || report.size() < length) {
            return false;
        }
        copy.assign(report.begin(), report.begin() + static_cast<std::ptrdiff_t>(length));
        return true;
    }

    // Without overlapped I/O a transfer waits until the device is done; no
    // time-out and no stop can end it. `transferred` counts at most `wanted`.
    TransferResult synchronous(bool isRead, std::vector<std::uint8_t>& buffer, std::size_t wanted,
                               std::size_t& transferred) {
        transferred = 0;
        DWORD count = 0;
        const DWORD length = static_cast<DWORD>(buffer.size());
        const BOOL ok = isRead ? ReadFile(handle_.get(), buffer.data(), length, &count, nullptr)
                               : WriteFile(handle_.get(), buffer.data(), length, &count, nullptr);
        if (!ok) {
            return TransferResult::Failed;
        }
        transferred = std::min<std::size_t>({count, wanted, buffer.size()});
        return TransferResult::Done;
    }

    Handle handle_;
    PreparsedData preparsed_;
    bool overlapped_;
    HidAttributes attributes_;
    TopLevelCollection collection_;
    OverlappedTransfer transfer_;
};

// The path of one enumerated interface; nullopt when its detail cannot be had.
std::optional<std::wstring> interfacePath(HDEVINFO set, SP_DEVICE_INTERFACE_DATA& data) {
    DWORD required = 0;
    SetupDiGetDeviceInterfaceDetailW(set, &data, nullptr, 0, &required, nullptr);
    if (required < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W)) {
        return std::nullopt;
    }
    // Storage aligned for the structure the call fills in.
    std::vector<std::uint64_t> storage((required + sizeof(std::uint64_t) - 1) /
                                       sizeof(std::uint64_t));
    auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(storage.data());
    detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
    if (!SetupDiGetDeviceInterfaceDetailW(set, &data, detail, required, nullptr, nullptr)) {
        return std::nullopt;
    }
    const std::size_t room =
        (required - offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_W, DevicePath)) / sizeof(wchar_t);
    return std::wstring(detail->DevicePath, wcsnlen(detail->DevicePath, room));
}

} // namespace

std::wstring widePath(std::string_view utf8) {
    const std::u16string units = utf8ToUtf16(utf8);
    return std::wstring(units.begin(), units.end());
}

std::string utf8Path(std::wstring_view wide) {
    return utf16ToUtf8(std::u16string(wide.begin(), wide.end()));
}

std::optional<std::vector<HidInterfaceEntry>> WindowsHidBackend::enumerate() {
    GUID hidClass{};
    HidD_GetHidGuid(&hidClass);
    HDEVINFO set =
        SetupDiGetClassDevsW(&hidClass, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    if (set == INVALID_HANDLE_VALUE) {
        return std::nullopt;
    }
    std::vector<HidInterfaceEntry> found;
    found.reserve(8);
    bool complete = false;
    DWORD skipped = 0;
    for (DWORD index = 0; skipped < kMaxSkippedInterfaces; ++index) {
        SP_DEVICE_INTERFACE_DATA data{};
        data.cbSize = sizeof data;
        if (!SetupDiEnumDeviceInterfaces(set, nullptr, &hidClass, index, &data)) {
            if (GetLastError() == ERROR_NO_MORE_ITEMS) {
                complete = true;
                break;
            }
            ++skipped;
            continue;
        }
        skipped = 0;
        const auto path = interfacePath(set, data);
        if (!path) {
            break; // the list cannot be trusted any more
        }
        HidInterfaceEntry entry;
        entry.path = utf8Path(*path);
        const HidAttributes ids = idsFromPathText(entry.path);
        entry.vendorId = ids.vendorId;
        entry.productId = ids.productId;
        found.push_back(std::move(entry));
    }
    SetupDiDestroyDeviceInfoList(set);
    if (!complete) {
        return std::nullopt;
    }
    return found;
}

HidOpenResult WindowsHidBackend::open(const std::string& path, const HidOpenOptions& options) {
    const std::wstring wide = widePath(path);
    DWORD access = 0;
    access |= options.read ? GENERIC_READ : 0;
    access |= options.write ? GENERIC_WRITE : 0;
    const DWORD share = options.exclusive ? FILE_SHARE_READ : FILE_SHARE_READ | FILE_SHARE_WRITE;
    Handle handle(CreateFileW(wide.c_str(), access, share, nullptr, OPEN_EXISTING,
                              options.overlapped ? FILE_FLAG_OVERLAPPED : 0, nullptr));
    if (!handle.valid()) {
        return {nullptr, errorOf(GetLastError())};
    }
    PHIDP_PREPARSED_DATA raw = nullptr;
    if (!HidD_GetPreparsedData(handle.get(), &raw)) {
        return {nullptr, HidOpenError::BadDescriptor};
    }
    PreparsedData preparsed(raw);
    HIDD_ATTRIBUTES attributes{};
    attributes.Size = sizeof attributes;
    HIDP_CAPS caps{};
    if (!HidD_GetAttributes(handle.get(), &attributes) ||
        HidP_GetCaps(preparsed.get(), &caps) != HIDP_STATUS_SUCCESS) {
        return {nullptr, HidOpenError::BadDescriptor};
    }

    std::vector<HIDP_BUTTON_CAPS> buttons(caps.NumberInputButtonCaps);
    USHORT buttonCount = caps.NumberInputButtonCaps;
    if (buttonCount > 0 &&
        HidP_GetSpecificButtonCaps(HidP_Input, 0, 0, 0, buttons.data(), &buttonCount,
                                   preparsed.get()) != HIDP_STATUS_SUCCESS) {
        return {nullptr, HidOpenError::BadDescriptor};
    }
    buttons.resize(std::min<std::size_t>(buttonCount, buttons.size()));
    std::vector<HIDP_VALUE_CAPS> values(caps.NumberInputValueCaps);
    USHORT valueCount = caps.NumberInputValueCaps;
    if (valueCount > 0 && HidP_GetSpecificValueCaps(HidP_Input, 0, 0, 0, values.data(), &valueCount,
                                                    preparsed.get()) != HIDP_STATUS_SUCCESS) {
        return {nullptr, HidOpenError::BadDescriptor};
    }
    values.resize(std::min<std::size_t>(valueCount, values.size()));

    TopLevelCollection collection = collectionFromCaps(caps, buttons, values, [&](USAGE page) {
        return HidP_MaxUsageListLength(HidP_Input, page, preparsed.get());
    });
    const HidAttributes ids{attributes.VendorID, attributes.ProductID, attributes.VersionNumber};
    auto connection = std::make_unique<WindowsHidConnection>(
        handle.release(), preparsed.release(), options.overlapped, ids, std::move(collection));
    return {std::move(connection), HidOpenError::None};
}

bool WindowsHidBackend::exists(const std::string& path) {
    const std::wstring wide = widePath(path);
    Handle handle(CreateFileW(wide.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr));
    return handle.valid();
}

} // namespace kw
