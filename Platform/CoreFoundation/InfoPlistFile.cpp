#include "InfoPlistFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Closes the descriptor on every way out.
struct Descriptor {
    explicit Descriptor(int fd) : fd(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() {
        if (fd >= 0) {
            close(fd);
        }
    }
    const int fd;
};

} // namespace

FileBytes ReadInfoPlistFile(const std::string& path) {
    // O_NONBLOCK: opening a FIFO for reading would otherwise wait for a writer.
    const Descriptor file(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    struct stat status;
    if (file.fd < 0 || fstat(file.fd, &status) != 0 || !S_ISREG(status.st_mode) ||
        status.st_size <= 0 || static_cast<std::size_t>(status.st_size) > maxInfoPlistSize) {
        return {};
    }
    // Sized from fstat and left uninitialised: the launcher starts faster when
    // this path allocates and clears no more than the file needs.
    FileBytes bytes{
        std::make_unique_for_overwrite<char[]>(static_cast<std::size_t>(status.st_size)), 0};
    const auto capacity = static_cast<std::size_t>(status.st_size);
    while (bytes.size < capacity) {
        const auto got = read(file.fd, bytes.data.get() + bytes.size, capacity - bytes.size);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            return {};
        }
        if (got == 0) {
            break; // the file shrank while being read; what was read is what there is
        }
        bytes.size += static_cast<std::size_t>(got);
    }
    return bytes;
}
