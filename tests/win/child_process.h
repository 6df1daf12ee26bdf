// Running a copy of a test program as a child process, for behaviour that
// depends on where the program itself lies (its folder, its config.ini).
#pragma once

#include <string>
#include <vector>

#include "hex_text.h"

namespace testsupport {

struct ChildResult {
    unsigned long ExitCode = 0;
    std::string Output;  // what the child wrote to its standard output
};

// Starts `program` with the arguments (each quoted) and waits for it.
ChildResult RunChild(const std::string& program, const std::vector<std::string>& arguments,
                     const std::string& workingDirectory = std::string());

// The path of the running test program.
std::string OwnPath();

// A fresh, empty folder under the temporary folder; `nameTail` is appended to
// its name so that tests can choose awkward names.
std::string MakeTemporaryFolder(const std::string& nameTail);

// Removes a folder and everything in it.
void RemoveFolder(const std::string& path);

void WriteFile(const std::string& path, const std::string& bytes);


}  // namespace testsupport
