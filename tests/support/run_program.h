#pragma once
// Starting other programs from tests: the program and its arguments as a vector, never a
// shell command line, so that paths with spaces or quotes reach the program as they are.

#include <sys/types.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace tallowmere::testing {

// The programs' environment: the test's own, with these variables set and removed.
struct ProgramEnvironment {
  std::map<std::string, std::string> set;
  std::vector<std::string> unset;
};

struct ProgramResult {
  bool started = false;   // the program was found and started
  int exitCode = -1;      // -1 when it ended by a signal or was stopped
  int signal = 0;         // the signal that ended it; 0 for none
  bool timedOut = false;  // stopped (SIGKILL) after the time allowed
  std::string out, err;   // what it printed

  bool Succeeded() const { return exitCode == 0; }
};

// Runs argv[0] (found on PATH when it has no slash) with argv[1...]; waits at most
// timeoutSeconds. stdin is empty.
ProgramResult RunProgram(const std::vector<std::string>& argv, const ProgramEnvironment& environment = {},
                         int timeoutSeconds = 300);

// Starts argv as RunProgram does, its stdout and stderr going to the files outPath and
// errPath, and returns at once: the process id, or -1 when it could not be started.
pid_t StartProgram(const std::vector<std::string>& argv, const ProgramEnvironment& environment,
                   const std::string& outPath, const std::string& errPath);

// The whole content of a file, such as one a program wrote; empty when it cannot be read.
std::string ReadFile(const std::filesystem::path& path);

// True when program is found on PATH.
bool HaveProgram(const std::string& program);

// The Python the tests use, and the path of one of the scripts in tests/scripts (for the
// test programs, which know the source folder).
inline constexpr const char* kPython = "/usr/bin/python3";
#ifdef TM_SOURCE_DIR
inline std::string TestScript(const std::string& name) { return TM_SOURCE_DIR "/tests/scripts/" + name; }
#endif

// True when Python can import module.
bool PythonHas(const std::string& module);

}  // namespace tallowmere::testing
