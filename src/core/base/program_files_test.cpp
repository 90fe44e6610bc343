#include "core/base/program_files.h"
#include "testsupport/temp_dir.h"

#include <fstream>
#include <gtest/gtest.h>

namespace {

void touch(const std::filesystem::path& file) {
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file) << "[TEXT]\n";
}

TEST(ProgramFiles, BuildTreeInstalledTreeAndNeither) {
    kw::testing::TempDir dir;
    const auto bin = dir / "prefix" / "bin";
    std::filesystem::create_directories(bin);
    const auto installed = (dir / "prefix" / "share" / "keyweave").lexically_normal();

    // Nothing anywhere: both places were looked at, and the message names them.
    kw::ProgramFilesSearch none = kw::findProgramFiles(bin);
    EXPECT_FALSE(none.folder);
    ASSERT_EQ(none.searched.size(), 2u);
    EXPECT_EQ(none.searched[1], installed);
    EXPECT_EQ(kw::searchedFoldersText(none), bin.string() + " or " + installed.string());

    // Installed: share/keyweave beside bin.
    touch(installed / "Lang0409.ini");
    EXPECT_EQ(kw::findProgramFiles(bin).folder, installed);

    // A build tree's own files win over an installed copy.
    touch(bin / "Lang0409.ini");
    EXPECT_EQ(kw::findProgramFiles(bin).folder, bin);
}

TEST(ProgramFiles, AFolderNamedLikeTheMarkerIsNoProgramFolder) {
    kw::testing::TempDir dir;
    std::filesystem::create_directories(dir / "bin" / "Lang0409.ini");
    EXPECT_FALSE(kw::findProgramFiles(dir / "bin").folder);
}

} // namespace
