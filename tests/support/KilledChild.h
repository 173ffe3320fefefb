#pragma once

// A helper program for a kill test, started as a child of the test: its standard output comes
// back through a pipe, it dies with the test, and it is running its own code once started
// returns, ready to be killed at a moment the test picks.
#include <cerrno>
#include <csignal>
#include <string>
#include <vector>

#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

struct KilledChild
{
    pid_t pid = -1;
    int output = -1; // the read end of its standard output; the test closes it
};

// Starts program with arguments in folder (the test's own when empty) and returns once the child
// has written its first byte, the sign that its work is about to begin; pid -1 when it could
// not start or ended before that.
inline KilledChild startKilledChild(const char *program, const std::vector<std::string> &arguments,
                                    const std::string &folder = {})
{
    int ends[2];
    if (pipe(ends) != 0)
        return {};
    // Everything the child needs is made before the fork: after it, only system calls.
    std::vector<char *> argv { const_cast<char *>(program) };
    for (const std::string &argument : arguments)
        argv.push_back(const_cast<char *>(argument.c_str()));
    argv.push_back(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        // A child outlives no test that dies first.
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        dup2(ends[1], STDOUT_FILENO);
        close(ends[0]);
        close(ends[1]);
        if (folder.empty() || chdir(folder.c_str()) == 0)
            execv(program, argv.data());
        _exit(127);
    }
    close(ends[1]);
    char started = 0;
    ssize_t got = -1;
    if (pid > 0) {
        do
            got = read(ends[0], &started, 1);
        while (got < 0 && errno == EINTR);
    }
    if (pid <= 0 || got != 1) {
        if (pid > 0)
            waitpid(pid, nullptr, 0);
        close(ends[0]);
        return {};
    }
    return { pid, ends[0] };
}
