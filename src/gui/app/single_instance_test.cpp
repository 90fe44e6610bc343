#include "gui/app/single_instance.h"
#include "gui/skin/test_application.h"
#include "testsupport/temp_dir.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QTimer>
#include <future>
#include <sys/stat.h>

namespace kw::app {
namespace {

class SingleInstanceTest : public gui::testing::WidgetTest {
protected:
    QString folder() const { return QString::fromStdString((dir / "run").string()); }
    // Sends from another thread while this one serves the socket.
    bool sendServed(const QByteArray& request) {
        auto sent = std::async(std::launch::async,
                               [this, request] { return SingleInstance::send(folder(), request); });
        while (sent.wait_for(std::chrono::milliseconds(5)) != std::future_status::ready) {
            QCoreApplication::processEvents();
        }
        QCoreApplication::processEvents();
        return sent.get();
    }
    kw::testing::TempDir dir;
};

TEST_F(SingleInstanceTest, OnlyOneHoldsTheLockAndItGetsTheOthersRequests) {
    SingleInstance first(folder());
    SingleInstance second(folder());
    ASSERT_TRUE(first.acquire());
    EXPECT_FALSE(second.acquire());
    EXPECT_FALSE(second.isFirst());

    std::vector<QByteArray> received;
    QObject::connect(&first, &SingleInstance::requestReceived,
                     [&](const QByteArray& r) { received.push_back(r); });
    EXPECT_TRUE(sendServed(kOpenRequest));
    EXPECT_TRUE(sendServed(kKillRequest));
    EXPECT_EQ(received, (std::vector<QByteArray>{kOpenRequest, kKillRequest}));

    // Once the first gives up, the next start is the first.
    first.release();
    EXPECT_TRUE(second.acquire());
}

TEST_F(SingleInstanceTest, FolderIsPrivateAndLeftoversOfADeadInstanceDoNotBlock) {
    ASSERT_TRUE(QDir().mkpath(folder()));
    // What a crashed instance leaves: the lock file (no longer locked) and a dead socket file.
    QFile lock(folder() + "/keyweave.lock");
    ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
    lock.close();
    QFile socket(folder() + "/keyweave.socket");
    ASSERT_TRUE(socket.open(QIODevice::WriteOnly));
    socket.close();
    chmod(QFile::encodeName(folder()).constData(), 0755);

    SingleInstance instance(folder());
    ASSERT_TRUE(instance.acquire());
    struct stat info {};
    ASSERT_EQ(stat(QFile::encodeName(folder()).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);

    std::vector<QByteArray> received;
    QObject::connect(&instance, &SingleInstance::requestReceived,
                     [&](const QByteArray& r) { received.push_back(r); });
    EXPECT_TRUE(sendServed(kGKeyRefreshRequest));
    EXPECT_EQ(received, std::vector<QByteArray>{kGKeyRefreshRequest});
}

TEST_F(SingleInstanceTest, SendingWithNobodyListeningFails) {
    EXPECT_FALSE(SingleInstance::send(folder(), kOpenRequest, 200));
}

TEST_F(SingleInstanceTest, AFolderThatIsALinkIsRefused) {
    const QString elsewhere = QString::fromStdString((dir / "elsewhere").string());
    ASSERT_TRUE(QDir().mkpath(elsewhere));
    ASSERT_TRUE(QFile::link(elsewhere, folder()));
    SingleInstance instance(folder());
    EXPECT_FALSE(instance.acquire());
}

} // namespace
} // namespace kw::app
