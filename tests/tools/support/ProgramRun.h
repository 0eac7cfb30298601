#pragma once
// The terminal tools run as a user runs them: as programs of their own, from a working folder
// of the test's choosing, with their output, exit code and running time. Several may run at
// once, so that tests of waits take the time of one.

#include <memory>
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

  bool Started() const;
  // Whether it has ended; notes its exit code and running time when it has.
  bool Ended();
  void Kill();
  // Waits for its end, then its output.
  TProgramRun Result();

 private:
  struct TState;
  std::unique_ptr<TState> State;
};

TProgramRun RunProgram(const TProgramStart& start);
// Starts every program at once and waits for all of them.
std::vector<TProgramRun> RunTogether(const std::vector<TProgramStart>& starts);
