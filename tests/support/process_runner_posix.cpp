#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

#include "support/process_runner.h"

namespace grelvin::testing {

ProcessResult runProgram(const std::string& program, const std::vector<std::string>& arguments,
                         const std::filesystem::path& workingDirectory,
                         const std::string& standardInput, long fileSizeLimit) {
    int inPipe[2];
    int outPipe[2];
    int errPipe[2];
    if (::pipe(inPipe) != 0 || ::pipe(outPipe) != 0 || ::pipe(errPipe) != 0) {
        throw std::runtime_error("pipe failed");
    }
    const pid_t child = ::fork();
    if (child < 0) {
        throw std::runtime_error("fork failed");
    }
    if (child == 0) {
        ::dup2(inPipe[0], STDIN_FILENO);
        ::dup2(outPipe[1], STDOUT_FILENO);
        ::dup2(errPipe[1], STDERR_FILENO);
        for (int fd : {inPipe[0], inPipe[1], outPipe[0], outPipe[1], errPipe[0], errPipe[1]}) {
            ::close(fd);
        }
        if (::chdir(workingDirectory.c_str()) != 0) {
            ::_exit(126);
        }
        if (fileSizeLimit > 0) {
            ::signal(SIGXFSZ, SIG_IGN);
            rlimit limit{static_cast<rlim_t>(fileSizeLimit), static_cast<rlim_t>(fileSizeLimit)};
            ::setrlimit(RLIMIT_FSIZE, &limit);
        }
        std::vector<char*> argv;
        argv.push_back(const_cast<char*>(program.c_str()));
        for (const std::string& argument : arguments) {
            argv.push_back(const_cast<char*>(argument.c_str()));
        }
        argv.push_back(nullptr);
        ::execv(program.c_str(), argv.data());
        ::_exit(127);
    }
    ::close(inPipe[0]);
    ::close(outPipe[1]);
    ::close(errPipe[1]);
    ::signal(SIGPIPE, SIG_IGN);

    ProcessResult result;
    std::size_t inputWritten = 0;
    int inputFd = inPipe[1];
    if (standardInput.empty()) {
        ::close(inputFd);
        inputFd = -1;
    } else {
        ::fcntl(inputFd, F_SETFL, O_NONBLOCK);
    }
    bool outOpen = true;
    bool errOpen = true;
    while (outOpen || errOpen) {
        pollfd fds[3] = {{outPipe[0], POLLIN, 0}, {errPipe[0], POLLIN, 0}, {inputFd, POLLOUT, 0}};
        if (!outOpen) fds[0].fd = -1;
        if (!errOpen) fds[1].fd = -1;
        if (::poll(fds, 3, -1) < 0) {
            if (errno == EINTR) continue;
            break;
        }
        char buffer[65536];
        for (int i = 0; i < 2; ++i) {
            if (fds[i].revents != 0) {
                const ssize_t got = ::read(fds[i].fd, buffer, sizeof buffer);
                if (got <= 0) {
                    (i == 0 ? outOpen : errOpen) = false;
                } else {
                    (i == 0 ? result.standardOutput : result.standardError)
                        .append(buffer, static_cast<std::size_t>(got));
                }
            }
        }
        if (inputFd >= 0 && fds[2].revents != 0) {
            const ssize_t put = ::write(inputFd, standardInput.data() + inputWritten,
                                        standardInput.size() - inputWritten);
            if (put > 0) inputWritten += static_cast<std::size_t>(put);
            if (put < 0 || inputWritten == standardInput.size()) {
                ::close(inputFd);
                inputFd = -1;
            }
        }
    }
    if (inputFd >= 0) ::close(inputFd);
    ::close(outPipe[0]);
    ::close(errPipe[0]);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    result.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

ScratchDirectory::ScratchDirectory() {
    std::string pattern = (std::filesystem::temp_directory_path() / "grelvin-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("mkdtemp failed");
    }
    path = pattern;
}

ScratchDirectory::~ScratchDirectory() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
}

void writeFile(const std::filesystem::path& path, const Bytes& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data.data()),
               static_cast<std::streamsize>(bytes.data.size()));
}

void writeFile(const std::filesystem::path& path, std::string_view bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string readFile(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

}  // namespace grelvin::testing
