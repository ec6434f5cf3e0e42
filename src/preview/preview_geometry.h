#pragma once
// Where the preview's picture lies and how large it is drawn: zoom, scroll bar ranges and
// steps, the picture's position inside the viewport, drag panning. All lengths are twips
// (15 twips = 1 pixel); the window converts to pixels only when it places its controls.

#include <cstdint>
#include <optional>

namespace tallowmere {

inline constexpr int kTwipsPerPixel = 15;

// Nearest pixel of a length in twips.
int TwipsToPixels(double twips);

// Nearest integer, ties to the even neighbour (2.5 -> 2, 3.5 -> 4).
double RoundTiesToEven(double value);

// A scroll bar as the window's logic sees it: range 0..max, value always inside it.
struct ScrollBarState {
  int max = 0;
  int value = 0;
  bool enabled = false;
};

class PreviewGeometry {
 public:
  // The viewport Picture2: outer size, and inner size inside its one-pixel border.
  static constexpr int kViewportOuterWidth = 9330;
  static constexpr int kViewportOuterHeight = 7425;
  static constexpr int kViewportInnerWidth = 9300;
  static constexpr int kViewportInnerHeight = 7395;
  // Pictures are drawn only while both scaled sizes stay below these.
  static constexpr int kDrawLimitWidth = 21300;
  static constexpr int kDrawLimitHeight = 19400;
  static constexpr float kMinZoom = 0.25f;
  static constexpr float kMaxZoom = 2.75f;
  static constexpr float kZoomIncrement = 0.25f;
  // The picture control's size before any picture has been loaded into it.
  static constexpr int kDesignPictureWidth = 2340;
  static constexpr int kDesignPictureHeight = 3435;

  // What the geometry asks of the window while it redraws.
  class Viewport {
   public:
    virtual ~Viewport() = default;
    // Draws the unscaled picture into the picture control at the given size. Reports its
    // own failures: the redraw goes on afterwards.
    virtual void DrawPicture(int zoomWidth, int zoomHeight) = 0;
    // Puts the window's pointer back to the default arrow after a drawing.
    virtual void PointerToDefault() = 0;
  };

  explicit PreviewGeometry(Viewport* viewport = nullptr) : viewport_(viewport) {}

  // A new picture of the given size (twips) is in the picture control; the next
  // activation sets the window up for it.
  void PictureLoaded(int widthTwips, int heightTwips);
  // The next activation performs the set-up (a new report was handed over).
  void RequestSetup() { needsSetup_ = true; }
  bool NeedsSetup() const { return needsSetup_; }

  // The whole set-up of an activation, as the window runs it step by step.
  void Setup();
  void CopyToZoomOri();  // the control and the unscaled copy take the loaded picture's size
  void ResetZoom();      // zoom 1.0 and the sizes that go with it
  void FinishSetup() { needsSetup_ = false; }

  // Draws the picture at the current zoom. When the scaled size reaches a limit nothing is
  // drawn and the picture keeps its last drawn size; a factor above 1.0 falls back to 1.0,
  // one below stays, so that further "Zoom Out" steps reach a size that can be drawn.
  void RedrawImage();
  // Range, step and enabled state of both bars from the current sizes; picture to 0, 0.
  void SetupScrollbars();

  // Zoom one increment in or out; factors outside 0.25..2.75 are ignored.
  void ZoomStep(bool zoomOut);
  void SetZoom(float factor);

  // A bar's value changed (by the user or by code): the picture moves to -(step x value).
  // Values outside the bar's range are held at its ends. Nothing moves when the value
  // did not change.
  void SetHScrollValue(int value);
  void SetVScrollValue(int value);
  // Sets the bar to percent of its range; negative leaves it alone, above 100 is its end.
  void SetHScrollbarByPercent(int percent);
  void SetVScrollbarByPercent(int percent);

  // Drag panning; x and y are in the picture control's own coordinates (twips).
  void MouseDown(float x, float y);
  void MouseMove(bool buttonDown, float x, float y);
  // At the release: the share of each bar's range (outer sizes) that the picture has
  // reached, in percent, for SetHScrollbarByPercent and SetVScrollbarByPercent. Negative
  // where the picture is smaller than the viewport; none where both are equally large.
  std::optional<int> HorizontalReleasePercent() const;
  std::optional<int> VerticalReleasePercent() const;

  float Zoom() const { return zoom_; }
  int BaseWidth() const { return baseWidth_; }
  int BaseHeight() const { return baseHeight_; }
  int ZoomWidth() const { return zoomWidth_; }
  int ZoomHeight() const { return zoomHeight_; }
  // The picture control: outer size and position inside the viewport.
  int PictureWidth() const { return pictureWidth_; }
  int PictureHeight() const { return pictureHeight_; }
  double PictureLeft() const { return left_; }
  double PictureTop() const { return top_; }
  const ScrollBarState& HScroll() const { return hScroll_; }
  const ScrollBarState& VScroll() const { return vScroll_; }
  int HStep() const { return hStep_; }
  int VStep() const { return vStep_; }

 private:
  void SetupScrollbar(int pictureSize, int viewportSize, ScrollBarState& bar, std::int16_t& step, double& offset);
  static void SetScrollValue(ScrollBarState& bar, int value, std::int16_t step, double& offset);
  static void SetByPercent(ScrollBarState& bar, int percent, std::int16_t step, double& offset);
  static double ClampDrag(float wanted, int innerSize, int pictureSize);
  static std::optional<int> ReleasePercent(double offset, int pictureSize, int viewportSize);

  Viewport* viewport_;
  bool needsSetup_ = true;
  int loadedWidth_ = kDesignPictureWidth;  // the picture as handed over
  int loadedHeight_ = kDesignPictureHeight;
  int pictureWidth_ = kDesignPictureWidth;  // the picture control as it is now
  int pictureHeight_ = kDesignPictureHeight;
  int zoomOriWidth_ = kDesignPictureWidth;
  int zoomOriHeight_ = kDesignPictureHeight;
  std::int32_t baseWidth_ = 0;
  std::int32_t baseHeight_ = 0;
  std::int32_t zoomWidth_ = 0;
  std::int32_t zoomHeight_ = 0;
  float zoom_ = 1.0f;
  std::int16_t hStep_ = 0;
  std::int16_t vStep_ = 0;
  float dragX_ = 0;
  float dragY_ = 0;
  double left_ = 0;
  double top_ = 0;
  ScrollBarState hScroll_;
  ScrollBarState vScroll_;
};

}  // namespace tallowmere
