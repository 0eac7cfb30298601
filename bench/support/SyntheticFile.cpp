#include "bench/support/SyntheticFile.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>

#include "bench/synth/SyntheticDataFile.h"

namespace {

bool Build(const std::string& path, std::int64_t messages) {
  TSyntheticSummary summary;
  std::string error;
  if (!WriteSyntheticDataFile(path, messages, {}, summary, error)) {
    std::fprintf(stderr, "data file not built: %s\n", error.c_str());
    return false;
  }
  return true;
}

}  // namespace

bool EnsureSyntheticDataFile(const std::string& path, std::int64_t messages) {
  if (std::filesystem::exists(path)) {
    return true;
  }
  std::fprintf(stderr, "building %s ...\n", path.c_str());
  // Built in a child of its own: the kernel counts the memory a process holds when it starts
  // a program in that program's peak, so a benchmark that measured its children's memory
  // after building the file in-process would measure the building.
  const pid_t child = fork();
  if (child < 0) {
    return Build(path, messages);
  }
  if (child == 0) {
    std::fflush(stderr);
    _exit(Build(path, messages) ? 0 : 1);
  }
  int status = 0;
  return waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}
