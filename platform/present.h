#pragma once
// Showing the back buffer on the window.

#include "platform/status.h"

struct DXUTDevice;

// Makes the back buffer the render target, scaled so that draws keep their 800x600
// coordinates (SDL forgets the scale whenever the target changes). E_FAIL without a device.
HRESULT SelectBackBuffer(DXUTDevice* device);

// Copies the back buffer, letterboxed at 4:3, to the window and presents it; the back buffer
// is the render target again afterwards. E_FAIL without a device.
HRESULT PresentBackBuffer(DXUTDevice* device);
