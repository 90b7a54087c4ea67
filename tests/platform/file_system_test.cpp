#include "platform/file_system.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/errors.h"
#include "tests/platform/case_name.h"
#include "tests/platform/scoped_environment.h"
#include "tests/platform/temp_folder.h"

namespace velmora::platform {
namespace {

using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

struct ExistsCase {
    const char* name;
    const char* entry;
    bool file;
    bool folder;
};

class ExistsTest : public ::testing::TestWithParam<ExistsCase> {
protected:
    void SetUp() override {
        WriteBytes(dir_ / "file", "x");
        std::filesystem::create_directory(dir_ / "folder");
        std::filesystem::create_symlink(dir_ / "file", dir_ / "link");
        std::filesystem::create_symlink(dir_ / "gone", dir_ / "dangling");
    }
    TempFolder dir_;
};

TEST_P(ExistsTest, TellsFilesFromFolders) {
    const std::string path = GetParam().entry[0] ? dir_ / GetParam().entry : std::string();
    EXPECT_EQ(FileExists(path), GetParam().file);
    EXPECT_EQ(DirectoryExists(path), GetParam().folder);
}

INSTANTIATE_TEST_SUITE_P(Entries, ExistsTest,
                         ::testing::Values(ExistsCase{"File", "file", true, false},
                                           ExistsCase{"Folder", "folder", false, true},
                                           ExistsCase{"LinkToFile", "link", true, false},
                                           ExistsCase{"DanglingLink", "dangling", false, false},
                                           ExistsCase{"Missing", "missing", false, false},
                                           ExistsCase{"Empty", "", false, false}),
                         testing::kCaseName);

TEST(CreateDirectories, CreatesMissingParentsAndAcceptsExistingFolder) {
    TempFolder dir;
    EXPECT_TRUE(CreateDirectories(dir / "a/b/c"));
    EXPECT_TRUE(DirectoryExists(dir / "a/b/c"));
    EXPECT_TRUE(CreateDirectories(dir / "a/b"));
}

TEST(CreateDirectories, FailsUnderAFileAndForEmptyPath) {
    TempFolder dir;
    WriteBytes(dir / "file", "x");
    EXPECT_FALSE(CreateDirectories(dir / "file/sub"));
    EXPECT_FALSE(CreateDirectories(""));
}

TEST(ExecutablePath, NamesThisTestProgram) {
    const std::string path = ExecutablePath();
    EXPECT_EQ(path.front(), '/');
    EXPECT_EQ(ExecutableDirectory() + "platform_tests", path);
    EXPECT_TRUE(FileExists(path));
}

TEST(AbsolutePath, JoinsRelativePathsToTheCurrentFolder) {
    EXPECT_EQ(AbsolutePath("/x/y.xml"), "/x/y.xml");
    EXPECT_EQ(AbsolutePath("y.xml"), std::filesystem::current_path().string() + "/y.xml");
}

struct TempCase {
    const char* name;
    const char* tmpdir;
    const char* folder;
};

class TempDirectoryTest : public ::testing::TestWithParam<TempCase> {};

TEST_P(TempDirectoryTest, ComesFromTheEnvironment) {
    testing::ScopedEnvironment tmpdir("TMPDIR", GetParam().tmpdir);
    EXPECT_EQ(TempDirectory(), GetParam().folder);
}

INSTANTIATE_TEST_SUITE_P(Values, TempDirectoryTest,
                         ::testing::Values(TempCase{"Set", "/var/x", "/var/x/"},
                                           TempCase{"WithSlash", "/var/x/", "/var/x/"},
                                           TempCase{"Empty", "", "/tmp/"},
                                           TempCase{"Unset", nullptr, "/tmp/"}),
                         testing::kCaseName);

TEST(CreateTempFile, CreatesDistinctEmptyFilesWithThePrefix) {
    TempFolder dir;
    const std::string first = CreateTempFile("RPP", dir.Path() + "/");
    const std::string second = CreateTempFile("RPP", dir.Path() + "/");
    EXPECT_NE(first, second);
    for (const std::string& path : {first, second}) {
        EXPECT_EQ(path.rfind(dir / "RPP", 0), 0u) << path;
        EXPECT_TRUE(FileExists(path));
        EXPECT_EQ(std::filesystem::file_size(path), 0u);
    }
}

TEST(CreateTempFile, RaisesInAMissingFolder) {
    TempFolder dir;
    EXPECT_THROW(CreateTempFile("RPP", dir / "missing/"), EFCreateError);
}

TEST(CopyFileReplacing, CopiesEveryByteOverAnExistingFile) {
    TempFolder dir;
    const std::string bytes("a\0b\xFF\r\n", 6);
    WriteBytes(dir / "from", bytes);
    WriteBytes(dir / "to", "old content that is longer");
    CopyFileReplacing(dir / "from", dir / "to");
    EXPECT_EQ(ReadBytes(dir / "to"), bytes);
    CopyFileReplacing(dir / "from", dir / "new");
    EXPECT_EQ(ReadBytes(dir / "new"), bytes);
}

TEST(CopyFileReplacing, MissingSourceLeavesTargetAlone) {
    TempFolder dir;
    WriteBytes(dir / "to", "old");
    EXPECT_THROW(CopyFileReplacing(dir / "missing", dir / "to"), EFOpenError);
    EXPECT_EQ(ReadBytes(dir / "to"), "old");
}

TEST(CopyFileReplacing, TargetInAMissingFolderRaises) {
    TempFolder dir;
    WriteBytes(dir / "from", "x");
    EXPECT_THROW(CopyFileReplacing(dir / "from", dir / "missing/to"), EFCreateError);
}

}  // namespace
}  // namespace velmora::platform
