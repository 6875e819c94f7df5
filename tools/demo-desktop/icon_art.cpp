#include "icon_art.h"

#include <cstdint>
#include <vector>

#include "demo_items.h"

namespace icotrace::demo {
namespace {

// Pixels that keep this colour after drawing are transparent.
constexpr COLORREF kKey = RGB(255, 0, 255);

// Draws on a 16-unit grid scaled to the picture's size.
class Sketch {
 public:
  Sketch(HDC dc, int size) : m_dc(dc), m_size(size) {}

  int At(int units) const { return units * m_size / 16; }

  void Box(int left, int top, int right, int bottom, COLORREF fill, bool round = false) {
    Select(fill);
    if (round) {
      RoundRect(m_dc, At(left), At(top), At(right), At(bottom), At(4), At(4));
    } else {
      Rectangle(m_dc, At(left), At(top), At(right), At(bottom));
    }
  }
  void Disc(int left, int top, int right, int bottom, COLORREF fill) {
    Select(fill);
    Ellipse(m_dc, At(left), At(top), At(right), At(bottom));
  }
  void Shape(std::initializer_list<POINT> units, COLORREF fill) {
    std::vector<POINT> points;
    for (const POINT p : units) points.push_back({At(p.x), At(p.y)});
    Select(fill);
    Polygon(m_dc, points.data(), static_cast<int>(points.size()));
  }
  void Line(int x1, int y1, int x2, int y2) {
    MoveToEx(m_dc, At(x1), At(y1), nullptr);
    LineTo(m_dc, At(x2), At(y2));
  }

 private:
  void Select(COLORREF fill) { DeleteObject(SelectObject(m_dc, CreateSolidBrush(fill))); }

  HDC m_dc;
  int m_size;
};

void DrawPicture(Sketch& s, int index) {
  switch (index) {
    case 0:  // waste bin
      s.Box(4, 4, 12, 15, RGB(170, 175, 180));
      s.Box(3, 2, 13, 4, RGB(120, 125, 130));
      s.Line(6, 6, 6, 13), s.Line(8, 6, 8, 13), s.Line(10, 6, 10, 13);
      break;
    case 1:  // computer
      s.Box(1, 2, 15, 11, RGB(40, 40, 48));
      s.Box(2, 3, 14, 10, RGB(60, 140, 230));
      s.Box(6, 11, 10, 13, RGB(90, 90, 96));
      s.Box(4, 13, 12, 15, RGB(60, 60, 66));
      break;
    case 2:  // folder
      s.Shape({{1, 3}, {6, 3}, {7, 5}, {15, 5}, {15, 14}, {1, 14}}, RGB(240, 190, 60));
      s.Box(1, 7, 15, 14, RGB(250, 210, 90));
      break;
    case 3:  // page with lines
      s.Shape({{3, 1}, {10, 1}, {13, 4}, {13, 15}, {3, 15}}, RGB(250, 250, 250));
      s.Line(5, 6, 11, 6), s.Line(5, 9, 11, 9), s.Line(5, 12, 9, 12);
      break;
    case 4:  // parcel
      s.Box(2, 4, 14, 14, RGB(60, 170, 90), true);
      s.Box(7, 4, 9, 14, RGB(230, 230, 120));
      break;
    case 5:  // stack of sheets
      s.Box(5, 1, 14, 11, RGB(255, 170, 80));
      s.Box(3, 3, 12, 13, RGB(255, 140, 40));
      s.Box(1, 5, 10, 15, RGB(230, 100, 20));
      break;
    case 6:  // picture: sky, hill, sun
      s.Box(1, 3, 15, 13, RGB(130, 200, 250));
      s.Disc(10, 4, 13, 7, RGB(255, 220, 0));
      s.Shape({{1, 13}, {6, 7}, {11, 13}}, RGB(40, 150, 60));
      break;
    default:  // shortcut: red disc with an arrow
      s.Disc(1, 1, 15, 15, RGB(210, 40, 40));
      s.Shape({{4, 11}, {9, 6}, {7, 4}, {12, 4}, {12, 9}, {10, 7}, {5, 12}}, RGB(255, 255, 255));
      break;
  }
}

// Turns the key colour into transparency: alpha 0 there, 255 elsewhere, and
// the matching monochrome mask (1 = transparent).
HBITMAP ApplyKey(std::uint32_t* pixels, int size) {
  const int stride = ((size + 15) / 16) * 2;  // mask rows are WORD-aligned
  std::vector<std::uint8_t> mask(static_cast<std::size_t>(stride * size), 0);
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      std::uint32_t& pixel = pixels[y * size + x];
      if ((pixel & 0xFFFFFF) == 0xFF00FF) {
        pixel = 0;
        mask[static_cast<std::size_t>(y * stride + x / 8)] |=
            static_cast<std::uint8_t>(0x80 >> (x % 8));
      } else {
        pixel |= 0xFF000000;
      }
    }
  }
  return CreateBitmap(size, size, 1, 1, mask.data());
}

}  // namespace

HIMAGELIST CreateDemoImageList(int size) {
  HIMAGELIST list = ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, kImageCount, 0);
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  ReleaseDC(nullptr, screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = size;
  info.bmiHeader.biHeight = -size;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  for (int index = 0; index < kImageCount; ++index) {
    void* bits = nullptr;
    HBITMAP colour = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, colour);
    HBRUSH key = CreateSolidBrush(kKey);
    const RECT all{0, 0, size, size};
    FillRect(dc, &all, key);
    DeleteObject(key);
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(BLACK_PEN));
    HGDIOBJ oldBrush = SelectObject(dc, CreateSolidBrush(kKey));
    Sketch sketch(dc, size);
    DrawPicture(sketch, index);
    DeleteObject(SelectObject(dc, oldBrush));
    SelectObject(dc, oldPen);
    SelectObject(dc, old);
    GdiFlush();
    HBITMAP mask = ApplyKey(static_cast<std::uint32_t*>(bits), size);
    ImageList_Add(list, colour, mask);
    DeleteObject(mask);
    DeleteObject(colour);
  }
  DeleteDC(dc);
  return list;
}

}  // namespace icotrace::demo
