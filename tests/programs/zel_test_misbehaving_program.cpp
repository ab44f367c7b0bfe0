// Stands in for an external program that goes wrong (the locator, the F-K module). Tests copy it
// to where the workstation looks for the program and write what it should do into a file of the
// same name with ".mode" appended:
//   hang             prints a line, then sleeps until killed
//   abort            prints a line, then dies of SIGABRT
//   exit N           prints a line, then ends with status N
//   garbage          writes bytes that are no answer to its second argument and standard output
//   answer-abort     writes a well-formed F-K answer to its second argument, then dies of SIGABRT
// Its process id goes to "<program>.pid", so a test can check that a killed program is gone.

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {

std::string SelfPath() {
    char path[4096];
    const ssize_t n = ::readlink("/proc/self/exe", path, sizeof path - 1);
    return n > 0 ? std::string(path, static_cast<std::size_t>(n)) : std::string();
}

void Write(const char* path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string self = SelfPath();
    std::ifstream modeFile(self + ".mode");
    std::string mode;
    int status = 0;
    modeFile >> mode >> status;
    std::ofstream(self + ".pid") << ::getpid() << "\n";
    std::printf("misbehaving program started: %s\n", mode.c_str());
    std::fflush(stdout);

    if (mode == "hang") {
        for (;;) ::pause();
    } else if (mode == "abort") {
        std::abort();
    } else if (mode == "exit") {
        return status;
    } else if (mode == "garbage") {
        std::string junk = "slowness? \xff\xfe\x01 azimuth! nan-ish ###\n";
        for (int i = 0; i < 12; ++i) junk += junk;  // well past any output limit
        if (argc > 2) Write(argv[2], junk.substr(0, 200));
        std::fwrite(junk.data(), 1, junk.size(), stdout);
        return 0;
    } else if (mode == "answer-abort") {
        if (argc > 2) Write(argv[2], "0.0700 151.5\n");
        std::abort();
    }
    std::fprintf(stderr, "unknown mode '%s'\n", mode.c_str());
    return 2;
}
