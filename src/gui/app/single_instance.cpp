#include "gui/app/single_instance.h"

#include <QDir>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QTimer>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kw::app {

namespace {

constexpr char kLockName[] = "keyweave.lock";
constexpr char kSocketName[] = "keyweave.socket";
constexpr char kAnswer[] = "OK\n";
constexpr int kReadTimeoutMs = 2000;
constexpr qint64 kLineLimit = 64;

bool fromThisUser(qintptr descriptor) {
    ucred credentials{};
    socklen_t length = sizeof credentials;
    if (getsockopt(static_cast<int>(descriptor), SOL_SOCKET, SO_PEERCRED, &credentials, &length) !=
        0) {
        return false;
    }
    return credentials.uid == getuid();
}

} // namespace

QString SingleInstance::defaultFolder() {
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QDir::isAbsolutePath(QString::fromLocal8Bit(runtime))) {
        return QDir(QString::fromLocal8Bit(runtime)).filePath(QStringLiteral("keyweave"));
    }
    return QDir(QDir::tempPath()).filePath(QStringLiteral("keyweave-%1").arg(getuid()));
}

SingleInstance::SingleInstance(QString folder, QObject* parent)
    : QObject(parent), folder_(std::move(folder)) {}

SingleInstance::~SingleInstance() {
    release();
}

bool SingleInstance::prepareFolder(const QString& folder) {
    const QByteArray path = QFile::encodeName(folder);
    if (mkdir(path.constData(), 0700) != 0 && errno != EEXIST) {
        return false;
    }
    // A folder someone else made for us, or a link, could hand our requests
    // to another user.
    struct stat info {};
    if (lstat(path.constData(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != getuid()) {
        return false;
    }
    return (info.st_mode & 0777) == 0700 || chmod(path.constData(), 0700) == 0;
}

bool SingleInstance::acquire() {
    if (isFirst()) {
        return true;
    }
    if (!prepareFolder(folder_)) {
        return false;
    }
    const QByteArray lockPath = QFile::encodeName(QDir(folder_).filePath(kLockName));
    const int fd = open(lockPath.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) {
        return false;
    }
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        close(fd);
        return false;
    }
    lockFd_ = fd;
    // The socket of a crashed instance is still on disk; it is ours to replace.
    QLocalServer::removeServer(socketPath());
    server_ = std::make_unique<QLocalServer>();
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_.get(), &QLocalServer::newConnection, this, &SingleInstance::onNewConnection);
    // Without a socket we still run as the only instance; later starts then
    // find the lock taken and nobody to talk to, and end.
    server_->listen(socketPath());
    return true;
}

void SingleInstance::release() {
    if (server_) {
        server_->close();
        server_.reset();
    }
    if (lockFd_ >= 0) {
        close(lockFd_);
        lockFd_ = -1;
    }
}

QString SingleInstance::socketPath() const {
    return QDir(folder_).filePath(kSocketName);
}

void SingleInstance::onNewConnection() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        if (!fromThisUser(socket->socketDescriptor())) {
            socket->abort();
            continue;
        }
        // One short line; a client that sends nothing useful, or nothing in
        // time, is dropped.
        const auto serve = [this, socket] {
            if (!socket->canReadLine()) {
                if (socket->bytesAvailable() > kLineLimit) {
                    socket->abort();
                }
                return;
            }
            const QByteArray request = socket->readLine(kLineLimit).trimmed();
            socket->write(kAnswer);
            socket->flush();
            socket->disconnectFromServer();
            emit requestReceived(request);
        };
        connect(socket, &QLocalSocket::readyRead, this, serve);
        QTimer::singleShot(kReadTimeoutMs, socket, [socket] { socket->abort(); });
        serve();
    }
}

bool SingleInstance::send(const QString& folder, const QByteArray& request, int timeoutMs) {
    QLocalSocket socket;
    socket.connectToServer(QDir(folder).filePath(kSocketName));
    if (!socket.waitForConnected(timeoutMs)) {
        return false;
    }
    socket.write(request + '\n');
    if (!socket.waitForBytesWritten(timeoutMs)) {
        return false;
    }
    while (!socket.canReadLine()) {
        if (!socket.waitForReadyRead(std::min(timeoutMs, kReadTimeoutMs))) {
            return false;
        }
    }
    return socket.readLine().trimmed() == "OK";
}

} // namespace kw::app
