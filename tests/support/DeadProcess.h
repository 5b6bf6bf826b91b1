#pragma once

#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

// The id of a process that has ended, as a killed writer's files carry it.
inline pid_t deadProcess() {
    const pid_t child = ::fork();
    if (child == 0) ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return child;
}
