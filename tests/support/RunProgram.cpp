#include "support/RunProgram.h"

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <stdexcept>

namespace zel::test {

namespace {

void Pipe(int fds[2]) {
    if (::pipe(fds) != 0) throw std::runtime_error("pipe failed");
}

}  // namespace

ProgramResult RunProgram(const std::vector<std::string>& argv, const std::string& stdinText,
                         const std::vector<std::pair<std::string, std::string>>& environment) {
    int in[2], out[2], err[2];
    Pipe(in);
    Pipe(out);
    Pipe(err);
    pid_t pid = ::fork();
    if (pid < 0) throw std::runtime_error("fork failed");
    if (pid == 0) {
        ::dup2(in[0], 0);
        ::dup2(out[1], 1);
        ::dup2(err[1], 2);
        for (int fd : {in[0], in[1], out[0], out[1], err[0], err[1]}) ::close(fd);
        for (const auto& [name, value] : environment) ::setenv(name.c_str(), value.c_str(), 1);
        std::vector<char*> args;
        for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        ::execv(args[0], args.data());
        ::_exit(127);
    }
    ::close(in[0]);
    ::close(out[1]);
    ::close(err[1]);
    // A child that does not read its stdin must not make us block or die of SIGPIPE.
    struct sigaction ignore{}, previous{};
    ignore.sa_handler = SIG_IGN;
    ::sigaction(SIGPIPE, &ignore, &previous);
    std::size_t written = 0;
    if (stdinText.empty()) {
        ::close(in[1]);
        in[1] = -1;
    }
    ProgramResult result;
    bool outOpen = true, errOpen = true;
    while (outOpen || errOpen) {
        pollfd fds[3] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}, {in[1], POLLOUT, 0}};
        nfds_t count = in[1] >= 0 ? 3 : 2;
        if (::poll(fds, count, -1) < 0) {
            if (errno == EINTR) continue;
            break;
        }
        char buffer[65536];
        auto drain = [&](pollfd& p, std::string& into, bool& open) {
            if (!open || !(p.revents & (POLLIN | POLLHUP | POLLERR))) return;
            ssize_t n = ::read(p.fd, buffer, sizeof buffer);
            if (n > 0) into.append(buffer, static_cast<std::size_t>(n));
            else if (n == 0 || errno != EINTR) open = false;
        };
        drain(fds[0], result.out, outOpen);
        drain(fds[1], result.err, errOpen);
        if (in[1] >= 0 && (fds[2].revents & (POLLOUT | POLLERR | POLLHUP))) {
            ssize_t n = ::write(in[1], stdinText.data() + written, stdinText.size() - written);
            if (n > 0) written += static_cast<std::size_t>(n);
            if (n < 0 || written == stdinText.size()) {
                ::close(in[1]);
                in[1] = -1;
            }
        }
    }
    if (in[1] >= 0) ::close(in[1]);
    ::close(out[0]);
    ::close(err[0]);
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    ::sigaction(SIGPIPE, &previous, nullptr);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

}  // namespace zel::test
