// The link label: a release of the left button over its drawn text opens
// the configured address in the browser Windows registers for the Start menu.
#pragma once

// Reads the address, the browser and its command afresh each time. Always
// answers false: the release is consumed.
bool OnLinkReleased(int x, int y, int keys);
