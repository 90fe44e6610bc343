#pragma once
// One running keyweave per user. The first instance holds an exclusive lock
// on a file in the user's runtime folder and listens on a local socket beside
// it; later starts hand their request (show, quit, or a companion's apply and
// G-key refresh) to it over that socket and end. The lock dies with its
// process, so a crashed instance never blocks the next start. The folder is
// the user's own with mode 0700, and a connection from another user is
// dropped before it is read.

#include <QByteArray>
#include <QLocalServer>
#include <QObject>
#include <QString>
#include <memory>

namespace kw::app {

// The requests that travel over the socket, one line each.
inline constexpr char kOpenRequest[] = "OPEN";
inline constexpr char kKillRequest[] = "KILL";
inline constexpr char kApplyRequest[] = "APPLY";
inline constexpr char kGKeyRefreshRequest[] = "GKEY";
// The command line changed the keyboard's configuration or lighting.
inline constexpr char kChangedRequest[] = "CHANGED";

class SingleInstance : public QObject {
    Q_OBJECT
public:
    // $XDG_RUNTIME_DIR/keyweave, or a per-user folder in the temporary folder
    // when the session has no runtime folder.
    static QString defaultFolder();

    explicit SingleInstance(QString folder, QObject* parent = nullptr);
    ~SingleInstance() override;

    // Takes the lock and starts listening. False when another instance holds
    // the lock, or when the folder is not safely ours (then nothing is done).
    bool acquire();
    bool isFirst() const { return lockFd_ >= 0; }
    // Stops listening and gives the lock up.
    void release();

    // Delivers `request` to the running instance and waits for its answer.
    // False when nobody took it within `timeoutMs`.
    static bool send(const QString& folder, const QByteArray& request, int timeoutMs = 3000);

    QString socketPath() const;

signals:
    // One request of another instance or a companion, on the UI thread.
    void requestReceived(const QByteArray& request);

private:
    void onNewConnection();
    static bool prepareFolder(const QString& folder);

    QString folder_;
    int lockFd_ = -1;
    std::unique_ptr<QLocalServer> server_;
};

} // namespace kw::app
