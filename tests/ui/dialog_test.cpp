// The dialogs: entered into the resource manager, sized to the back buffer, controls cleared.

#include "support/gui_fixture.h"

namespace {

using DialogTest = GuiFixture;

TEST_F(DialogTest, ResetSizesBothDialogsToTheBackBuffer) {
  EXPECT_EQ(gui.GetScreenRect(), Rect{});
  CreateAndResetDevice();
  for (CDXUTDialog* dialog : {gui.GetDialog(), gui.GetSecondDialog()}) {
    EXPECT_EQ(dialog->GetWidth(), 800);
    EXPECT_EQ(dialog->GetHeight(), 600);
    EXPECT_EQ(dialog->GetLocationX(), 0);
    EXPECT_EQ(dialog->GetLocationY(), 0);
  }
  EXPECT_EQ(gui.GetScreenRect(), (Rect{0, 0, 800, 600}));
}

TEST_F(DialogTest, ControlsAreUniqueByIdAndRemovedTogether) {
  CDXUTDialog* dialog = gui.GetDialog();
  const DXUTControl first{1, Rect{0, 0, 10, 10}};
  const DXUTControl sameId{1, Rect{5, 5, 10, 10}};
  const DXUTControl second{2, Rect{}};
  EXPECT_TRUE(SUCCEEDED(dialog->AddControl(first)));
  EXPECT_TRUE(FAILED(dialog->AddControl(sameId)));
  EXPECT_TRUE(SUCCEEDED(dialog->AddControl(second)));
  EXPECT_EQ(dialog->GetControl(1)->bounds, (Rect{0, 0, 10, 10}));
  dialog->RemoveAllControls();
  EXPECT_EQ(dialog->GetControlCount(), 0);
  EXPECT_EQ(dialog->GetControl(2), nullptr);
  EXPECT_FALSE(dialog->MsgProc(nullptr, kMsgActivate, 1, 0));
}

TEST_F(DialogTest, DialogsLeaveTheManagerTheyOutlive) {
  CDXUTDialog outliving;
  {
    CDXUTDialogResourceManager manager;
    outliving.Init(&manager);
    EXPECT_EQ(manager.GetDialogs().size(), 1u);
  }
  EXPECT_EQ(outliving.GetManager(), nullptr);
}

}  // namespace
