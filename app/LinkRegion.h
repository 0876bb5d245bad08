#pragma once
// The clickable area the main and about windows lay over a line of text: a
// region with immediate mouse events and the hand cursor, covering the
// control exactly.

namespace rt {
class Window;
}

// Creates the region over control `over`; answers its number (from 100).
int CreateLinkRegion(rt::Window& window, int over);
