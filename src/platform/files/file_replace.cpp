#include "file_replace.h"

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform::files {
namespace {

// Owns one file descriptor.
class UniqueFd {
public:
    explicit UniqueFd(int fd) noexcept : fd_(fd) {}
    ~UniqueFd()
    {
        if (fd_ >= 0) {
            (void)close(fd_);
        }
    }
    UniqueFd(UniqueFd const&) = delete;
    UniqueFd& operator=(UniqueFd const&) = delete;

    [[nodiscard]] int Get() const noexcept { return fd_; }
    [[nodiscard]] bool Valid() const noexcept { return fd_ >= 0; }
    // Closes now, because a failing close can be the first report of a failed write.
    [[nodiscard]] bool Close() noexcept
    {
        int const fd = fd_;
        fd_ = -1;
        return close(fd) == 0;
    }

private:
    int fd_;
};

// Removes the temporary file unless it was renamed into place.
class TemporaryName {
public:
    explicit TemporaryName(std::string name) : name_(std::move(name)) {}
    ~TemporaryName()
    {
        if (!kept_) {
            (void)unlink(name_.c_str());
        }
    }
    TemporaryName(TemporaryName const&) = delete;
    TemporaryName& operator=(TemporaryName const&) = delete;

    [[nodiscard]] char const* Path() const noexcept { return name_.c_str(); }
    void Keep() noexcept { kept_ = true; }

private:
    std::string name_;
    bool kept_ = false;
};

// umask() can only be read by changing it, which races with other threads creating files; the
// kernel reports it in /proc/self/status since Linux 4.7.
mode_t CurrentUmask()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("Umask:", 0) == 0) {
            return static_cast<mode_t>(std::strtoul(line.c_str() + 6, nullptr, 8));
        }
    }
    return 022;
}

bool WriteAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        ssize_t const written = write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// A symbolic link is replaced at what it points to, as opening it for writing would.
std::string ResolvedTarget(std::string const& path)
{
    struct stat link {};
    if (lstat(path.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) {
        std::unique_ptr<char, decltype(&std::free)> const resolved(realpath(path.c_str(), nullptr), &std::free);
        if (resolved) {
            return resolved.get();
        }
    }
    return path;
}

} // namespace

bool ReplaceFileContent(std::string const& path, std::string_view bytes)
{
    if (path.empty()) {
        return false;
    }
    std::string const target = ResolvedTarget(path);

    // A file that may not be written is not replaced, though its folder would allow the rename;
    // the new file takes the old one's permissions, or the usual ones for a new file.
    mode_t mode = 0666 & ~CurrentUmask();
    struct stat old {};
    if (stat(target.c_str(), &old) == 0) {
        if (!S_ISREG(old.st_mode) || access(target.c_str(), W_OK) != 0) {
            return false;
        }
        mode = old.st_mode & 07777;
    }

    std::size_t const slash = target.rfind('/');
    std::string const folder = slash == std::string::npos ? "." : (slash == 0 ? "/" : target.substr(0, slash));
    std::string const name = slash == std::string::npos ? target : target.substr(slash + 1);
    std::string pattern = folder + "/." + name + ".XXXXXX";

    // Close-on-exec, so that a program the opener starts meanwhile holds no copy of it.
    UniqueFd file(mkostemp(pattern.data(), O_CLOEXEC));
    if (!file.Valid()) {
        return false;
    }
    TemporaryName temporary(pattern);
    if (!WriteAll(file.Get(), bytes) || fchmod(file.Get(), mode) != 0 || fsync(file.Get()) != 0 || !file.Close()) {
        return false;
    }
    if (rename(temporary.Path(), target.c_str()) != 0) {
        return false;
    }
    temporary.Keep();

    // The rename itself reaches the disk with the folder; the file is in place either way.
    UniqueFd const directory(open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (directory.Valid()) {
        (void)fsync(directory.Get());
    }
    return true;
}

} // namespace platform::files
