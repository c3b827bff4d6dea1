#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/files.h"

namespace grelvin {

namespace {

int descriptor(std::intptr_t handle) { return static_cast<int>(handle); }

bool writeAll(int fd, const char* data, std::size_t size) {
    while (size != 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

}  // namespace

void initPlatform() {
    // A size limit or a closed pipe then fails the write, which the converter
    // reports and cleans up after, instead of ending the process.
    ::signal(SIGXFSZ, SIG_IGN);
    ::signal(SIGPIPE, SIG_IGN);
}

bool openInputFile(const char* path, InputFile& file, long& errorCode) {
    const int fd = ::open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        errorCode = errno;
        return false;
    }
    struct stat status {};
    if (::fstat(fd, &status) == 0 && S_ISDIR(status.st_mode)) {
        ::close(fd);
        errorCode = EISDIR;
        return false;
    }
    file.handle = fd;
    return true;
}

InputImage readInputFile(const InputFile& file) {
    const int fd = descriptor(file.handle);
    InputImage image;
    struct stat status {};
    std::size_t expected = 0;
    if (::fstat(fd, &status) == 0 && S_ISREG(status.st_mode) && status.st_size > 0) {
        expected = static_cast<std::size_t>(status.st_size);
    }
    // One byte more than the expected size, so that a regular file is read in
    // one call and its end seen in the next.
    image.resize(expected + 1 > 65536 ? expected + 1 : 65536);
    std::size_t used = 0;
    for (;;) {
        if (used == image.size()) {
            image.resize(image.size() * 2);
        }
        const ssize_t got = ::read(fd, image.data() + used, image.size() - used);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            break;
        }
        used += static_cast<std::size_t>(got);
    }
    image.resize(used);
    return image;
}

void closeInputFile(InputFile& file) {
    if (file.handle >= 0) {
        ::close(descriptor(file.handle));
        file.handle = -1;
    }
}

bool openOutputFile(const char* path, const InputFile& input, OutputFile& file) {
    // No O_TRUNC: the file is emptied only once it is known not to be the input.
    const int fd = ::open(path, O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) {
        return false;
    }
    struct stat outputStatus {};
    struct stat inputStatus {};
    if (::fstat(fd, &outputStatus) != 0 ||
        (::fstat(descriptor(input.handle), &inputStatus) == 0 &&
         outputStatus.st_dev == inputStatus.st_dev && outputStatus.st_ino == inputStatus.st_ino)) {
        ::close(fd);
        return false;
    }
    file.isRegular = S_ISREG(outputStatus.st_mode);
    file.volume = static_cast<std::uint64_t>(outputStatus.st_dev);
    file.index = static_cast<std::uint64_t>(outputStatus.st_ino);
    if (file.isRegular && ::ftruncate(fd, 0) != 0) {
        ::close(fd);
        return false;
    }
    file.handle = fd;
    return true;
}

bool writeOutputFile(const OutputFile& file, const char* data, std::size_t size) {
    return writeAll(descriptor(file.handle), data, size);
}

bool closeOutputFile(OutputFile& file) {
    if (file.handle < 0) {
        return true;
    }
    const int result = ::close(descriptor(file.handle));
    file.handle = -1;
    return result == 0;
}

void discardOutputFile(const char* path, OutputFile& file) {
    if (!file.isRegular) {
        closeOutputFile(file);
        return;
    }
    struct stat pathStatus {};
    const bool pathIsThisFile = ::lstat(path, &pathStatus) == 0 && S_ISREG(pathStatus.st_mode) &&
                                static_cast<std::uint64_t>(pathStatus.st_dev) == file.volume &&
                                static_cast<std::uint64_t>(pathStatus.st_ino) == file.index;
    if (pathIsThisFile) {
        ::unlink(path);
    } else if (file.handle >= 0) {
        // Reached through a link: empty the file rather than remove the link.
        static_cast<void>(::ftruncate(descriptor(file.handle), 0));
    }
    closeOutputFile(file);
}

void writeConsole(std::string_view text) { writeAll(STDOUT_FILENO, text.data(), text.size()); }

}  // namespace grelvin
