// Bounded overlapped transfers, on a named pipe whose far end plays the
// device: it sends reports, takes them, or takes nothing.

#include "platform/overlapped_transfer.h"

#include <algorithm>
#include <atomic>
#include <gtest/gtest.h>
#include <string>
#include <thread>
#include <vector>

namespace kw {
namespace {

constexpr DWORD kPipeBuffer = 64;

// The near end is opened for overlapped I/O, as HID interfaces are; the far
// end is a plain blocking handle the test drives.
class PipePair {
public:
    PipePair() {
        static std::atomic<int> counter{0};
        const std::wstring name = L"\\\\.\\pipe\\keyweave-test-" +
                                  std::to_wstring(GetCurrentProcessId()) + L"-" +
                                  std::to_wstring(counter++);
        near_ = CreateNamedPipeW(name.c_str(), PIPE_ACCESS_DUPLEX | FILE_FLAG_OVERLAPPED,
                                 PIPE_TYPE_MESSAGE | PIPE_READMODE_MESSAGE | PIPE_WAIT, 1,
                                 kPipeBuffer, kPipeBuffer, 0, nullptr);
        far_ = CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0,
                           nullptr);
    }
    ~PipePair() {
        for (HANDLE h : {near_, far_}) {
            if (h != INVALID_HANDLE_VALUE) {
                CloseHandle(h);
            }
        }
    }
    PipePair(const PipePair&) = delete;
    PipePair& operator=(const PipePair&) = delete;

    bool ready() const { return near_ != INVALID_HANDLE_VALUE && far_ != INVALID_HANDLE_VALUE; }
    HANDLE nearEnd() const { return near_; }

    bool send(const std::vector<std::uint8_t>& report) {
        DWORD n = 0;
        return WriteFile(far_, report.data(), static_cast<DWORD>(report.size()), &n, nullptr) &&
               n == report.size();
    }
    std::vector<std::uint8_t> receive() {
        std::vector<std::uint8_t> report(1024);
        DWORD n = 0;
        if (!ReadFile(far_, report.data(), static_cast<DWORD>(report.size()), &n, nullptr)) {
            return {};
        }
        report.resize(n);
        return report;
    }

private:
    HANDLE near_ = INVALID_HANDLE_VALUE;
    HANDLE far_ = INVALID_HANDLE_VALUE;
};

std::vector<std::uint8_t> pattern(std::size_t size, std::uint8_t first) {
    std::vector<std::uint8_t> bytes(size);
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<std::uint8_t>(first + i);
    }
    return bytes;
}

class OverlappedTransferTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(pipe.ready()) << GetLastError();
        ASSERT_TRUE(transfer.ready());
    }

    PipePair pipe;
    OverlappedTransfer transfer{pipe.nearEnd()};
};

TEST_F(OverlappedTransferTest, ReportsTravelWholeBothWays) {
    ASSERT_TRUE(pipe.send(pattern(33, 1)));
    std::vector<std::uint8_t> report(33);
    std::size_t n = 99;
    ASSERT_EQ(transfer.read(report, 33, 1000, n), TransferResult::Done);
    EXPECT_EQ(n, 33u);
    EXPECT_EQ(report, pattern(33, 1));

    ASSERT_EQ(transfer.write(pattern(33, 7), 33, 1000, n), TransferResult::Done);
    EXPECT_EQ(n, 33u);
    EXPECT_EQ(pipe.receive(), pattern(33, 7));
}

TEST_F(OverlappedTransferTest, ShortReportsArePaddedAndLongOnesCutToTheCallersBuffer) {
    std::size_t n = 0;
    // A write is a whole output report: the rest is zeros, the count is the caller's.
    ASSERT_EQ(transfer.write(pattern(5, 1), 16, 1000, n), TransferResult::Done);
    EXPECT_EQ(n, 5u);
    std::vector<std::uint8_t> padded = pattern(5, 1);
    padded.resize(16, 0);
    EXPECT_EQ(pipe.receive(), padded);

    // A read takes the whole report and gives the caller what fits.
    ASSERT_TRUE(pipe.send(pattern(16, 40)));
    std::vector<std::uint8_t> small(8 + 4, 0xEE);
    ASSERT_EQ(transfer.read(std::span(small).first(8), 16, 1000, n), TransferResult::Done);
    EXPECT_EQ(n, 8u);
    EXPECT_TRUE(std::equal(small.begin(), small.begin() + 8, pattern(8, 40).begin()));
    EXPECT_TRUE(std::all_of(small.begin() + 8, small.end(), [](auto b) { return b == 0xEE; }));
}

TEST_F(OverlappedTransferTest, ReadThatTimesOutLeavesTheBufferAndTheNextReportAlone) {
    std::vector<std::uint8_t> report(16, 0xAA);
    std::size_t n = 99;
    EXPECT_EQ(transfer.read(report, 16, 50, n), TransferResult::TimedOut);
    EXPECT_EQ(n, 0u);
    // The cancelled read took nothing: the next report goes to the next read.
    ASSERT_TRUE(pipe.send(pattern(16, 3)));
    EXPECT_EQ(report, std::vector<std::uint8_t>(16, 0xAA));
    ASSERT_EQ(transfer.read(report, 16, 1000, n), TransferResult::Done);
    EXPECT_EQ(report, pattern(16, 3));
}

TEST_F(OverlappedTransferTest, ReadWithoutTimeOutEndsWhenStopped) {
    std::vector<std::uint8_t> report(16, 0xAA);
    std::size_t n = 99;
    TransferResult result = TransferResult::Done;
    std::thread reader([&] { result = transfer.read(report, 16, kInfiniteTimeout, n); });
    transfer.stop(); // before or during the wait: the event stays set until then
    reader.join();
    EXPECT_EQ(result, TransferResult::Stopped);
    EXPECT_EQ(n, 0u);
    EXPECT_EQ(report, std::vector<std::uint8_t>(16, 0xAA));
    // The stop is used up: the object goes on working.
    ASSERT_TRUE(pipe.send(pattern(16, 9)));
    EXPECT_EQ(transfer.read(report, 16, 1000, n), TransferResult::Done);
}

TEST_F(OverlappedTransferTest, WriteTheDeviceDoesNotTakeFailsAndTheNextOneWorks) {
    std::size_t n = 0;
    // Fill what the far end buffers; the next write then waits for a reader.
    int accepted = 0;
    TransferResult result = TransferResult::Done;
    while (accepted < 64 && (result = transfer.write(pattern(kPipeBuffer, 1), kPipeBuffer, 50,
                                                     n)) == TransferResult::Done) {
        ++accepted;
    }
    ASSERT_EQ(result, TransferResult::TimedOut) << "the pipe never filled up";
    EXPECT_EQ(n, 0u);
    for (int i = 0; i < accepted; ++i) {
        EXPECT_EQ(pipe.receive(), pattern(kPipeBuffer, 1));
    }
    ASSERT_EQ(transfer.write(pattern(10, 100), 10, 1000, n), TransferResult::Done);
    EXPECT_EQ(n, 10u);
    // The write that timed out was cancelled and never arrives.
    EXPECT_EQ(pipe.receive(), pattern(10, 100));
}

} // namespace
} // namespace kw
