#include "bench/desktop_children.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "bench/desktop_measure.h"

namespace zarb::bench {

namespace {

struct Pipes {
    int out[2];
    int in[2];
};

// In the child: standard output to the parent, standard input from it, then this program again.
[[noreturn]] void becomeChild(const Pipes& pipes, const std::vector<std::string>& arguments,
                              double startedMs) {
    dup2(pipes.out[1], STDOUT_FILENO);
    dup2(pipes.in[0], STDIN_FILENO);
    for (const int fd : {pipes.out[0], pipes.out[1], pipes.in[0], pipes.in[1]}) {
        close(fd);
    }
    std::vector<std::string> words = {program_invocation_short_name, "--child", arguments[0],
                                      std::to_string(startedMs)};
    words.insert(words.end(), arguments.begin() + 1, arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);
    execv("/proc/self/exe", argv.data());
    std::perror("execv");
    _exit(127);
}

Results readLines(FILE* lines, FILE* answer, pid_t child,
                  const std::function<void(const ChildLine&)>& heard) {
    Results results;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, lines) != nullptr) {
        char name[128];
        double value = 0;
        if (std::sscanf(buffer, "%127s %lf", name, &value) != 2) {
            continue;
        }
        results[name] = value;
        if (heard) {
            heard({name, value, child, answer, results});
        }
    }
    return results;
}

}  // namespace

Results runChildProcess(const std::vector<std::string>& arguments,
                        const std::function<void(const ChildLine&)>& heard) {
    Pipes pipes{};
    if (pipe(pipes.out) != 0 || pipe(pipes.in) != 0) {
        std::perror("pipe");
        std::exit(1);
    }
    const double started = nowMs();
    const pid_t child = fork();
    if (child < 0) {
        std::perror("fork");
        std::exit(1);
    }
    if (child == 0) {
        becomeChild(pipes, arguments, started);
    }
    close(pipes.out[1]);
    close(pipes.in[0]);
    FILE* lines = fdopen(pipes.out[0], "r");
    FILE* answer = fdopen(pipes.in[1], "w");
    Results results = readLines(lines, answer, child, heard);
    std::fclose(lines);
    std::fclose(answer);
    int status = 0;
    waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s: the %s run failed\n", program_invocation_short_name,
                     arguments[0].c_str());
        std::exit(1);
    }
    return results;
}

}  // namespace zarb::bench
