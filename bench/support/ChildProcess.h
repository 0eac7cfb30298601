#pragma once
// A whole program run as the user runs it, from its start to its exit, with its output sent
// to a file: how long it took and the most memory it held.

#include <string>
#include <vector>

struct TChildRun {
  bool Ok = false;  // started, and ended by itself
  int ExitCode = -1;
  double Milliseconds = 0;
  long PeakKilobytes = 0;  // the largest resident size the child reached
};

// `arguments[0]` is looked up along PATH when it has no "/". Standard output goes to `output`.
TChildRun RunChild(const std::vector<std::string>& arguments,
                   const std::string& output = "/dev/null");
