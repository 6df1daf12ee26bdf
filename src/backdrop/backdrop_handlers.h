// The backdrop window: the scroll picture, and the content window kept on it.
#pragma once

// Sets the caption, paints the scroll and loads the content window over it.
void OnBackdropCreated();
// Brings the content window to the backdrop's new position.
void OnBackdropPositionChanged();
