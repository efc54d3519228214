// Helpers the test suites share: scratch files, stand-in programs and reading results back.
#pragma once

#include <string>
#include <vector>

namespace molbench::testing {

std::string readFile(const std::string& path);
void writeFile(const std::string& path, const std::string& content);
bool fileExists(const std::string& path);

// Writes an executable script at `path` that stores each of its arguments, NUL-terminated, in
// `argumentsFile`, so a test sees exactly what bash passed.
void writeArgumentRecorder(const std::string& path, const std::string& argumentsFile);
// The arguments the recorder stored, in order.
std::vector<std::string> recordedArguments(const std::string& argumentsFile);

// Runs a command with /bin/bash -c and returns its standard output (for checking results
// with the real tools, independent of the code under test).
std::string runForOutput(const std::string& command);

inline constexpr const char* kObabel = "/usr/bin/obabel";

// The N of obabel's summary "N molecules converted" after running it with exactly these
// arguments (each quoted whole); -1 when there is no such line.
int obabelCount(const std::vector<std::string>& arguments);

std::string testDataPath(const std::string& name);

// How many times longer a test may wait for work whose speed it does not check: the sanitizers
// slow every step several times over, and a busy machine slows them further.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
inline constexpr int kSlowBuildFactor = 6;
#else
inline constexpr int kSlowBuildFactor = 1;
#endif

}  // namespace molbench::testing
