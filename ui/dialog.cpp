#include "ui/dialog.h"

#include "ui/dialog_resource_manager.h"

CDXUTDialog::~CDXUTDialog() {
  if (manager != nullptr) manager->UnregisterDialog(this);
}

void CDXUTDialog::Init(CDXUTDialogResourceManager* newManager, bool registerDialog) {
  if (manager != nullptr) manager->UnregisterDialog(this);
  manager = newManager;
  if (manager != nullptr && registerDialog) manager->RegisterDialog(this);
}

HRESULT CDXUTDialog::AddControl(const DXUTControl& control) {
  if (GetControl(control.id) != nullptr) return E_FAIL;
  controls.push_back(control);
  return S_OK;
}

const DXUTControl* CDXUTDialog::GetControl(int id) const {
  for (const DXUTControl& control : controls) {
    if (control.id == id) return &control;
  }
  return nullptr;
}

bool CDXUTDialog::MsgProc(void*, unsigned, std::uintptr_t, std::intptr_t) { return false; }
