#pragma once
// The terminal tools run as a user runs them: as programs of their own, from a working folder
// of the test's choosing, with their output, exit code and running time. Several may run at
// once, so that tests of waits take the time of one.

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

struct TProgramStart {
  std::string Program;  // "tolvane-oerr" or "tolvane-mkdb": the copy beside the test
  std::vector<std::string> Arguments;
  std::string Folder;      // the working folder (UTF-8); empty: the test's own
  long FileSizeLimit = 0;  // bytes a file may grow to (POSIX); 0: no limit
};

struct TProgramRun {
  int Exit = -1;  // -1 when it did not end by itself
  std::string Out;
  std::string Err;
  double Seconds = 0;
};

class TRunningProgram {
 public:
  explicit TRunningProgram(const TProgramStart& start);
  ~TRunningProgram();
  TRunningProgram(const TRunningProgram&) = delete;
  TRunningProgram& operator=(const TRunningProgram&) = delete;

  bool Started() const { return Process != 0; }
  // Whether it has ended; notes its exit code and running time when it has.
  bool Ended();
  void Kill();
  // Waits for its end, then its output.
  TProgramRun Result();

 private:
  std::intptr_t Process = 0;
  int Exit = -1;
  bool Done = false;
  std::chrono::steady_clock::time_point Began;
  double Seconds = 0;
  const std::filesystem::path OutFile, ErrFile;
};

TProgramRun RunProgram(const TProgramStart& start);
// Starts every program at once and waits for all of them.
std::vector<TProgramRun> RunTogether(const std::vector<TProgramStart>& starts);

// The system's part, in ProgramRunPosix.cpp and ProgramRunWin.cpp; the rest is alike.
namespace SystemProcess {
extern const char* const kExecutableSuffix;
extern const bool kLinesEndInCrLf;  // what the programs write in text mode
// Starts `program` (a full UTF-8 path) as `start` says, its standard input empty; 0 if it
// could not.
std::intptr_t Start(const TProgramStart& start, const std::string& program,
                    const std::filesystem::path& out, const std::filesystem::path& err);
// Whether it has ended; then its exit code, or -1 when it did not end by itself.
bool Ended(std::intptr_t process, int& exitCode);
void Kill(std::intptr_t process);  // Ended() tells when it has
void Release(std::intptr_t process);
}  // namespace SystemProcess
