#include "support/run_program.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

extern char** environ;

namespace tallowmere::testing {
namespace {

namespace fs = std::filesystem;

// The test's environment with the changes; "NAME=value" texts.
std::vector<std::string> EnvironmentOf(const ProgramEnvironment& changes) {
  std::vector<std::string> variables;
  for (char** variable = environ; *variable; ++variable) {
    const std::string text = *variable;
    const std::string name = text.substr(0, text.find('='));
    const bool dropped =
        changes.set.count(name) || std::find(changes.unset.begin(), changes.unset.end(), name) != changes.unset.end();
    if (!dropped) variables.push_back(text);
  }
  for (const auto& [name, value] : changes.set) variables.push_back(name + "=" + value);
  return variables;
}

// Pointers to the texts, ending with a null pointer, as exec wants them.
std::vector<char*> Pointers(std::vector<std::string>& texts) {
  std::vector<char*> pointers;
  for (std::string& text : texts) pointers.push_back(text.data());
  pointers.push_back(nullptr);
  return pointers;
}

// A fresh empty file in the temporary folder, for one stream of a program's output.
std::string FreshFile() {
  std::string pattern = (fs::temp_directory_path() / "tm-program-XXXXXX").string();
  const int fd = ::mkstemp(pattern.data());
  if (fd >= 0) ::close(fd);
  return pattern;
}

}  // namespace

pid_t StartProgram(const std::vector<std::string>& argv, const ProgramEnvironment& environment,
                   const std::string& outPath, const std::string& errPath) {
  if (argv.empty()) return -1;
  std::vector<std::string> arguments = argv, variables = EnvironmentOf(environment);
  std::vector<char*> args = Pointers(arguments), envp = Pointers(variables);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  pid_t pid = -1;
  if (::posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), envp.data()) != 0) pid = -1;
  posix_spawn_file_actions_destroy(&actions);
  return pid;
}

ProgramResult RunProgram(const std::vector<std::string>& argv, const ProgramEnvironment& environment,
                         int timeoutSeconds) {
  ProgramResult result;
  const std::string outPath = FreshFile(), errPath = FreshFile();
  const pid_t pid = StartProgram(argv, environment, outPath, errPath);
  if (pid > 0) {
    result.started = true;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(timeoutSeconds);
    int status = 0;
    pid_t ended = 0;
    while ((ended = ::waitpid(pid, &status, WNOHANG)) == 0) {
      if (std::chrono::steady_clock::now() > deadline) {
        result.timedOut = true;
        ::kill(pid, SIGKILL);
        ended = ::waitpid(pid, &status, 0);
        break;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    if (ended == pid && WIFEXITED(status) && !result.timedOut) result.exitCode = WEXITSTATUS(status);
    if (ended == pid && WIFSIGNALED(status)) result.signal = WTERMSIG(status);
    result.out = ReadFile(outPath);
    result.err = ReadFile(errPath);
  }
  fs::remove(outPath);
  fs::remove(errPath);
  return result;
}

bool HaveProgram(const std::string& program) {
  const char* path = std::getenv("PATH");
  std::stringstream folders(path ? path : "/usr/bin:/bin");
  for (std::string folder; std::getline(folders, folder, ':');)
    if (!folder.empty() && ::access((fs::path(folder) / program).c_str(), X_OK) == 0) return true;
  return false;
}

bool PythonHas(const std::string& module) {
  return RunProgram({kPython, "-c", "import " + module}, {}, 60).Succeeded();
}

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace tallowmere::testing
