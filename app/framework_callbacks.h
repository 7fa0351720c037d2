#pragma once
// The thin functions between the framework and the game: each forwards the framework's
// arguments to one operation of the game object it was handed as context.

#include "platform/dxut.h"

class cGame;

// Hands the framework the eight game callbacks (device created, reset, lost, destroyed,
// messages, keyboard, frame render, frame move) with `game` as their context. Messages pass
// the game's GUI dialogs before the game sees them.
void SetFrameworkCallbacks(cGame* game);

// Accepts a device that can blend into its back buffer.
bool IsDeviceAcceptable(const DXUTDeviceCaps* caps, bool windowed, void* context);
// Software vertex processing without hardware transform; the reference-device notice on the
// first call only; always an 800 x 600 back buffer.
bool ModifyDeviceSettings(DXUTDeviceSettings* settings, const DXUTDeviceCaps* caps, void* context);
