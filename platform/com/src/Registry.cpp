#include "lvx/Registry.h"

#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace lvx {

namespace {

[[noreturn]] void FailErrno(const std::string& what, const std::string& path) {
    throw RegistryError(what + " " + path + ": " + std::strerror(errno));
}

std::string ParentFolder(const std::string& path) {
    size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

void MakeFolders(const std::string& folder) {
    struct stat st;
    if (stat(folder.c_str(), &st) == 0) return;
    std::string parent = ParentFolder(folder);
    if (parent != folder) MakeFolders(parent);
    if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) FailErrno("cannot create folder", folder);
}

class FileDescriptor {
  public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    int get() const { return fd_; }
    // Closes now, reporting the result (close can report a failed delayed write).
    int close() {
        int result = ::close(fd_);
        fd_ = -1;
        return result;
    }

  private:
    int fd_;
};

// Writes text to a new file beside path and renames it over path, so the old file stays whole until
// the new one is complete on disk.
void ReplaceFile(const std::string& path, const std::string& text) {
    std::string temp = path + ".XXXXXX";
    FileDescriptor fd(mkostemp(temp.data(), O_CLOEXEC));
    if (fd.get() < 0) FailErrno("cannot create", temp);
    auto fail = [&](const char* what) {
        int saved = errno;
        unlink(temp.c_str());
        errno = saved;
        FailErrno(what, temp);
    };
    struct stat old;
    if (stat(path.c_str(), &old) == 0) fchmod(fd.get(), old.st_mode & 07777);
    size_t done = 0;
    while (done < text.size()) {
        ssize_t n = write(fd.get(), text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n == 0) errno = EIO;
            fail("cannot write");
        }
        done += static_cast<size_t>(n);
    }
    if (fsync(fd.get()) != 0) fail("cannot flush");
    if (fd.close() != 0) fail("cannot close");
    if (rename(temp.c_str(), path.c_str()) != 0) fail("cannot rename");
    // Make the rename itself durable.
    FileDescriptor folder(open(ParentFolder(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.get() >= 0) fsync(folder.get());
}

// Temporary files are only written under the lock, so one found while holding it was left by a writer
// that died; it is never read, but would pile up.
void RemoveStaleTemporaries(const std::string& path) {
    std::string folder = ParentFolder(path);
    size_t slash = path.rfind('/');
    std::string prefix = (slash == std::string::npos ? path : path.substr(slash + 1)) + ".";
    DIR* dir = opendir(folder.c_str());
    if (dir == nullptr) return;
    while (const dirent* entry = readdir(dir)) {
        std::string_view name = entry->d_name;
        if (name.size() != prefix.size() + 6 || name.substr(0, prefix.size()) != prefix) continue;
        std::string_view suffix = name.substr(prefix.size());
        bool generated = true;
        for (char c : suffix)
            generated = generated && std::isalnum(static_cast<unsigned char>(c));
        if (generated) unlinkat(dirfd(dir), entry->d_name, 0);
    }
    closedir(dir);
}

}  // namespace

Registry::Registry(std::string path) : path_(std::move(path)) {}

Registry Registry::Current() {
    if (const char* explicitPath = std::getenv("LAMIVEX_REGISTRY"); explicitPath != nullptr && *explicitPath)
        return Registry(explicitPath);
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config != nullptr && config[0] == '/')
        return Registry(std::string(config) + "/lamivex/registry");
    std::string home;
    if (const char* h = std::getenv("HOME"); h != nullptr && *h) {
        home = h;
    } else if (const passwd* pw = getpwuid(getuid()); pw != nullptr && pw->pw_dir != nullptr) {
        home = pw->pw_dir;
    } else {
        home = ".";
    }
    return Registry(home + "/.config/lamivex/registry");
}

RegistryKey Registry::load() const {
    FileDescriptor fd(open(path_.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) {
        if (errno == ENOENT) return RegistryKey();
        FailErrno("cannot open", path_);
    }
    std::string text;
    char buffer[8192];
    while (true) {
        ssize_t n = read(fd.get(), buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) FailErrno("cannot read", path_);
        if (n == 0) break;
        text.append(buffer, static_cast<size_t>(n));
    }
    try {
        return ParseRegistry(text);
    } catch (const RegistryError& e) {
        throw RegistryError(path_ + ": " + e.what());
    }
}

void Registry::update(const std::function<void(RegistryKey& root)>& edit) const {
    MakeFolders(ParentFolder(path_));
    std::string lockPath = path_ + ".lock";
    FileDescriptor lock(open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600));
    if (lock.get() < 0) FailErrno("cannot open", lockPath);
    // Released when the descriptor closes, also when the process dies.
    while (flock(lock.get(), LOCK_EX) != 0)
        if (errno != EINTR) FailErrno("cannot lock", lockPath);

    RemoveStaleTemporaries(path_);
    RegistryKey root = load();
    std::string before = FormatRegistry(root);
    edit(root);
    std::string after = FormatRegistry(root);
    if (after != before) ReplaceFile(path_, after);
}

}  // namespace lvx
