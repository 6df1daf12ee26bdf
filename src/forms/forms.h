// The program's two windows and the names of the content window's controls.
#pragma once

#include "toolkit/definitions.h"

// The scroll picture: a layered, per-pixel-alpha window, dragged by pressing
// anywhere on it, closed by Esc.
extern const toolkit::WindowDefinition BackdropWindow;

// The see-through window over the scroll that carries the texts, the close
// button and the display timer. Owned by the backdrop.
extern const toolkit::WindowDefinition ContentWindow;

// The content window's controls, by the names the toolkit finds them by.
inline constexpr char LinkLabelName[] = "标签链接";
inline constexpr char BodyLabelName[] = "标签正文";
inline constexpr char TitleLabelName[] = "标签标题";
inline constexpr char CloseButtonName[] = "图形按钮1";
inline constexpr char AutoCloseTimerName[] = "时钟1";
