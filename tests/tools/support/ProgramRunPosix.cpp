#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <vector>

#include "tests/tools/support/ProgramRun.h"

namespace SystemProcess {

const char* const kExecutableSuffix = "";
const bool kLinesEndInCrLf = false;

namespace {

// In the child, with everything it needs made before: never returns.
[[noreturn]] void Become(const TProgramStart& start, const std::vector<char*>& argv,
                         const std::string& out, const std::string& err) {
  if (!start.Folder.empty() && chdir(start.Folder.c_str()) != 0) {
    _exit(127);
  }
  const int in = open("/dev/null", O_RDONLY);
  const int o = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  const int e = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  if (in < 0 || o < 0 || e < 0 || dup2(in, 0) < 0 || dup2(o, 1) < 0 || dup2(e, 2) < 0) {
    _exit(127);
  }
  if (start.FileSizeLimit > 0) {
    const rlimit limit{static_cast<rlim_t>(start.FileSizeLimit),
                       static_cast<rlim_t>(start.FileSizeLimit)};
    setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, SIG_IGN);  // a write past the limit fails instead of ending it
  }
  execv(argv[0], argv.data());
  _exit(127);
}

}  // namespace

std::intptr_t Start(const TProgramStart& start, const std::string& program,
                    const std::filesystem::path& out, const std::filesystem::path& err) {
  std::vector<char*> argv{const_cast<char*>(program.c_str())};
  for (const std::string& argument : start.Arguments) {
    argv.push_back(const_cast<char*>(argument.c_str()));
  }
  argv.push_back(nullptr);
  const pid_t child = fork();
  if (child == 0) {
    Become(start, argv, out.string(), err.string());
  }
  return child > 0 ? child : 0;
}

bool Ended(std::intptr_t process, int& exitCode) {
  int status = 0;
  if (waitpid(static_cast<pid_t>(process), &status, WNOHANG) != process) {
    return false;
  }
  exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return true;
}

void Kill(std::intptr_t process) {
  kill(static_cast<pid_t>(process), SIGKILL);
}

void Release(std::intptr_t) {}

}  // namespace SystemProcess
