#include "gui/app/shell_actions.h"

#include <QDesktopServices>
#include <QProcess>

namespace kw::app {

void ShellActions::openUrl(const QUrl& url) {
    QDesktopServices::openUrl(url);
}

bool ShellActions::startDetached(const QString& program, const QStringList& arguments,
                                 const QString& workingFolder) {
    return QProcess::startDetached(program, arguments, workingFolder);
}

QString qtPath(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return QString::fromUtf8(reinterpret_cast<const char*>(text.data()),
                             static_cast<qsizetype>(text.size()));
}

void OpenHelp(ShellActions& shell, const std::filesystem::path& helpFolder) {
    shell.openUrl(QUrl::fromLocalFile(qtPath(helpFolder / "index.html")));
}

void StartKeyDaemon(ShellActions& shell, const std::filesystem::path& daemonPath) {
    shell.startDetached(qtPath(daemonPath), {}, {});
}

} // namespace kw::app
