// Looks at the running program from outside, from a second Windows process
// in the same Wine prefix, and changes what the program reads from outside
// (the registry). Prints JSON for the Python scenarios.
//
//   probe windows [IMAGE-NAME [SECONDS]]
//                                   top-level windows (of processes whose
//                                   image is IMAGE-NAME, if given) with
//                                   their child windows; with SECONDS, first
//                                   waits up to that long until a visible
//                                   ownerless window and a visible window it
//                                   owns are there (watching from inside one
//                                   process misses no short-lived window)
//   probe regset KEY NAME TYPE DATA TYPE: sz, expand, dword, binary-hex;
//                                   KEY under HKLM; NAME "" = default value
//   probe regdel KEY                deletes KEY under HKLM with its subkeys
//   probe hold-open FILE SECONDS    holds FILE open for writing (others may
//                                   read and write it too), prints "held"
//                                   once it does, and lets go after SECONDS
//   probe processes                 the image names of all processes
//   probe close HWND                posts WM_CLOSE to a window
//   probe crash                     ends in an access violation, as a
//                                   crashing program does
//   probe watch IMAGE-NAME SECONDS  prints "watching" at once, then looks at
//                                   IMAGE-NAME's windows every few
//                                   milliseconds until visible ones have
//                                   come and gone, or SECONDS have passed,
//                                   and prints what it saw (below); exits 1
//                                   when they did not both come and go
//
// watch is for a program whose windows are up for too short a time to be
// caught by starting the probe again and again (a start under emulated
// 32-bit Wine is slow). It prints {"seen_ms": N, "gone": true|false,
// "windows": LISTING}, where LISTING is the fullest listing seen (the most
// visible top-level windows, the latest of equals) and N the milliseconds
// between the first and the last listing with a visible window.
//
// Texts are printed as hex of their ANSI (GBK) bytes, so nothing depends on
// the console's code page.
#include <windows.h>
#include <shlwapi.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "hex_text.h"

namespace {

// GetWindowTextLengthA would send the window a message, which blocks while
// the program is busy; GetWindowTextA of another process's window reads the
// stored text without one. The buffer grows until the text fits.
std::string WindowText(HWND window) {
    for (std::size_t size = 65536; size <= 64u * 1024 * 1024; size *= 4) {
        std::string text(size, '\0');
        const int got = GetWindowTextA(window, &text[0], static_cast<int>(size));
        if (got < 0 || static_cast<std::size_t>(got) < size - 1) {
            text.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
            return text;
        }
    }
    return std::string();
}

std::string ClassName(HWND window) {
    char name[256] = {};
    GetClassNameA(window, name, sizeof(name));
    return name;
}

std::string ImageName(DWORD processId) {
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    if (!process) return std::string();
    char path[MAX_PATH * 2] = {};
    DWORD size = sizeof(path);
    std::string name;
    // The file name part as the system finds it: in GBK the second byte of a
    // character may be the byte of "\\", which a plain search would cut at.
    if (QueryFullProcessImageNameA(process, 0, path, &size)) name = PathFindFileNameA(path);
    CloseHandle(process);
    return name;
}

std::string RectJson(const RECT& r) {
    char buffer[128];
    std::snprintf(buffer, sizeof(buffer), "[%ld, %ld, %ld, %ld]", r.left, r.top, r.right - r.left, r.bottom - r.top);
    return buffer;
}

std::string Number(unsigned long long value) { return std::to_string(value); }

std::string CommonJson(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    std::string json = "\"hwnd\": " + Number(reinterpret_cast<ULONG_PTR>(window));
    json += ", \"class\": \"" + testsupport::ToHex(ClassName(window)) + "\"";
    json += ", \"text\": \"" + testsupport::ToHex(WindowText(window)) + "\"";
    json += ", \"rect\": " + RectJson(rect);
    json += ", \"style\": " + Number(static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)));
    json += ", \"exstyle\": " + Number(static_cast<DWORD>(GetWindowLongA(window, GWL_EXSTYLE)));
    json += std::string(", \"visible\": ") + (IsWindowVisible(window) ? "true" : "false");
    json += std::string(", \"enabled\": ") + (IsWindowEnabled(window) ? "true" : "false");
    return json;
}

struct Listing {
    std::string Image;
    std::vector<std::string> Entries;
    int Visible = 0;
};

bool OfImage(HWND window, const std::string& image) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    return image.empty() || _stricmp(ImageName(processId).c_str(), image.c_str()) == 0;
}

struct VisibleWindows {
    std::string Image;
    std::vector<std::pair<HWND, HWND>> Windows;  // (window, its owner)
};

