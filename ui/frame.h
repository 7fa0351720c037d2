#pragma once
// Starting and showing a frame outside the framework's own loop.

#include "platform/status.h"

struct DXUTDevice;

// Clears the back buffer to transparent black.
HRESULT ClearBackBuffer(DXUTDevice* device);

// Shows the back buffer on the window at once, for frames drawn inside a frame move (the
// loading screen), which never reach the framework's own present.
HRESULT PresentBackBufferNow(DXUTDevice* device);
