// The three ways the announcement ends: the close button, the end of the
// display time, and a close request to the content window (Esc, log-off).
#pragma once

void OnCloseClicked();
void OnAutoCloseTick();
bool OnContentCanClose();
