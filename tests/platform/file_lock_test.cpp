#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstring>
#include <functional>

#include "platform/errors.h"
#include "platform/file_system.h"
#include "tests/platform/temp_folder.h"

namespace velmora::platform {
namespace {

using testing::ReadBytes;
using testing::RunInChildProcess;
using testing::TempFolder;
using testing::WriteBytes;

// What a call made in another process ended with.
enum Outcome { kSucceeded = 0, kCannotOpen = 1, kCannotCreate = 2 };

int OutcomeInChild(const std::function<void()>& call) {
    return RunInChildProcess([&call] {
        try {
            call();
            return int{kSucceeded};
        } catch (const EFOpenError&) {
            return int{kCannotOpen};
        } catch (const EFCreateError&) {
            return int{kCannotCreate};
        }
    });
}

// A reader in progress: the shared lock ReadFileShared holds while it reads.
class SharedLock {
public:
    explicit SharedLock(const std::string& path) : descriptor_(::open(path.c_str(), O_RDONLY)) {
        ::flock(descriptor_, LOCK_SH);
    }
    ~SharedLock() { ::close(descriptor_); }

private:
    int descriptor_;
};

class FileLockTest : public ::testing::Test {
protected:
    void SetUp() override { WriteBytes(path_, "old"); }
    TempFolder dir_;
    const std::string path_ = dir_ / "data.xml";
};

TEST_F(FileLockTest, AnotherProcessCannotWriteWhileAReaderHoldsTheFile) {
    {
        SharedLock reader(path_);
        EXPECT_EQ(OutcomeInChild([&] { ExclusiveFile::CreateOrTruncate(path_); }), kCannotCreate);
        EXPECT_EQ(OutcomeInChild([&] { ExclusiveFile::LockForReplace(path_); }), kCannotCreate);
        EXPECT_EQ(OutcomeInChild([&] { ReadFileShared(path_); }), kSucceeded);
        EXPECT_EQ(ReadBytes(path_), "old");
    }
    EXPECT_EQ(OutcomeInChild([&] { ExclusiveFile::CreateOrTruncate(path_); }), kSucceeded);
}

TEST_F(FileLockTest, AnotherProcessCannotReadOrWriteWhileAWriterHoldsTheFile) {
    {
        ExclusiveFile writer = ExclusiveFile::LockForReplace(path_);
        EXPECT_EQ(OutcomeInChild([&] { ReadFileShared(path_); }), kCannotOpen);
        EXPECT_EQ(OutcomeInChild([&] { ExclusiveFile::LockForReplace(path_); }), kCannotCreate);
    }
    EXPECT_EQ(OutcomeInChild([&] { ReadFileShared(path_); }), kSucceeded);
}

TEST_F(FileLockTest, LockedFileMessageNamesTheFullPathAndTheSystemText) {
    // Each call opens the file anew, so the locks conflict within one process as well.
    ExclusiveFile writer = ExclusiveFile::LockForReplace(path_);
    try {
        ReadFileShared(path_);
        FAIL() << "read a file locked for writing";
    } catch (const EFOpenError& error) {
        EXPECT_EQ(error.Message(), "Cannot open file \"" + path_ + "\". " + strerror(EWOULDBLOCK));
    }
}

TEST_F(FileLockTest, ReadsEveryByte) {
    std::string bytes(200000, '\0');
    for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 7);
    WriteBytes(path_, bytes);
    EXPECT_EQ(ReadFileShared(path_), bytes);
    WriteBytes(path_, "");
    EXPECT_EQ(ReadFileShared(path_), "");
}

TEST_F(FileLockTest, ReadingAMissingFileOrAFolderRaises) {
    try {
        ReadFileShared(dir_ / "missing.xml");
        FAIL() << "read a missing file";
    } catch (const EFOpenError& error) {
        EXPECT_EQ(error.Message(),
                  "Cannot open file \"" + (dir_ / "missing.xml") + "\". No such file or directory");
    }
    EXPECT_THROW(ReadFileShared(dir_.Path()), EFOpenError);
}

TEST_F(FileLockTest, CreateOrTruncateEmptiesTheFileAndWritesAppend) {
    {
        ExclusiveFile file = ExclusiveFile::CreateOrTruncate(path_);
        EXPECT_EQ(ReadBytes(path_), "");
        file.Write("ab");
        file.Write("cd");
    }
    EXPECT_EQ(ReadBytes(path_), "abcd");
}

TEST_F(FileLockTest, CreateInAMissingFolderRaisesCannotCreate) {
    const std::string missing = dir_ / "no/such.xml";
    try {
        ExclusiveFile::CreateOrTruncate(missing);
        FAIL() << "created a file in a missing folder";
    } catch (const EFCreateError& error) {
        EXPECT_EQ(error.Message(),
                  "Cannot create file \"" + missing + "\". No such file or directory");
    }
    EXPECT_THROW(ExclusiveFile::LockForReplace(missing), EFCreateError);
}

TEST_F(FileLockTest, LockForReplaceKeepsTheContentUntilReplaced) {
    ExclusiveFile file = ExclusiveFile::LockForReplace(path_);
    EXPECT_EQ(ReadBytes(path_), "old");
    file.ReplaceContent("new");
    EXPECT_EQ(ReadBytes(path_), "new");
}

TEST_F(FileLockTest, AnAbandonedReplaceRemovesOnlyAFileItCreated) {
    const std::string fresh = dir_ / "fresh.xml";
    { ExclusiveFile::LockForReplace(fresh); }
    { ExclusiveFile::LockForReplace(path_); }
    EXPECT_FALSE(FileExists(fresh));
    EXPECT_EQ(ReadBytes(path_), "old");
    {
        ExclusiveFile file = ExclusiveFile::LockForReplace(fresh);
        file.ReplaceContent("saved");
    }
    EXPECT_EQ(ReadBytes(fresh), "saved");
}

TEST_F(FileLockTest, MovingTheHandleKeepsOneLock) {
    ExclusiveFile first = ExclusiveFile::LockForReplace(path_);
    ExclusiveFile second = std::move(first);
    EXPECT_EQ(OutcomeInChild([&] { ReadFileShared(path_); }), kCannotOpen);
    second = ExclusiveFile::LockForReplace(dir_ / "other.xml");
    EXPECT_EQ(OutcomeInChild([&] { ReadFileShared(path_); }), kSucceeded);
}

}  // namespace
}  // namespace velmora::platform
