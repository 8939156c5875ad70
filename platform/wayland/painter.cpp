#include "platform/wayland/painter.h"

#include <pango/pangocairo.h>

#include <algorithm>
#include <string>

namespace plinth::platform::wayland {
namespace {

// A horizontal or vertical line one pixel wide through pixel centres.
void Line(cairo_t* cairo, double x0, double y0, double x1, double y1, const Rgb& colour) {
  SetColour(cairo, colour);
  cairo_set_line_width(cairo, 1);
  cairo_move_to(cairo, x0 + 0.5, y0 + 0.5);
  cairo_line_to(cairo, x1 + 0.5, y1 + 0.5);
  cairo_stroke(cairo);
}

PangoLayout* MakeLayout(cairo_t* cairo, std::string_view utf8, const char* family, int size) {
  PangoLayout* layout = pango_cairo_create_layout(cairo);
  PangoFontDescription* font = pango_font_description_new();
  pango_font_description_set_family(font, family);
  pango_font_description_set_absolute_size(font, size * PANGO_SCALE);
  pango_layout_set_font_description(layout, font);
  pango_font_description_free(font);
  pango_layout_set_text(layout, utf8.data(), static_cast<int>(utf8.size()));
  return layout;
}

}  // namespace

void SetColour(cairo_t* cairo, const Rgb& colour) {
  cairo_set_source_rgb(cairo, colour.red / 255.0, colour.green / 255.0, colour.blue / 255.0);
}

void FillRect(cairo_t* cairo, Rect area, const Rgb& colour) {
  SetColour(cairo, colour);
  cairo_rectangle(cairo, area.x, area.y, area.width, area.height);
  cairo_fill(cairo);
}

void FrameRect(cairo_t* cairo, Rect area, int width, const Rgb& colour) {
  for (int ring = 0; ring < width; ++ring) {
    const int x = area.x + ring;
    const int y = area.y + ring;
    const int w = area.width - 2 * ring;
    const int h = area.height - 2 * ring;
    if (w <= 0 || h <= 0) return;
    SetColour(cairo, colour);
    cairo_set_line_width(cairo, 1);
    cairo_rectangle(cairo, x + 0.5, y + 0.5, w - 1, h - 1);
    cairo_stroke(cairo);
  }
}

void DrawBevel(cairo_t* cairo, Rect area, bool sunken) {
  FillRect(cairo, area, look::kButtonFace);
  const Rgb light{255, 255, 255};
  const Rgb lighter{222, 222, 222};
  const Rgb dark{128, 128, 128};
  const Rgb darker{64, 64, 64};
  const int left = area.x;
  const int top = area.y;
  const int right = area.x + area.width - 1;
  const int bottom = area.y + area.height - 1;
  // Outer ring, then inner ring; light from the top left when raised.
  const Rgb outer_lit = sunken ? darker : light;
  const Rgb outer_shade = sunken ? light : darker;
  const Rgb inner_lit = sunken ? dark : lighter;
  const Rgb inner_shade = sunken ? lighter : dark;
  Line(cairo, left, top, right, top, outer_lit);
  Line(cairo, left, top, left, bottom, outer_lit);
  Line(cairo, left, bottom, right, bottom, outer_shade);
  Line(cairo, right, top, right, bottom, outer_shade);
  Line(cairo, left + 1, top + 1, right - 1, top + 1, inner_lit);
  Line(cairo, left + 1, top + 1, left + 1, bottom - 1, inner_lit);
  Line(cairo, left + 1, bottom - 1, right - 1, bottom - 1, inner_shade);
  Line(cairo, right - 1, top + 1, right - 1, bottom - 1, inner_shade);
}

int TextWidth(cairo_t* cairo, std::string_view utf8, const char* family, int size) {
  PangoLayout* layout = MakeLayout(cairo, utf8, family, size);
  int width = 0;
  int height = 0;
  pango_layout_get_pixel_size(layout, &width, &height);
  g_object_unref(layout);
  return width;
}

void DrawText(cairo_t* cairo, std::string_view utf8, const char* family, int size,
              const Rgb& colour, Rect area, Align align) {
  if (utf8.empty()) return;
  PangoLayout* layout = MakeLayout(cairo, utf8, family, size);
  int width = 0;
  int height = 0;
  pango_layout_get_pixel_size(layout, &width, &height);
  const int x = align == Align::Centre ? area.x + (area.width - width) / 2 : area.x;
  const int y = area.y + (area.height - height) / 2;
  cairo_save(cairo);
  cairo_rectangle(cairo, area.x, area.y, area.width, area.height);
  cairo_clip(cairo);
  SetColour(cairo, colour);
  cairo_move_to(cairo, x, y);
  pango_cairo_show_layout(cairo, layout);
  cairo_restore(cairo);
  g_object_unref(layout);
}

void DrawDwellBar(cairo_t* cairo, Rect area, int permille, int inset, const DwellBarLook& look) {
  if (permille <= 0) return;
  const DwellBarLook::Bar bar = look.In(
      {area.x + inset, area.y + inset, area.width - 2 * inset, area.height - 2 * inset}, permille);
  FillRect(cairo, bar.filled, look.fill);
  FrameRect(cairo, bar.whole, look.frame, look.frame_colour);
}

}  // namespace plinth::platform::wayland
