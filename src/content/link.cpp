#include "content/link.h"

#include <windows.h>
#include <shellapi.h>

#include <string>

#include "content/default_web_address.h"
#include "content/registry_text.h"
#include "settings/settings_reader.h"

namespace {

constexpr char StartMenuInternet[] = "SOFTWARE\\Clients\\StartMenuInternet\\";
constexpr char DefaultBrowserName[] = "IEXPLORE.EXE";
constexpr char DefaultBrowserCommand[] = "C:\\Program Files\\Internet Explorer\\iexplore.exe";

}  // namespace

bool OnLinkReleased(int /*x*/, int /*y*/, int /*keys*/) {
    const std::string address = settings::ReadSetting("主配置", "链接地址", DefaultWebAddress);
    // The trailing backslashes select each key's default value.
    const std::string browser = ReadRegistryText(HKEY_LOCAL_MACHINE, StartMenuInternet, DefaultBrowserName);
    const std::string commandKey = std::string(StartMenuInternet) + browser + "\\shell\\open\\command\\";
    const std::string command = ReadRegistryText(HKEY_LOCAL_MACHINE, commandKey, DefaultBrowserCommand);

    // The whole command, quotes and arguments included, is the file to open;
    // a browser that does not start goes unnoticed.
    ShellExecuteA(nullptr, "open", command.c_str(), address.c_str(), "", SW_SHOWNORMAL);
    return false;
}
