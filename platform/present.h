#pragma once
// Showing the back buffer on the window.

#include "platform/status.h"

struct DXUTDevice;

// Copies the 800x600 back buffer, scaled and letterboxed, to the window and presents it; the
// back buffer is the render target again afterwards. E_FAIL without a device.
HRESULT PresentBackBuffer(DXUTDevice* device);
