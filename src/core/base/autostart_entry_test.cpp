#include "core/base/atomic_file.h"
#include "core/base/autostart_entry.h"
#include "testsupport/temp_dir.h"

#include <fstream>
#include <gtest/gtest.h>

namespace {

std::string execLine(const std::string& text) {
    const auto begin = text.find("\nExec=");
    return text.substr(begin + 1, text.find('\n', begin + 1) - begin - 1);
}

TEST(AutostartEntry, ExecLineQuotesWhatTheDesktopWouldSplitOrExpand) {
    const struct {
        const char* executable;
        const char* exec;
    } cases[] = {
        {"/usr/bin/keyweave", R"(Exec="/usr/bin/keyweave" /Start)"},
        {"/opt/My Tools/keyweave", R"(Exec="/opt/My Tools/keyweave" /Start)"},
        // '$', '"' and '\' escaped inside the quotes, every '\' doubled once
        // more for the string value, '%' doubled so it is no field code.
        {R"(/h/a$b/100%/x"y\z)", R"(Exec="/h/a\\$b/100%%/x\\"y\\\\z" /Start)"},
    };
    for (const auto& c : cases) {
        const auto text = kw::autostartEntryText(c.executable);
        ASSERT_TRUE(text) << c.executable;
        EXPECT_EQ(execLine(*text), c.exec);
    }
    EXPECT_FALSE(kw::autostartEntryText("/tmp/two\nlines"));
}

TEST(AutostartEntry, OnOffAndTheDesktopsOwnSwitch) {
    kw::testing::TempDir dir;
    const auto entry = kw::autostartEntryPath(dir / "config");
    EXPECT_EQ(entry, dir / "config" / "autostart" / "keyweave.desktop");
    EXPECT_FALSE(kw::isAutostartEnabled(entry));

    ASSERT_TRUE(kw::setAutostart(entry, true, "/usr/bin/keyweave"));
    EXPECT_TRUE(kw::isAutostartEnabled(entry));
    // Switched off in the session settings: the entry stays but does not run.
    for (const char* off : {"Hidden=true\n", "X-GNOME-Autostart-enabled=false\n"}) {
        std::string text = *kw::autostartEntryText("/usr/bin/keyweave");
        text.replace(text.find("X-GNOME-Autostart-enabled=true\n"),
                     std::string("X-GNOME-Autostart-enabled=true\n").size(), off);
        ASSERT_TRUE(kw::writeFileAtomically(entry, text));
        EXPECT_FALSE(kw::isAutostartEnabled(entry)) << off;
    }
    ASSERT_TRUE(kw::setAutostart(entry, true, "/usr/bin/keyweave"));
    EXPECT_TRUE(kw::isAutostartEnabled(entry));

    ASSERT_TRUE(kw::setAutostart(entry, false, "/usr/bin/keyweave"));
    EXPECT_FALSE(std::filesystem::exists(entry));
    EXPECT_TRUE(kw::setAutostart(entry, false, "/usr/bin/keyweave")); // already off
}

TEST(AutostartEntry, AnUnwritableConfigFolderIsReported) {
    kw::testing::TempDir dir;
    // A file where the autostart folder should be: root ignores permission bits.
    std::ofstream(dir / "autostart") << "not a folder";
    const auto entry = kw::autostartEntryPath(dir.path());
    EXPECT_FALSE(kw::setAutostart(entry, true, "/usr/bin/keyweave"));
    EXPECT_FALSE(kw::isAutostartEnabled(entry));
}

} // namespace
