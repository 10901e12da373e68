#pragma once

#include <QString>
#include <string>
#include <sys/types.h>
#include <vector>

// Starts `args` (the program's path first) with exactly `env`, standard input from /dev/null and
// its output into `log`; the child dies with the test process. Throws when fork fails.
pid_t spawnChild(std::vector<std::string> args, std::vector<std::string> env, const QString& log);
