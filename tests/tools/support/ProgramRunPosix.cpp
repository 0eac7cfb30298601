#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <thread>

#include "platform/ProgramDirectory.h"
#include "tests/support/FileBytes.h"
#include "tests/tools/support/ProgramRun.h"

struct TRunningProgram::TState {
  pid_t Child = -1;
  int Status = -1;
  bool Done = false;
  std::chrono::steady_clock::time_point Began;
  double Seconds = 0;
  std::string OutFile;
  std::string ErrFile;
};

namespace {

std::string CaptureFile(const char* stream) {
  return (std::filesystem::temp_directory_path() /
          ("tolvane-run-" + std::to_string(std::random_device()()) + stream))
      .string();
}

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

TRunningProgram::TRunningProgram(const TProgramStart& start) : State(std::make_unique<TState>()) {
  State->OutFile = CaptureFile(".out");
  State->ErrFile = CaptureFile(".err");
  const std::string program = Platform::ProgramDirectory() + start.Program;
  std::vector<char*> argv{const_cast<char*>(program.c_str())};
  for (const std::string& argument : start.Arguments) {
    argv.push_back(const_cast<char*>(argument.c_str()));
  }
  argv.push_back(nullptr);
  State->Began = std::chrono::steady_clock::now();
  State->Child = fork();
  if (State->Child == 0) {
    Become(start, argv, State->OutFile, State->ErrFile);
  }
}

TRunningProgram::~TRunningProgram() {
  if (Started() && !Ended()) {
    Kill();
  }
  std::error_code ignored;
  std::filesystem::remove(State->OutFile, ignored);
  std::filesystem::remove(State->ErrFile, ignored);
}

bool TRunningProgram::Started() const {
  return State->Child > 0;
}

bool TRunningProgram::Ended() {
  if (State->Done || !Started()) {
    return true;
  }
  int status = 0;
  if (waitpid(State->Child, &status, WNOHANG) != State->Child) {
    return false;
  }
  State->Seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - State->Began).count();
  State->Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  State->Done = true;
  return true;
}

void TRunningProgram::Kill() {
  if (Started() && !State->Done) {
    kill(State->Child, SIGKILL);
    while (!Ended()) {
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
  }
}

TProgramRun TRunningProgram::Result() {
  while (!Ended()) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return {State->Status, FileBytes(State->OutFile), FileBytes(State->ErrFile), State->Seconds};
}
