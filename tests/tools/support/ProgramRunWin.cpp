#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <thread>

#include "platform/ProgramDirectory.h"
#include "tests/support/FileBytes.h"
#include "tests/tools/support/ProgramRun.h"

struct TRunningProgram::TState {
  PROCESS_INFORMATION Process{};
  bool Running = false;
  int Status = -1;
  bool Done = false;
  std::chrono::steady_clock::time_point Began;
  double Seconds = 0;
  std::filesystem::path OutFile;
  std::filesystem::path ErrFile;
};

namespace {

std::wstring Wide(const std::string& utf8) {
  if (utf8.empty()) {
    return {};
  }
  const int length = static_cast<int>(utf8.size());
  std::wstring wide(
      static_cast<std::size_t>(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, nullptr, 0)),
      L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, wide.data(), static_cast<int>(wide.size()));
  return wide;
}

// One argument as the program's CommandLineToArgvW reads it back.
std::wstring Quoted(const std::wstring& argument) {
  if (!argument.empty() && argument.find_first_of(L" \t\n\v\"") == std::wstring::npos) {
    return argument;
  }
  std::wstring out = L"\"";
  for (auto at = argument.begin();; ++at) {
    std::size_t backslashes = 0;
    for (; at != argument.end() && *at == L'\\'; ++at) {
      ++backslashes;
    }
    if (at == argument.end()) {
      out.append(backslashes * 2, L'\\');
      break;
    }
    out.append(*at == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    out.push_back(*at);
  }
  return out + L"\"";
}

HANDLE Inheritable(const std::wstring& name, DWORD access, DWORD creation) {
  SECURITY_ATTRIBUTES attributes{sizeof attributes, nullptr, TRUE};
  return CreateFileW(name.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &attributes,
                     creation, FILE_ATTRIBUTE_NORMAL, nullptr);
}

std::filesystem::path CaptureFile(const char* stream) {
  return std::filesystem::temp_directory_path() /
         ("tolvane-run-" + std::to_string(std::random_device()()) + stream);
}

}  // namespace

TRunningProgram::TRunningProgram(const TProgramStart& start) : State(std::make_unique<TState>()) {
  State->OutFile = CaptureFile(".out");
  State->ErrFile = CaptureFile(".err");
  const std::wstring program = Wide(Platform::ProgramDirectory() + start.Program + ".exe");
  std::wstring line = Quoted(program);
  for (const std::string& argument : start.Arguments) {
    line += L" " + Quoted(Wide(argument));
  }
  const HANDLE in = Inheritable(L"NUL", GENERIC_READ, OPEN_EXISTING);
  const HANDLE out = Inheritable(State->OutFile.wstring(), GENERIC_WRITE, CREATE_ALWAYS);
  const HANDLE err = Inheritable(State->ErrFile.wstring(), GENERIC_WRITE, CREATE_ALWAYS);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = in;
  startup.hStdOutput = out;
  startup.hStdError = err;
  const std::wstring folder = Wide(start.Folder);
  State->Began = std::chrono::steady_clock::now();
  State->Running =
      CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                     nullptr, folder.empty() ? nullptr : folder.c_str(), &startup,
                     &State->Process) != 0;
  for (const HANDLE handle : {in, out, err}) {
    if (handle != INVALID_HANDLE_VALUE) {
      CloseHandle(handle);
    }
  }
}

TRunningProgram::~TRunningProgram() {
  if (Started() && !Ended()) {
    Kill();
  }
  if (State->Running) {
    CloseHandle(State->Process.hProcess);
    CloseHandle(State->Process.hThread);
  }
  std::error_code ignored;
  std::filesystem::remove(State->OutFile, ignored);
  std::filesystem::remove(State->ErrFile, ignored);
}

bool TRunningProgram::Started() const {
  return State->Running;
}

bool TRunningProgram::Ended() {
  if (State->Done || !Started()) {
    return true;
  }
  if (WaitForSingleObject(State->Process.hProcess, 0) != WAIT_OBJECT_0) {
    return false;
  }
  State->Seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - State->Began).count();
  DWORD code = 0;
  State->Status = GetExitCodeProcess(State->Process.hProcess, &code) ? static_cast<int>(code) : -1;
  State->Done = true;
  return true;
}

void TRunningProgram::Kill() {
  if (Started() && !State->Done) {
    TerminateProcess(State->Process.hProcess, 9);
    WaitForSingleObject(State->Process.hProcess, INFINITE);
    Ended();
    State->Status = -1;
  }
}

TProgramRun TRunningProgram::Result() {
  while (!Ended()) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  // Text written in text mode ends its lines with CR LF here; the tests read LF.
  const auto lines = [](std::string text) {
    for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at)) {
      text.erase(at, 1);
    }
    return text;
  };
  return {State->Status, lines(FileBytes(State->OutFile)), lines(FileBytes(State->ErrFile)),
          State->Seconds};
}
