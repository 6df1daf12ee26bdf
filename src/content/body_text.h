// The announcement's body: the bytes of notice.txt (or the configured file).
#pragma once

#include <string>

// The file's bytes up to its first zero byte, as GBK text with its line
// breaks as they stand. A missing, locked, unreadable or empty file gives
// the empty text.
std::string LoadBodyText();
