#pragma once
// What the program asks of the desktop: opening a page or a link in the
// user's browser and starting another program detached. Tests record the
// calls instead.

#include <QString>
#include <QStringList>
#include <QUrl>
#include <filesystem>

namespace kw::app {

class ShellActions {
public:
    virtual ~ShellActions() = default;
    // Results are ignored by every caller: a missing browser is not reported.
    virtual void openUrl(const QUrl& url);
    // Starts `program` without waiting for it; false when it could not start.
    virtual bool startDetached(const QString& program, const QStringList& arguments,
                               const QString& workingFolder);
};

QString qtPath(const std::filesystem::path& path);

// The help page "index.html" in the help folder, opened in the browser.
void OpenHelp(ShellActions& shell, const std::filesystem::path& helpFolder);

// Starts the key daemon beside the executable, hidden and detached. Nothing
// waits for it or checks whether it is already running; a missing daemon is
// not noticed.
void StartKeyDaemon(ShellActions& shell, const std::filesystem::path& daemonPath);

} // namespace kw::app
