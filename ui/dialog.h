#pragma once
// A dialog of the GUI layer: a screen-sized area with a location, a size, a visibility and a
// list of controls. The game's dialogs carry no interactive controls; their size is the screen
// size that every layout reads, and entering a screen clears their controls.

#include <cstdint>
#include <vector>

#include "platform/status.h"
#include "world/creatures/screen_element.h"  // Rect

class CDXUTDialogResourceManager;

// An inert control: an id and the area it covers, in dialog coordinates.
struct DXUTControl {
  int id = 0;
  Rect bounds;
};

class CDXUTDialog {
 public:
  CDXUTDialog() = default;
  // Leaves the resource manager's list of dialogs.
  ~CDXUTDialog();
  CDXUTDialog(const CDXUTDialog&) = delete;
  CDXUTDialog& operator=(const CDXUTDialog&) = delete;

  // Attaches the dialog to `manager`; with `registerDialog` it also enters the manager's list
  // of dialogs (so the manager knows every dialog that draws with its device).
  void Init(CDXUTDialogResourceManager* manager, bool registerDialog = true);
  CDXUTDialogResourceManager* GetManager() const { return manager; }
  // The context handed to the dialog's owner with its events (the game object).
  void SetUserContext(void* context) { userContext = context; }
  void* GetUserContext() const { return userContext; }

  void SetVisible(bool isVisible) { visible = isVisible; }
  bool GetVisible() const { return visible; }
  void SetLocation(int x, int y) {
    left = x;
    top = y;
  }
  int GetLocationX() const { return left; }
  int GetLocationY() const { return top; }
  void SetSize(int w, int h) {
    width = w;
    height = h;
  }
  int GetWidth() const { return width; }
  int GetHeight() const { return height; }

  // Adds a control; fails (E_FAIL) when a control with the same id exists.
  HRESULT AddControl(const DXUTControl& control);
  // The control with `id`, or null.
  const DXUTControl* GetControl(int id) const;
  int GetControlCount() const { return static_cast<int>(controls.size()); }
  void RemoveAllControls() { controls.clear(); }

  // Offers a window message (the platform's message ids) to the dialog. Returns true when the
  // dialog consumed it; inert controls take no input, so a dialog never does.
  bool MsgProc(void* window, unsigned message, std::uintptr_t wParam, std::intptr_t lParam);

 private:
  CDXUTDialogResourceManager* manager = nullptr;
  void* userContext = nullptr;
  bool visible = true;
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  std::vector<DXUTControl> controls;
};
