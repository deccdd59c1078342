#include "tests/windows/e2e/StartedProgram.h"

#include <stdexcept>
#include <string>
#include <thread>

namespace quorbel::testing {

namespace {

constexpr int kStartAttempts = 10;
constexpr std::chrono::milliseconds kStartPause{200};

std::wstring Quoted(const std::wstring& text) { return L"\"" + text + L"\""; }

}  // namespace

StartedProgram::StartedProgram(const std::filesystem::path& program,
                               const std::vector<std::wstring>& arguments,
                               const std::filesystem::path& workingFolder) {
  std::wstring command = Quoted(program.wstring());
  for (const std::wstring& argument : arguments) command += L" " + Quoted(argument);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  // Under Wine on a busy machine a program copied a moment ago is now and
  // then refused once; it starts when asked again.
  DWORD failure = 0;
  for (int attempt = 0; attempt < kStartAttempts; ++attempt) {
    if (::CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                         workingFolder.c_str(), &startup, &process_)) {
      return;
    }
    failure = ::GetLastError();
    std::this_thread::sleep_for(kStartPause);
  }
  throw std::runtime_error("cannot start " + program.string() + ": error " +
                           std::to_string(failure));
}

StartedProgram::~StartedProgram() {
  if (!Ended()) {
    ::TerminateProcess(process_.hProcess, 1);
    ::WaitForSingleObject(process_.hProcess, 5000);
  }
  ::CloseHandle(process_.hThread);
  ::CloseHandle(process_.hProcess);
}

bool StartedProgram::Ended() const {
  return ::WaitForSingleObject(process_.hProcess, 0) == WAIT_OBJECT_0;
}

std::optional<unsigned long> StartedProgram::WaitForEnd(std::chrono::milliseconds timeout) {
  if (::WaitForSingleObject(process_.hProcess, static_cast<DWORD>(timeout.count())) !=
      WAIT_OBJECT_0) {
    return std::nullopt;
  }
  DWORD status = 0;
  ::GetExitCodeProcess(process_.hProcess, &status);
  return status;
}

}  // namespace quorbel::testing
