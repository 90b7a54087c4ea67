#pragma once
// Files and folders. Paths are the system's UTF-8 byte strings and never pass through the code
// page. Failures are raised as the file errors of platform/errors.h.
//
// Sharing: a reader holds a shared advisory lock (flock) while it reads, a writer an exclusive
// one, taken without waiting, so a file being read cannot be written and the reverse. Replacing
// a file goes through a temporary file in the same folder renamed over it, so a failed write
// never leaves an empty or partial file. A save does:
//
//     ExclusiveFile target = ExclusiveFile::LockForReplace(path);  // "Cannot create file" first
//     std::string bytes = BuildTheBytes();
//     target.ReplaceContent(bytes);                                 // atomic
//                                                                   // lock released with target

#include <string>
#include <string_view>

namespace velmora::platform {

// The path made absolute against the current folder (an absolute path is kept as it is). The
// file errors below name the file by this path.
std::string AbsolutePath(const std::string& path);

// Whether something that is not a folder exists at the path (symbolic links are followed).
bool FileExists(const std::string& path);
bool DirectoryExists(const std::string& path);

// Creates the folder together with every missing parent. Returns whether the folder exists
// afterwards; an existing folder is success.
bool CreateDirectories(const std::string& path);

// Copies the bytes of `from` over `to`, replacing `to` atomically; a failed copy leaves `to` as it
// was. Raises EFOpenError when `from` cannot be read, EFCreateError when `to` cannot be written.
void CopyFileReplacing(const std::string& from, const std::string& to);

// The full path of the running executable and its folder (ending in "/").
std::string ExecutablePath();
std::string ExecutableDirectory();

// The folder for temporary files: $TMPDIR when set and not empty, else "/tmp"; ends in "/".
std::string TempDirectory();

// Creates a new, empty file "<folder><prefix><unique suffix>" and returns its path; the caller
// deletes it. Raises EFCreateError when no file can be created there.
// REQUIRES: folder is empty or ends in "/"; prefix holds no "/".
std::string CreateTempFile(std::string_view prefix, const std::string& folder = TempDirectory());

// The whole content of a file, read under a shared lock. Raises EFOpenError ("Cannot open file
// ...") when the file cannot be opened, is locked exclusively by someone else, or reading fails.
std::string ReadFileShared(const std::string& path);

// Writes `bytes` to a temporary file in the target's folder, flushes it to disk, renames it over
// `path` and flushes the folder. An existing target keeps its permission bits; a symbolic link is
// followed and the file it names is replaced. On any failure (also a short write: disk full) the
// temporary file is removed, the target keeps its old content and EFCreateError is raised. The
// one exception is a folder that cannot be flushed after the rename: the new content is then in
// place but may not survive a crash, which is raised as well.
void ReplaceFileAtomically(const std::string& path, std::string_view bytes);

// A file held under an exclusive lock for as long as the object lives.
class ExclusiveFile {
public:
    // Creates the file or cuts it to length 0. Raises EFCreateError ("Cannot create file ...")
    // when it cannot be created or someone else holds a lock on it.
    static ExclusiveFile CreateOrTruncate(const std::string& path);

    // Locks the file without touching its content (creating it empty when missing), to be
    // replaced by ReplaceContent. Raises as CreateOrTruncate. A file created here and never
    // replaced is removed again when the object dies, so a failed save leaves no empty file.
    static ExclusiveFile LockForReplace(const std::string& path);

    ExclusiveFile(ExclusiveFile&& other) noexcept;
    ExclusiveFile& operator=(ExclusiveFile&& other) noexcept;
    ExclusiveFile(const ExclusiveFile&) = delete;
    ExclusiveFile& operator=(const ExclusiveFile&) = delete;
    ~ExclusiveFile();

    const std::string& Path() const noexcept { return path_; }

    // Appends all bytes at the current position. Raises EFCreateError on any failure, also on
    // a short write. REQUIRES: the object came from CreateOrTruncate.
    void Write(std::string_view bytes);

    // The whole content, read from the start. Raises EFOpenError when reading fails.
    std::string ReadAll() const;

    // ReplaceFileAtomically on the locked path.
    void ReplaceContent(std::string_view bytes);

private:
    ExclusiveFile(std::string path, int descriptor, bool createdHere);
    void Close() noexcept;

    std::string path_;
    int descriptor_ = -1;
    bool removeOnClose_ = false;
};

}  // namespace velmora::platform
