#include "preview/preview_geometry.h"

#include <algorithm>
#include <cfenv>
#include <cmath>
#include <limits>

namespace tallowmere {

namespace {

// A scroll bar's range is a 16-bit value; a larger range is held at its end.
constexpr int kScrollBarLimit = std::numeric_limits<std::int16_t>::max();
// Up to this excess a bar unit is one twip, beyond it ten.
constexpr float kFineExcess = 100.0f;

}  // namespace

int TwipsToPixels(double twips) { return static_cast<int>(std::lround(twips / kTwipsPerPixel)); }

double RoundTiesToEven(double value) {
  // nearbyint rounds in the current mode; to-nearest rounds ties to even.
  const int saved = std::fegetround();
  std::fesetround(FE_TONEAREST);
  const double rounded = std::nearbyint(value);
  std::fesetround(saved);
  return rounded;
}

void PreviewGeometry::PictureLoaded(int widthTwips, int heightTwips) {
  loadedWidth_ = pictureWidth_ = widthTwips;
  loadedHeight_ = pictureHeight_ = heightTwips;
  needsSetup_ = true;
}

void PreviewGeometry::Setup() {
  if (!needsSetup_) return;
  CopyToZoomOri();
  ResetZoom();
  RedrawImage();
  SetupScrollbars();
  FinishSetup();
}

void PreviewGeometry::CopyToZoomOri() {
  zoomOriWidth_ = pictureWidth_ = loadedWidth_;
  zoomOriHeight_ = pictureHeight_ = loadedHeight_;
}

void PreviewGeometry::ResetZoom() {
  zoom_ = 1.0f;
  baseWidth_ = static_cast<std::int32_t>(RoundTiesToEven(zoomOriWidth_ - 2.0));
  baseHeight_ = static_cast<std::int32_t>(RoundTiesToEven(zoomOriHeight_ - 2.0));
  zoomWidth_ = baseWidth_;
  zoomHeight_ = baseHeight_;
}

void PreviewGeometry::RedrawImage() {
  zoomWidth_ = static_cast<std::int32_t>(std::floor(static_cast<double>(baseWidth_) * zoom_));
  zoomHeight_ = static_cast<std::int32_t>(std::floor(static_cast<double>(baseHeight_) * zoom_));
  if (zoomWidth_ < kDrawLimitWidth && zoomHeight_ < kDrawLimitHeight) {
    pictureWidth_ = zoomWidth_;
    pictureHeight_ = zoomHeight_;
    if (viewport_) viewport_->DrawPicture(zoomWidth_, zoomHeight_);
    if (viewport_) viewport_->PointerToDefault();
    SetHScrollValue(0);
    SetVScrollValue(0);
    hScroll_.enabled = kViewportInnerWidth < zoomWidth_;
    vScroll_.enabled = kViewportInnerHeight < zoomHeight_;
    return;
  }
  // Too large to draw: the picture stays as it is. Zooming in, the next step starts from
  // 1.0 again; zooming out, from the factor tried, or a picture too large at 1.0 could
  // never be made smaller.
  const float tried = zoom_;
  ResetZoom();
  if (tried < 1.0f) zoom_ = tried;
}

void PreviewGeometry::SetupScrollbars() {
  left_ = 0;
  top_ = 0;
  SetupScrollbar(pictureWidth_, kViewportOuterWidth, hScroll_, hStep_, left_);
  SetupScrollbar(pictureHeight_, kViewportOuterHeight, vScroll_, vStep_, top_);
}

void PreviewGeometry::SetupScrollbar(int pictureSize, int viewportSize, ScrollBarState& bar, std::int16_t& step,
                                     double& offset) {
  const float picture = static_cast<float>(pictureSize);
  const float viewport = static_cast<float>(viewportSize);
  if (!(picture > viewport)) {
    bar.enabled = false;
    step = 0;
    return;
  }
  const float excess = picture - viewport;
  const bool fine = excess <= kFineExcess;
  const double units = RoundTiesToEven(fine ? excess : excess / 10.0f);
  bar.enabled = true;
  bar.max = static_cast<int>(std::min<double>(units, kScrollBarLimit));
  bar.value = std::min(bar.value, bar.max);
  step = fine ? 1 : 10;
  SetScrollValue(bar, 0, step, offset);
}

void PreviewGeometry::ZoomStep(bool zoomOut) {
  const float factor = zoomOut ? zoom_ - kZoomIncrement : zoom_ + kZoomIncrement;
  SetZoom(factor);
}

void PreviewGeometry::SetZoom(float factor) {
  if (!(factor >= kMinZoom && factor <= kMaxZoom)) return;
  zoom_ = factor;
  RedrawImage();
  SetupScrollbars();
}

void PreviewGeometry::SetHScrollValue(int value) { SetScrollValue(hScroll_, value, hStep_, left_); }
void PreviewGeometry::SetVScrollValue(int value) { SetScrollValue(vScroll_, value, vStep_, top_); }

void PreviewGeometry::SetScrollValue(ScrollBarState& bar, int value, std::int16_t step, double& offset) {
  const int held = std::clamp(value, 0, bar.max);
  if (held == bar.value) return;
  bar.value = held;
  // Formed in double: step 10 times a value above 3276 leaves the 16-bit range.
  offset = -(static_cast<double>(step) * held);
}

void PreviewGeometry::SetHScrollbarByPercent(int percent) { SetByPercent(hScroll_, percent, hStep_, left_); }
void PreviewGeometry::SetVScrollbarByPercent(int percent) { SetByPercent(vScroll_, percent, vStep_, top_); }

void PreviewGeometry::SetByPercent(ScrollBarState& bar, int percent, std::int16_t step, double& offset) {
  if (percent < 0) return;
  const double share = static_cast<double>(percent) / 100.0 * bar.max;
  const int value = percent > 100 ? bar.max : static_cast<int>(RoundTiesToEven(share));
  SetScrollValue(bar, value, step, offset);
}

void PreviewGeometry::MouseDown(float x, float y) {
  dragX_ = x;
  dragY_ = y;
}

void PreviewGeometry::MouseMove(bool buttonDown, float x, float y) {
  if (!buttonDown) return;
  const float wantedLeft = static_cast<float>(left_) - dragX_ + x;
  const float wantedTop = static_cast<float>(top_) - dragY_ + y;
  left_ = ClampDrag(wantedLeft, kViewportInnerWidth, pictureWidth_);
  top_ = ClampDrag(wantedTop, kViewportInnerHeight, pictureHeight_);
}

// The upper bound 0 is tested first; only when it did not apply the lower bound, so a
// picture smaller than the viewport lands at one of its two edges.
double PreviewGeometry::ClampDrag(float wanted, int innerSize, int pictureSize) {
  if (wanted > 0) return 0;
  const float lowest = static_cast<float>(innerSize - pictureSize);
  if (lowest > wanted) return lowest;
  return wanted;
}

std::optional<int> PreviewGeometry::HorizontalReleasePercent() const {
  return ReleasePercent(left_, pictureWidth_, kViewportOuterWidth);
}

std::optional<int> PreviewGeometry::VerticalReleasePercent() const {
  return ReleasePercent(top_, pictureHeight_, kViewportOuterHeight);
}

// Undefined when picture and viewport are equally large: that bar is left as it is.
std::optional<int> PreviewGeometry::ReleasePercent(double offset, int pictureSize, int viewportSize) {
  const double range = static_cast<double>(pictureSize) - viewportSize;
  if (range == 0) return std::nullopt;
  const double percent = RoundTiesToEven(std::fabs(offset) / range * 100.0);
  return static_cast<int>(std::clamp<double>(percent, std::numeric_limits<std::int16_t>::min(), kScrollBarLimit));
}

}  // namespace tallowmere
