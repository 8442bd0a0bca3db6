#include "files/cmcSafeFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "files/FileErr.h"

namespace cmcSafeFile {

namespace {

// An open descriptor that closes itself, unless released.
class Fd {
public:
    explicit Fd(int fd) : m_fd(fd) {}
    ~Fd() {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;

    int Get() const { return m_fd; }
    bool Valid() const { return m_fd >= 0; }
    // Closes now, reporting whether the close succeeded: on some file
    // systems the final write error shows only here.
    bool Close() {
        int fd = m_fd;
        m_fd = -1;
        return ::close(fd) == 0;
    }

private:
    int m_fd;
};

bool WriteAll(int fd, const std::string& content) {
    size_t done = 0;
    while (done < content.size()) {
        ssize_t n = ::write(fd, content.data() + done, content.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

std::string FolderOf(const std::string& path) {
    size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// A symbolic link keeps pointing at the saved file: the file it names is the
// one replaced, not the link.
std::string ResolveTarget(const std::string& path) {
    struct stat link {};
    if (::lstat(path.c_str(), &link) != 0 || !S_ISLNK(link.st_mode)) {
        return path;
    }
    std::unique_ptr<char, decltype(&std::free)> real(::realpath(path.c_str(), nullptr), &std::free);
    return real ? std::string(real.get()) : path;
}

// Creates the temporary beside the target. O_EXCL with fresh names: a stale
// temporary of an earlier crash is never reused or truncated.
int CreateTemporary(const std::string& target, std::string& temporary) {
    std::string stem = FolderOf(target) + "/." + NameOf(target).substr(0, 200) + ".tmp";
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = stem + std::to_string(::getpid()) + "-" + std::to_string(attempt);
        int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    return -1;
}

// Devices and pipes cannot be replaced by renaming; they are written as they
// are, as any program writing to them would.
int WriteInPlace(const std::string& path, const std::string& content) {
    Fd fd(::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC));
    if (!fd.Valid()) {
        return FileErr::kFileOpen;
    }
    return WriteAll(fd.Get(), content) && fd.Close() ? FileErr::kNone : FileErr::kFileAccess;
}

int WriteTemporary(int fd, const std::string& content, const struct stat* old) {
    if (old != nullptr) {
        // The new file keeps the permissions the user gave the old one.
        ::fchmod(fd, old->st_mode & 07777);
    }
    bool ok = WriteAll(fd, content) && ::fsync(fd) == 0;
    return ok ? FileErr::kNone : FileErr::kFileAccess;
}

void SyncFolder(const std::string& folder) {
    Fd dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.Valid()) {
        ::fsync(dir.Get());
    }
}

}  // namespace

int Write(const std::string& path, const std::string& content) {
    if (path.empty()) {
        return FileErr::kFileOpen;
    }
    std::string target = ResolveTarget(path);
    struct stat old {};
    bool exists = ::stat(target.c_str(), &old) == 0;
    if (exists && S_ISDIR(old.st_mode)) {
        return FileErr::kFileOpen;
    }
    if (exists && !S_ISREG(old.st_mode)) {
        return WriteInPlace(target, content);
    }
    // A write-protected file stays protected, as when it is opened for writing.
    if (exists && ::access(target.c_str(), W_OK) != 0) {
        return FileErr::kFileOpen;
    }
    std::string temporary;
    Fd fd(CreateTemporary(target, temporary));
    if (!fd.Valid()) {
        return FileErr::kFileOpen;
    }
    int result = WriteTemporary(fd.Get(), content, exists ? &old : nullptr);
    if (!fd.Close() && result == FileErr::kNone) {
        result = FileErr::kFileAccess;
    }
    if (result == FileErr::kNone && std::rename(temporary.c_str(), target.c_str()) != 0) {
        result = FileErr::kFileAccess;
    }
    if (result != FileErr::kNone) {
        ::unlink(temporary.c_str());
        return result;
    }
    SyncFolder(FolderOf(target));
    return FileErr::kNone;
}

}  // namespace cmcSafeFile
