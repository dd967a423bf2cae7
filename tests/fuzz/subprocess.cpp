#include "tests/fuzz/subprocess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <stdexcept>

namespace zarb::fuzz {

namespace {

void closeIfOpen(int& fd) {
    if (fd >= 0) {
        ::close(fd);
        fd = -1;
    }
}

void makePipe(int fds[2]) {
    if (::pipe(fds) != 0) {
        throw std::runtime_error(std::string("pipe: ") + std::strerror(errno));
    }
}

}  // namespace

Finished runProgram(const std::string& program, const std::vector<std::string>& arguments,
                    const std::string& input, double timeoutMs, std::size_t keepBytes) {
    // A program that ends before it has read all its input must not end this one.
    ::signal(SIGPIPE, SIG_IGN);

    int toChild[2], fromOut[2], fromErr[2];
    makePipe(toChild);
    makePipe(fromOut);
    makePipe(fromErr);

    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);

    const auto started = std::chrono::steady_clock::now();
    const pid_t pid = ::fork();
    if (pid < 0) {
        throw std::runtime_error(std::string("fork: ") + std::strerror(errno));
    }
    if (pid == 0) {
        ::dup2(toChild[0], 0);
        ::dup2(fromOut[1], 1);
        ::dup2(fromErr[1], 2);
        for (int fd : {toChild[0], toChild[1], fromOut[0], fromOut[1], fromErr[0], fromErr[1]}) {
            ::close(fd);
        }
        ::execv(program.c_str(), argv.data());
        ::_exit(127);
    }
    ::close(toChild[0]);
    ::close(fromOut[1]);
    ::close(fromErr[1]);
    int writeFd = toChild[1], outFd = fromOut[0], errFd = fromErr[0];
    for (int fd : {writeFd, outFd, errFd}) {
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    }

    Finished finished;
    std::size_t written = 0;
    if (input.empty()) {
        closeIfOpen(writeFd);
    }
    const auto deadline = started + std::chrono::duration<double, std::milli>(timeoutMs);
    char buffer[1 << 16];
    while (outFd >= 0 || errFd >= 0) {
        const auto now = std::chrono::steady_clock::now();
        if (now >= deadline) {
            finished.timedOut = true;
            ::kill(pid, SIGKILL);
            break;
        }
        pollfd fds[3];
        int count = 0;
        for (int fd : {writeFd, outFd, errFd}) {
            if (fd >= 0) {
                fds[count++] = {fd, static_cast<short>(fd == writeFd ? POLLOUT : POLLIN), 0};
            }
        }
        const auto waitMs =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - now).count() + 1;
        if (::poll(fds, static_cast<nfds_t>(count), static_cast<int>(waitMs)) < 0) {
            if (errno == EINTR) {
                continue;
            }
            throw std::runtime_error(std::string("poll: ") + std::strerror(errno));
        }
        for (int i = 0; i < count; ++i) {
            if (fds[i].revents == 0) {
                continue;
            }
            if (fds[i].fd == writeFd) {
                const ssize_t n = ::write(writeFd, input.data() + written, input.size() - written);
                if (n > 0) {
                    written += static_cast<std::size_t>(n);
                }
                if ((n < 0 && errno != EAGAIN && errno != EINTR) || written == input.size()) {
                    closeIfOpen(writeFd);
                }
                continue;
            }
            const bool isOut = fds[i].fd == outFd;
            const ssize_t n = ::read(fds[i].fd, buffer, sizeof buffer);
            if (n > 0) {
                std::string& into = isOut ? finished.out : finished.err;
                const std::size_t room =
                    into.size() < keepBytes ? keepBytes - into.size() : std::size_t{0};
                into.append(buffer, std::min(room, static_cast<std::size_t>(n)));
                if (static_cast<std::size_t>(n) > room && isOut) {
                    finished.outCut = true;
                }
            } else if (n == 0 || (errno != EAGAIN && errno != EINTR)) {
                closeIfOpen(isOut ? outFd : errFd);
            }
        }
    }
    closeIfOpen(writeFd);
    closeIfOpen(outFd);
    closeIfOpen(errFd);

    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    finished.elapsedMs =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started)
            .count();
    if (WIFSIGNALED(status)) {
        finished.signal = WTERMSIG(status);
    } else if (WIFEXITED(status)) {
        finished.exitStatus = WEXITSTATUS(status);
    }
    return finished;
}

std::string describeEnd(const Finished& finished) {
    if (finished.timedOut) {
        return "timed out after " + std::to_string(static_cast<long>(finished.elapsedMs)) + " ms";
    }
    if (finished.signal != 0) {
        return "signal " + std::to_string(finished.signal) + " (" + ::strsignal(finished.signal) +
               ")";
    }
    return "exit status " + std::to_string(finished.exitStatus);
}

}  // namespace zarb::fuzz
