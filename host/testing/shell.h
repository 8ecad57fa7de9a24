#pragma once
// Running a command line through the shell, for tests that try a program from the outside:
// its exit code, and its standard output and error together.

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <string>

namespace host::testing {

/// How a command line ended.
struct ShellOutcome {
  int exitCode;        // -1 when it did not exit normally or could not be run
  std::string output;  // standard output and standard error together
};

/// A path in single quotes for the shell.
inline std::string shellArg(const std::filesystem::path& path) {
  std::string out = "'";
  for (char c : path.string()) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

/// Runs a command line through /bin/sh and waits for it.
inline ShellOutcome RunShell(const std::string& commandLine) {
  ShellOutcome out{-1, ""};
  FILE* pipe = ::popen((commandLine + " 2>&1").c_str(), "r");
  if (!pipe) return out;
  std::array<char, 4096> buffer;
  while (std::size_t n = std::fread(buffer.data(), 1, buffer.size(), pipe)) out.output.append(buffer.data(), n);
  const int status = ::pclose(pipe);
  out.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return out;
}

}  // namespace host::testing
