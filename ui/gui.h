#pragma once
// The game's one drawing front end. Everything on screen goes through here: images through
// the image batch (`BeginImages` ... `EndImages`), bars and tints through `DrawLine`, text
// through the font (`GetFont()->DrawText`). It also owns the texture cache (inside the dialog
// resource manager) and the two dialogs whose size is the screen size the layouts read.
//
// Layering rule: lines and text reach the render target when they are issued; images drawn
// between BeginImages and EndImages are queued and reach it when the batch ends or is flushed.
// So lines and text issued while a batch is open lie under that batch's images and above the
// images of batches already ended.
//
// Colours are packed ARGB (alpha in the top byte: 0xff000000 opaque black, 0xa0000000 black
// at 160/255). Everything is drawn alpha-blended, or as if it were: what blending would leave
// unchanged (opaque pictures) is copied, and what misses the screen is not drawn at all.
//
// Device life cycle (the framework's device callbacks forward here through the game):
//   OnCreateDevice -> OnResetDevice -> [OnLostDevice -> OnResetDevice]* -> OnLostDevice ->
//   OnDestroyDevice.
// Between a loss and the next reset the image batch and the line drawer do not exist:
// BeginImages fails and DrawLine draws nothing. The font and the cache's textures live from
// create to destroy; the cache loads its pictures again on the next create.

#include <cstdint>
#include <memory>
#include <string>

#include "platform/status.h"
#include "ui/dialog.h"
#include "ui/dialog_resource_manager.h"
#include "ui/font.h"
#include "world/creatures/screen_element.h"  // Rect
#include "world/vec2.h"

struct DXUTDevice;
struct DXUTSurfaceDesc;
struct SDL_Texture;
class cSpriteBatch;
class cLineDrawer;

class cGUI {
 public:
  cGUI();
  // Clears the dialogs' controls, drops the device and releases the drawing objects. Touches
  // no SDL object whose device is already gone (the static instance dies after main returns).
  ~cGUI();
  cGUI(const cGUI&) = delete;
  cGUI& operator=(const cGUI&) = delete;

  // Stores the face name (the game passes L"CelticMD"), enters both dialogs into the resource
  // manager with `eventContext` (the game object) as their user context, hides the second
  // dialog at (0, 0). Always succeeds.
  HRESULT Init(void* eventContext, const std::wstring& faceName);

  // The resource manager takes the device (and loads every cached picture); the font is
  // opened: the stored face at a line height of 16 pixels. Returns the font's status.
  HRESULT OnCreateDevice(DXUTDevice* device);
  // Creates the image batch and the line drawer and sizes both dialogs to the back buffer
  // (placed at (0, 0)).
  void OnResetDevice(DXUTDevice* device, const DXUTSurfaceDesc* desc);
  // Releases the image batch and the line drawer (an open batch is dropped undrawn).
  void OnLostDevice();
  // The resource manager drops the device and its textures; the font is released.
  void OnDestroyDevice();
  // Opens the font again with the same face and height on the resource manager's device (the
  // game calls it when the font table changed). Fails without a device or without the face.
  HRESULT RecreateFont();

  // The text font; null while no device exists or when the face could not be opened.
  cFont* GetFont() { return font.get(); }
  // The texture cache: AddTexture by file name, GetTextureNode by index.
  CDXUTDialogResourceManager* GetResourceManager() { return &resourceManager; }
  // The main dialog: its width and height are the screen size every layout reads.
  CDXUTDialog* GetDialog() { return &mainDialog; }
  // The hidden second dialog (the message chain offers messages to it before the main one).
  CDXUTDialog* GetSecondDialog() { return &secondDialog; }
  // (0, 0, main dialog width, main dialog height).
  Rect GetScreenRect();

  // Opens an image batch: alpha blending on. Fails (and the caller skips its images) when the
  // batch does not exist (no device, or between loss and reset) or one is already open.
  HRESULT BeginImages();
  // Draws what the batch holds and closes it. Fails when no batch is open.
  HRESULT EndImages();
  // Draws what the open batch holds so far; the batch stays open.
  HRESULT FlushImages();

  // Queues the `sourceRect` texels of `texture`. With c = (rect width / 2, rect height / 2),
  // sx = flipX ? -scale : scale and sy likewise, the texel at p (relative to the rectangle's
  // top-left) lands on (x, y) + c + Rot(rotation) * (sx * (p.x - c.x), sy * (p.y - c.y)):
  // (x, y) is the top-left at scale 1 and no turn; scaling, mirroring and the clockwise turn
  // (radians) keep the centre at (x + c.x, y + c.y). Texels are multiplied by `colour`.
  // Draws nothing (and succeeds) for a null or empty rectangle or a null texture (a cache
  // entry without picture). Fails when no batch is open.
  HRESULT DrawSprite(SDL_Texture* texture, const Rect* sourceRect, float x, float y, float rotation,
                     float scale, std::uint32_t colour, bool flipX, bool flipY);
  // Queues the whole texture so that it fills `dest`, the texture taken as `textureWidth` by
  // `textureHeight` (the caller's art size). A flip mirrors the picture, which then extends
  // from dest's left (top) edge towards smaller coordinates. Draws nothing for a null
  // rectangle, a null texture, a zero texture size or when no batch is open.
  void DrawImageStretched(SDL_Texture* texture, float textureWidth, float textureHeight,
                          const Rect* dest, std::uint32_t colour, bool flipX, bool flipY);
  // Draws at once a band `width` wide centred on the segment a -> b: a horizontal line of
  // width w from (x0, y) to (x1, y) fills x0..x1 by y - w/2..y + w/2. Nothing without the
  // line drawer or for a segment of zero length.
  void DrawLine(Vec2 a, Vec2 b, std::uint32_t colour, float width);

  // While set, images drawn at a size other than their own, unturned and unmirrored, come
  // from a copy stretched once (where that pays off, see cStretchedCopies): for pictures drawn
  // at the same size frame after frame (scenery, menu pictures). Set and cleared around them.
  void SetKeepStretched(bool keep);
  // Releases the stretched copies not drawn for a while; called once a frame whatever the
  // screen, so that a screen without pictures lets the last one's copies go.
  void ReleaseIdleCopies();
  // How many stretched copies are kept.
  int StretchedCopyCount();
  // Culling, opaque copies and stretched copies, which all keep the picture the same, are on
  // unless switched off here (to compare pictures drawn with and without them).
  void SetDrawingShortcuts(bool on);

 private:
  static constexpr int kFontHeight = 16;

  // Runs one batch operation; its failure is traced as `callText` at `line` (with a message
  // box when `showBox`). Fails untraced while no batch exists.
  HRESULT CallBatch(HRESULT (cSpriteBatch::*call)(), unsigned line, const wchar_t* callText,
                    bool showBox);

  std::unique_ptr<cFont> font;
  std::unique_ptr<cSpriteBatch> m_pImgSprite;
  std::unique_ptr<cLineDrawer> line;
  bool keepStretched = false;
  bool drawingShortcuts = true;
  CDXUTDialogResourceManager resourceManager;
  CDXUTDialog mainDialog;
  CDXUTDialog secondDialog;
  Rect screenRect;
  std::wstring faceName;
};
