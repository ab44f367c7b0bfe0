#include "support/FileSizeLimit.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <exception>
#include <filesystem>
#include <vector>

namespace zel::test {

std::optional<std::string> FailureWithFileSizeLimit(std::size_t limitBytes, const std::function<void()>& write) {
    int channel[2];
    if (::pipe(channel) != 0) {
        ADD_FAILURE() << "pipe failed";
        return std::nullopt;
    }
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(channel[0]);
        const rlimit limit{limitBytes, limitBytes};
        ::signal(SIGXFSZ, SIG_IGN);  // a write past the limit then fails instead of killing
        int code = 0;
        std::string text;
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) {
            code = 3;
        } else {
            try {
                write();
            } catch (const std::exception& e) {
                code = 1;
                text = e.what();
            }
        }
        std::size_t done = 0;
        while (done < text.size()) {
            const ssize_t put = ::write(channel[1], text.data() + done, text.size() - done);
            if (put <= 0) break;
            done += static_cast<std::size_t>(put);
        }
        ::_exit(code);
    }
    ::close(channel[1]);
    std::string text;
    char buffer[4096];
    for (ssize_t got; (got = ::read(channel[0], buffer, sizeof buffer)) > 0;) text.append(buffer, got);
    ::close(channel[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!WIFEXITED(status)) {
        ADD_FAILURE() << "the writing process died (signal " << WTERMSIG(status) << ")";
        return "";
    }
    if (WEXITSTATUS(status) == 3) ADD_FAILURE() << "the file size limit could not be set";
    if (WEXITSTATUS(status) == 0) return std::nullopt;
    return text;
}

std::string FolderListing(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    std::string listing;
    for (const std::string& name : names) listing += name + "\n";
    return listing;
}

}  // namespace zel::test
