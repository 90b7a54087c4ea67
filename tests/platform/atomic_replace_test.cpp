#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <filesystem>

#include "platform/errors.h"
#include "platform/file_system.h"
#include "tests/platform/temp_folder.h"

namespace velmora::platform {
namespace {

using testing::ReadBytes;
using testing::RunInChildProcess;
using testing::TempFolder;
using testing::WriteBytes;

mode_t ModeOf(const std::string& path) {
    struct stat info {};
    ::stat(path.c_str(), &info);
    return info.st_mode & 07777;
}

class AtomicReplaceTest : public ::testing::Test {
protected:
    TempFolder dir_;
    const std::string path_ = dir_ / "data.xml";
};

TEST_F(AtomicReplaceTest, ReplacesTheContentAndLeavesNoTemporaryFile) {
    WriteBytes(path_, "a much longer old content");
    ReplaceFileAtomically(path_, std::string("new\0", 4));
    EXPECT_EQ(ReadBytes(path_), std::string("new\0", 4));
    EXPECT_EQ(dir_.Names(), std::vector<std::string>{"data.xml"});
}

TEST_F(AtomicReplaceTest, CreatesAMissingFileWithTheUsualMode) {
    WriteBytes(dir_ / "plain", "");  // created as any program creates a file
    ReplaceFileAtomically(path_, "x");
    EXPECT_EQ(ReadBytes(path_), "x");
    EXPECT_EQ(ModeOf(path_), ModeOf(dir_ / "plain"));
}

TEST_F(AtomicReplaceTest, KeepsTheModeOfTheTarget) {
    WriteBytes(path_, "old");
    ::chmod(path_.c_str(), 0640);
    ReplaceFileAtomically(path_, "new");
    EXPECT_EQ(ModeOf(path_), 0640u);
}

TEST_F(AtomicReplaceTest, ReplacesTheFileALinkNamesAndKeepsTheLink) {
    WriteBytes(path_, "old");
    const std::string link = dir_ / "link.xml";
    std::filesystem::create_symlink(path_, link);
    ReplaceFileAtomically(link, "new");
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(ReadBytes(path_), "new");
}

// A full disk, for real: the child may write only a few bytes per file.
TEST_F(AtomicReplaceTest, AShortWriteKeepsTheOldContentAndRaises) {
    WriteBytes(path_, "old");
    const int outcome = RunInChildProcess([this] {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{16, 16};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        try {
            ReplaceFileAtomically(path_, std::string(1000, 'n'));
        } catch (const EFCreateError& error) {
            return error.Message() == "Cannot create file \"" + path_ + "\". File too large" ? 0
                                                                                             : 2;
        }
        return 1;
    });
    EXPECT_EQ(outcome, 0);
    EXPECT_EQ(ReadBytes(path_), "old");
    EXPECT_EQ(dir_.Names(), std::vector<std::string>{"data.xml"});
}

TEST_F(AtomicReplaceTest, ARemovedFolderRaisesCannotCreate) {
    const std::string gone = dir_ / "gone";
    std::filesystem::create_directory(gone);
    std::filesystem::remove(gone);
    EXPECT_THROW(ReplaceFileAtomically(gone + "/data.xml", "x"), EFCreateError);
}

TEST_F(AtomicReplaceTest, AFolderInTheWayIsNotReplaced) {
    std::filesystem::create_directory(path_);
    EXPECT_THROW(ReplaceFileAtomically(path_, "x"), EFCreateError);
    EXPECT_TRUE(DirectoryExists(path_));
    EXPECT_EQ(dir_.Names(), std::vector<std::string>{"data.xml"});
}

}  // namespace
}  // namespace velmora::platform
