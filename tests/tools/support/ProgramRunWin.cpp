#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>

#include "platform/win/WideText.h"

#include "tests/tools/support/ProgramRun.h"

namespace SystemProcess {

const char* const kExecutableSuffix = ".exe";
const bool kLinesEndInCrLf = true;

namespace {

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

}  // namespace

std::intptr_t Start(const TProgramStart& start, const std::string& program,
                    const std::filesystem::path& out, const std::filesystem::path& err) {
  const std::wstring path = Platform::Internal::Utf8ToWide(program);
  std::wstring line = Quoted(path);
  for (const std::string& argument : start.Arguments) {
    line += L" " + Quoted(Platform::Internal::Utf8ToWide(argument));
  }
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = Inheritable(L"NUL", GENERIC_READ, OPEN_EXISTING);
  startup.hStdOutput = Inheritable(out.wstring(), GENERIC_WRITE, CREATE_ALWAYS);
  startup.hStdError = Inheritable(err.wstring(), GENERIC_WRITE, CREATE_ALWAYS);
  const std::wstring folder = Platform::Internal::Utf8ToWide(start.Folder);
  PROCESS_INFORMATION process{};
  const bool started =
      CreateProcessW(path.c_str(), line.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                     folder.empty() ? nullptr : folder.c_str(), &startup, &process) != 0;
  for (const HANDLE handle : {startup.hStdInput, startup.hStdOutput, startup.hStdError}) {
    if (handle != INVALID_HANDLE_VALUE) {
      CloseHandle(handle);
    }
  }
  if (!started) {
    return 0;
  }
  CloseHandle(process.hThread);
  return reinterpret_cast<std::intptr_t>(process.hProcess);
}

bool Ended(std::intptr_t process, int& exitCode) {
  const HANDLE handle = reinterpret_cast<HANDLE>(process);
  if (WaitForSingleObject(handle, 0) != WAIT_OBJECT_0) {
    return false;
  }
  DWORD code = 0;
  exitCode = GetExitCodeProcess(handle, &code) ? static_cast<int>(code) : -1;
  return true;
}

void Kill(std::intptr_t process) {
  TerminateProcess(reinterpret_cast<HANDLE>(process), 9);
}

void Release(std::intptr_t process) {
  if (process != 0) {
    CloseHandle(reinterpret_cast<HANDLE>(process));
  }
}

}  // namespace SystemProcess
