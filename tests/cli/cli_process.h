// ngm-cli run as a process, as a user runs it: its exit status and what it wrote on each
// stream, with Japanese texts.
#pragma once

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "cli_support.h"

inline CliRun RunCliProcess(const std::vector<std::string>& args, const fs::path& scratch) {
    const fs::path out = scratch / ".stdout", err = scratch / ".stderr";
    const pid_t pid = fork();
    if (pid == 0) {
        const int o = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int e = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        dup2(o, 1);
        dup2(e, 2);
        setenv("NGM_LANG", "ja", 1);
        std::vector<char*> argv{const_cast<char*>(NGM_CLI)};
        for (const std::string& a : args)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(NGM_CLI, argv.data());
        _exit(127);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    CliRun run{WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status), Slurp(out),
               Slurp(err)};
    fs::remove(out);
    fs::remove(err);
    return run;
}