BOOL CALLBACK AddVisible(HWND window, LPARAM param) {
    auto* visible = reinterpret_cast<VisibleWindows*>(param);
    if (IsWindowVisible(window) && OfImage(window, visible->Image)) {
        visible->Windows.emplace_back(window, GetWindow(window, GW_OWNER));
    }
    return TRUE;
}

// A visible window without owner, and a visible window that it owns.
bool OwnerAndOwnedShown(const std::string& image) {
    VisibleWindows visible{image, {}};
    EnumWindows(AddVisible, reinterpret_cast<LPARAM>(&visible));
    for (const auto& owned : visible.Windows) {
        if (!owned.second) continue;
        for (const auto& owner : visible.Windows) {
            if (owner.first == owned.second && !owner.second) return true;
        }
    }
    return false;
}

BOOL CALLBACK AddChild(HWND child, LPARAM param) {
    auto* children = reinterpret_cast<std::vector<std::string>*>(param);
    HWND parent = GetParent(child);
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    std::string json = "{" + CommonJson(child) + ", \"client_rect\": " + RectJson(rect) + "}";
    children->push_back(json);
    return TRUE;
}

BOOL CALLBACK AddTopLevel(HWND window, LPARAM param) {
    auto* listing = reinterpret_cast<Listing*>(param);
    if (!OfImage(window, listing->Image)) return TRUE;
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    const std::string image = ImageName(processId);

    std::string json = "{" + CommonJson(window);
    json += ", \"pid\": " + Number(processId);
    json += ", \"image\": \"" + testsupport::ToHex(image) + "\"";
    json += ", \"owner\": " + Number(reinterpret_cast<ULONG_PTR>(GetWindow(window, GW_OWNER)));
    COLORREF key = 0;
    BYTE alpha = 0;
    DWORD flags = 0;
    if (GetLayeredWindowAttributes(window, &key, &alpha, &flags)) {
        json += ", \"layered\": {\"key\": " + Number(key) + ", \"alpha\": " + Number(alpha) +
                ", \"flags\": " + Number(flags) + "}";
    } else {
        json += ", \"layered\": null";
    }
    std::vector<std::string> children;
    EnumChildWindows(window, AddChild, reinterpret_cast<LPARAM>(&children));
    json += ", \"children\": [";
    for (std::size_t i = 0; i < children.size(); ++i) json += (i ? ", " : "") + children[i];
    json += "]}";
    listing->Entries.push_back(json);
    if (IsWindowVisible(window)) ++listing->Visible;
    return TRUE;
}

Listing TopLevelWindows(const std::string& image) {
    Listing listing;
    listing.Image = image;
    EnumWindows(AddTopLevel, reinterpret_cast<LPARAM>(&listing));
    return listing;
}

std::string ListingJson(const Listing& listing) {
    std::string json = "[";
    for (std::size_t i = 0; i < listing.Entries.size(); ++i) json += (i ? ",\n " : "") + listing.Entries[i];
    return json + "]";
}

int ListWindows(const std::string& image, double waitSeconds) {
    const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(waitSeconds * 1000);
    while (waitSeconds > 0 && !OwnerAndOwnedShown(image) && GetTickCount64() < deadline) Sleep(20);
    std::printf("%s\n", ListingJson(TopLevelWindows(image)).c_str());
    return 0;
}

int WatchWindows(const std::string& image, const char* secondsText) {
    char* end = nullptr;
    const double seconds = std::strtod(secondsText, &end);
    if (end == secondsText || *end != '\0' || !(seconds > 0)) {
        std::fprintf(stderr, "probe: watch needs a positive number of seconds, not '%s'\n", secondsText);
        return 2;
    }
    // The caller starts the program only after this line.
    std::printf("watching\n");
    std::fflush(stdout);
    const ULONGLONG start = GetTickCount64();
    const ULONGLONG limit = static_cast<ULONGLONG>(seconds * 1000);
    Listing fullest;
    ULONGLONG firstSeen = 0;
    ULONGLONG lastSeen = 0;
    bool seen = false;
    bool gone = false;
    while (GetTickCount64() - start < limit) {
        Listing now = TopLevelWindows(image);
        const ULONGLONG at = GetTickCount64();
        if (now.Visible > 0) {
            if (!seen) firstSeen = at;
            seen = true;
            lastSeen = at;
            if (now.Visible >= fullest.Visible) fullest = std::move(now);
        } else if (seen) {
            gone = true;
            break;
        }
        Sleep(5);
    }
    std::printf("{\"seen_ms\": %llu, \"gone\": %s, \"windows\": %s}\n", lastSeen - firstSeen,
                gone ? "true" : "false", ListingJson(fullest).c_str());
    if (!seen) std::fprintf(stderr, "probe: no visible window of %s within %s s\n", image.c_str(), secondsText);
    if (seen && !gone) std::fprintf(stderr, "probe: %s's windows still up after %s s\n", image.c_str(), secondsText);
    return gone ? 0 : 1;
}

