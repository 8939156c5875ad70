#include "platform/win32/scaled_menu_items.h"

#include <algorithm>
#include <array>

namespace plinth::platform::win32 {

ScaledMenuItems::ScaledMenuItems(HMENU menu) : menu_(menu) {
  const int count = GetMenuItemCount(menu);
  for (int position = 0; position < count; ++position) {
    std::array<char, 256> text{};
    GetMenuStringA(menu, static_cast<UINT>(position), text.data(), static_cast<int>(text.size()),
                   MF_BYPOSITION);
    texts_.emplace_back(text.data());
  }
}

void ScaledMenuItems::UseFont(HFONT font) {
  font_ = font;
  for (std::size_t position = 0; position < texts_.size(); ++position) {
    MENUITEMINFOA item{};
    item.cbSize = sizeof(item);
    item.fMask = MIIM_FTYPE | MIIM_DATA | MIIM_STRING;
    item.fType = font != nullptr ? MFT_OWNERDRAW : MFT_STRING;
    item.dwItemData = position;
    item.dwTypeData = texts_[position].data();
    SetMenuItemInfoA(menu_, static_cast<UINT>(position), TRUE, &item);
  }
}

const std::string* ScaledMenuItems::TextOf(ULONG_PTR position) const {
  return position < texts_.size() ? &texts_[position] : nullptr;
}

bool ScaledMenuItems::Measure(MEASUREITEMSTRUCT& item) const {
  const std::string* text = TextOf(item.itemData);
  if (item.CtlType != ODT_MENU || text == nullptr || font_ == nullptr) return false;
  HDC dc = GetDC(nullptr);
  const HGDIOBJ old_font = SelectObject(dc, font_);
  SIZE extent{};
  GetTextExtentPoint32A(dc, text->data(), static_cast<int>(text->size()), &extent);
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc, &metrics);
  SelectObject(dc, old_font);
  ReleaseDC(nullptr, dc);
  // A third of a line around the text, and a square as high as the item
  // on the left for the check mark.
  const int line = static_cast<int>(metrics.tmHeight);
  const int height = line + line / 3;
  item.itemHeight = static_cast<UINT>(height);
  item.itemWidth = static_cast<UINT>(height + extent.cx + line / 2);
  return true;
}

bool ScaledMenuItems::Draw(const DRAWITEMSTRUCT& item) const {
  const std::string* text = TextOf(item.itemData);
  if (item.CtlType != ODT_MENU || text == nullptr || font_ == nullptr) return false;
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  const COLORREF ink = GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT);
  const RECT& area = item.rcItem;
  FillRect(item.hDC, &area, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_MENU));

  const int line = area.bottom - area.top;
  if ((item.itemState & ODS_CHECKED) != 0) {
    // A tick in the square at the left, drawn as lines so that it scales.
    const int unit = std::max(1, line / 10);
    const int left = area.left + line / 4;
    const int middle = area.top + line / 2;
    const std::array<POINT, 3> tick = {POINT{left, middle},
                                       POINT{left + 2 * unit, middle + 2 * unit},
                                       POINT{left + 5 * unit, middle - 3 * unit}};
    HPEN pen = CreatePen(PS_SOLID, std::max(1, line / 12), ink);
    const HGDIOBJ old_pen = SelectObject(item.hDC, pen);
    Polyline(item.hDC, tick.data(), static_cast<int>(tick.size()));
    SelectObject(item.hDC, old_pen);
    DeleteObject(pen);
  }

  RECT text_area = area;
  text_area.left += line;
  const HGDIOBJ old_font = SelectObject(item.hDC, font_);
  SetBkMode(item.hDC, TRANSPARENT);
  SetTextColor(item.hDC, ink);
  DrawTextA(item.hDC, text->data(), static_cast<int>(text->size()), &text_area,
            DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  SelectObject(item.hDC, old_font);
  return true;
}

}  // namespace plinth::platform::win32
