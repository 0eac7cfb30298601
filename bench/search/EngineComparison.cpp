#include "EngineComparison.h"

#include <cstdio>
#include <map>
#include <memory>
#include <sstream>

namespace {

constexpr const char* kResultTag = "ENGINE-RESULT";

// The child's results by case, or empty when it failed.
std::map<std::string, double> RunChild(const std::string& command) {
  std::map<std::string, double> results;
  std::unique_ptr<FILE, int (*)(FILE*)> child(popen(command.c_str(), "r"), pclose);
  if (!child) {
    return results;
  }
  char line[512];
  while (std::fgets(line, sizeof line, child.get()) != nullptr) {
    std::istringstream fields(line);
    std::string tag, name;
    double milliseconds = -1;
    if (fields >> tag >> name >> milliseconds && tag == kResultTag) {
      results[name] = milliseconds;
    }
  }
  return results;
}

}  // namespace

void PrintChildResult(const std::string& name, double milliseconds) {
  std::printf("%s %s %.6f\n", kResultTag, name.c_str(), milliseconds);
}

bool CompareEngines(const std::string& self, const std::string& systemEngineDir,
                    const std::vector<std::string>& cases, double targetRatio) {
  const std::string child = "'" + self + "' " + kEngineChildArgument + " 2>/dev/null";
  const std::map<std::string, double> own = RunChild(child);
  const std::map<std::string, double> system =
      RunChild("LD_LIBRARY_PATH='" + systemEngineDir + "' " + child);
  bool ok = true;
  std::printf("\nOur engine against the system's (%s), ratio target <= %.2f:\n",
              systemEngineDir.c_str(), targetRatio);
  for (const std::string& name : cases) {
    const auto ours = own.find(name);
    const auto theirs = system.find(name);
    if (ours == own.end() || theirs == system.end() || theirs->second <= 0) {
      std::printf("  %-10s no result\n", name.c_str());
      ok = false;
      continue;
    }
    const double ratio = ours->second / theirs->second;
    const bool met = ratio <= targetRatio;
    ok = ok && met;
    std::printf("  %-10s ours %8.2f ms, system %8.2f ms: %.3f %s\n", name.c_str(), ours->second,
                theirs->second, ratio, met ? "ok" : "OVER TARGET");
  }
  return ok;
}