int SetRegistryValue(const std::string& keyPath, const std::string& name, const std::string& type,
                     const std::string& data) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, keyPath.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS) {
        std::fprintf(stderr, "probe: cannot create HKLM\\%s\n", keyPath.c_str());
        return 1;
    }
    LONG result = ERROR_INVALID_PARAMETER;
    if (type == "sz" || type == "expand") {
        result = RegSetValueExA(key, name.c_str(), 0, type == "sz" ? REG_SZ : REG_EXPAND_SZ,
                                reinterpret_cast<const BYTE*>(data.c_str()), static_cast<DWORD>(data.size() + 1));
    } else if (type == "dword") {
        const DWORD value = static_cast<DWORD>(std::strtoul(data.c_str(), nullptr, 0));
        result = RegSetValueExA(key, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
    } else if (type == "binary-hex") {
        const std::string bytes = testsupport::FromHex(data);
        result = RegSetValueExA(key, name.c_str(), 0, REG_BINARY, reinterpret_cast<const BYTE*>(bytes.data()),
                                static_cast<DWORD>(bytes.size()));
    } else {
        std::fprintf(stderr, "probe: unknown value type '%s' (sz, expand, dword, binary-hex)\n", type.c_str());
    }
    RegCloseKey(key);
    return result == ERROR_SUCCESS ? 0 : 1;
}

int DeleteRegistryKey(const std::string& keyPath) {
    const LONG result = RegDeleteTreeA(HKEY_LOCAL_MACHINE, keyPath.c_str());
    return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND ? 0 : 1;
}

int HoldOpen(const std::string& path, const char* seconds) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        std::fprintf(stderr, "probe: cannot open %s for writing (error %lu)\n", path.c_str(), GetLastError());
        return 1;
    }
    std::printf("held\n");
    std::fflush(stdout);
    Sleep(static_cast<DWORD>(std::strtoul(seconds, nullptr, 10) * 1000));
    CloseHandle(file);
    return 0;
}

int ListProcesses() {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) {
        std::fprintf(stderr, "probe: cannot list the processes\n");
        return 1;
    }
    std::vector<std::string> entries;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
        entries.push_back("{\"pid\": " + Number(entry.th32ProcessID) + ", \"image\": \"" + testsupport::ToHex(entry.szExeFile) +
                          "\"}");
    }
    CloseHandle(snapshot);
    std::printf("[");
    for (std::size_t i = 0; i < entries.size(); ++i) std::printf("%s%s", i ? ",\n " : "", entries[i].c_str());
    std::printf("]\n");
    return 0;
}

int PostClose(const char* handle) {
    const HWND window = reinterpret_cast<HWND>(static_cast<ULONG_PTR>(std::strtoull(handle, nullptr, 10)));
    return PostMessageA(window, WM_CLOSE, 0, 0) ? 0 : 1;
}

int Crash() {
    volatile int* nowhere = nullptr;
    *nowhere = 1;
    return 0;
}

int Usage() {
    std::fprintf(stderr,
                 "usage: probe windows [IMAGE-NAME [SECONDS]]\n"
                 "       probe regset KEY NAME sz|expand|dword|binary-hex DATA\n"
                 "       probe regdel KEY\n"
                 "       probe watch IMAGE-NAME SECONDS\n"
                 "       probe hold-open FILE SECONDS\n"
                 "       probe processes\n"
                 "       probe close HWND\n"
                 "       probe crash\n"
                 "(texts of KEY, NAME and DATA may be given as hex:<hex of GBK bytes>)\n");
    return 2;
}

// An argument written as hex:... stands for those bytes (GBK text).
std::string Argument(const char* text) {
    const std::string argument = text;
    return argument.rfind("hex:", 0) == 0 ? testsupport::FromHex(argument.substr(4)) : argument;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return Usage();
    const std::string command = argv[1];
    if (command == "windows") return ListWindows(argc > 2 ? argv[2] : "", argc > 3 ? std::atof(argv[3]) : 0.0);
    if (command == "regset" && argc == 6) {
        return SetRegistryValue(Argument(argv[2]), Argument(argv[3]), argv[4], Argument(argv[5]));
    }
    if (command == "regdel" && argc == 3) return DeleteRegistryKey(Argument(argv[2]));
    if (command == "watch" && argc == 4) return WatchWindows(argv[2], argv[3]);
    if (command == "hold-open" && argc == 4) return HoldOpen(Argument(argv[2]), argv[3]);
    if (command == "processes" && argc == 2) return ListProcesses();
    if (command == "close" && argc == 3) return PostClose(argv[2]);
    if (command == "crash" && argc == 2) return Crash();
    return Usage();
}
