// The web address shown and opened by the link when the settings name none.
#pragma once

// A reserved example domain: it can never lead anyone to a stranger's site.
inline constexpr char DefaultWebAddress[] = "https://www.example.com/";
