#include "child_process.h"

#include <windows.h>

#include <stdexcept>

namespace testsupport {
namespace {

class Handle {
public:
    explicit Handle(HANDLE h = nullptr) : h_(h) {}
    ~Handle() { if (h_ && h_ != INVALID_HANDLE_VALUE) CloseHandle(h_); }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    HANDLE get() const { return h_; }
    HANDLE* out() { return &h_; }
    void reset() { if (h_ && h_ != INVALID_HANDLE_VALUE) CloseHandle(h_); h_ = nullptr; }

private:
    HANDLE h_;
};

std::string Quote(const std::string& argument) {
    std::string quoted = "\"";
    for (char c : argument) {
        if (c == '"') quoted += '\\';
        quoted += c;
    }
    quoted += '"';
    return quoted;
}

}  // namespace

ChildResult RunChild(const std::string& program, const std::vector<std::string>& arguments,
                     const std::string& workingDirectory) {
    SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
    Handle readEnd, writeEnd;
    if (!CreatePipe(readEnd.out(), writeEnd.out(), &inherit, 0)) throw std::runtime_error("CreatePipe failed");
    SetHandleInformation(readEnd.get(), HANDLE_FLAG_INHERIT, 0);

    std::string commandLine = Quote(program);
    for (const std::string& argument : arguments) commandLine += " " + Quote(argument);

    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd.get();
    startup.hStdError = writeEnd.get();
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                        workingDirectory.empty() ? nullptr : workingDirectory.c_str(), &startup, &process)) {
        throw std::runtime_error("CreateProcessA failed for " + program);
    }
    Handle processHandle(process.hProcess), threadHandle(process.hThread);
    writeEnd.reset();

    ChildResult result;
    char chunk[4096];
    DWORD got = 0;
    while (ReadFile(readEnd.get(), chunk, sizeof(chunk), &got, nullptr) && got > 0) result.Output.append(chunk, got);
    WaitForSingleObject(processHandle.get(), INFINITE);
    GetExitCodeProcess(processHandle.get(), &result.ExitCode);
    return result;
}

std::string OwnPath() {
    char path[MAX_PATH * 4];
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof(path));
    return std::string(path, length);
}

std::string MakeTemporaryFolder(const std::string& nameTail) {
    char temp[MAX_PATH];
    GetTempPathA(sizeof(temp), temp);
    static unsigned counter = 0;
    for (;;) {
        std::string path = std::string(temp) + "notice-test-" + std::to_string(GetCurrentProcessId()) + "-" +
                           std::to_string(++counter) + nameTail;
        if (CreateDirectoryA(path.c_str(), nullptr)) return path;
        if (GetLastError() != ERROR_ALREADY_EXISTS) throw std::runtime_error("cannot create " + path);
    }
}

void RemoveFolder(const std::string& path) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..") continue;
            const std::string child = path + "\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveFolder(child);
            } else {
                SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(child.c_str());
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(path.c_str());
}

void WriteFile(const std::string& path, const std::string& bytes) {
    Handle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot write " + path);
    DWORD written = 0;
    if (!::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
        written != bytes.size()) {
        throw std::runtime_error("short write to " + path);
    }
}

}  // namespace testsupport
