#include "ui/graphics.h"

#include <utility>

namespace ui {

GdiObject& GdiObject::operator=(GdiObject&& other) noexcept
{
    if (this != &other) {
        if (object_ != nullptr) DeleteObject(object_);
        object_ = other.Release();
    }
    return *this;
}

GdiObject::~GdiObject()
{
    if (object_ != nullptr) DeleteObject(object_);
}

HGDIOBJ GdiObject::Release()
{
    return std::exchange(object_, nullptr);
}

void TFont::SetName(std::string name)
{
    if (name == name_) return;
    name_ = std::move(name);
    Changed();
}

void TFont::SetHeight(int height)
{
    if (height == height_) return;
    height_ = height;
    Changed();
}

int TFont::Size() const
{
    return -MulDiv(height_, 72, kPixelsPerInch);
}

void TFont::SetSize(int points)
{
    SetHeight(-MulDiv(points, kPixelsPerInch, 72));
}

void TFont::SetStyle(unsigned style)
{
    if (style == style_) return;
    style_ = style;
    Changed();
}

void TFont::SetColor(TColor color)
{
    if (color == color_) return;
    color_ = color;
    Changed();
}

void TFont::SetCharset(BYTE charset)
{
    if (charset == charset_) return;
    charset_ = charset;
    Changed();
}

void TFont::Assign(const TFont& other)
{
    if (&other == this) return;
    name_ = other.name_;
    height_ = other.height_;
    style_ = other.style_;
    color_ = other.color_;
    charset_ = other.charset_;
    Changed();
}

HFONT TFont::Handle() const
{
    if (handle_.Get() == nullptr) {
        handle_ = GdiObject(CreateFontA(height_, 0, 0, 0, (style_ & fsBold) != 0 ? FW_BOLD : FW_NORMAL,
                                        (style_ & fsItalic) != 0, (style_ & fsUnderline) != 0,
                                        (style_ & fsStrikeOut) != 0, charset_, OUT_DEFAULT_PRECIS,
                                        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, name_.c_str()));
    }
    return static_cast<HFONT>(handle_.Get());
}

void TFont::Changed()
{
    // The old font lives until the users have switched to the new one.
    GdiObject previous = std::move(handle_);
    if (OnChange) OnChange();
}

void TBitmap::LoadFromResourceName(void* instance, const char* name)
{
    HBITMAP bitmap = LoadBitmapA(static_cast<HINSTANCE>(instance), name);
    if (bitmap == nullptr) {
        throw EOSError(std::string("bitmap resource ") + name + " not found", GetLastError());
    }
    SetHandle(bitmap);
}

void TBitmap::SetHandle(HBITMAP bitmap)
{
    handle_ = GdiObject(bitmap);
    BITMAP info{};
    if (bitmap != nullptr && GetObjectA(bitmap, sizeof info, &info) != 0) {
        width_ = info.bmWidth;
        height_ = info.bmHeight;
    } else {
        width_ = 0;
        height_ = 0;
    }
    Changed();
}

void TBitmap::Assign(const TBitmap& other)
{
    if (&other == this) return;
    SetHandle(other.Empty() ? nullptr
                            : static_cast<HBITMAP>(CopyImage(other.Handle(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
}

void TBitmap::Changed()
{
    if (OnChange) OnChange();
}

HBRUSH TBrush::Handle(TColor color)
{
    if ((color & clSystemColor) != 0) {
        return GetSysColorBrush(static_cast<int>(color & 0xFF));
    }
    if (owned_.Get() == nullptr || color != color_) {
        owned_ = GdiObject(CreateSolidBrush(ColorToRGB(color)));
        color_ = color;
    }
    return static_cast<HBRUSH>(owned_.Get());
}

void TCanvas::FillRect(const RECT& rect, TColor color) const
{
    TBrush brush;
    ::FillRect(dc_, &rect, brush.Handle(color));
}

void TCanvas::FrameRect(const RECT& rect, TColor color) const
{
    TBrush brush;
    ::FrameRect(dc_, &rect, brush.Handle(color));
}

void TCanvas::Line(int x1, int y1, int x2, int y2, TColor color) const
{
    GdiObject pen(CreatePen(PS_SOLID, 1, ColorToRGB(color)));
    HGDIOBJ old = SelectObject(dc_, pen.Get());
    MoveToEx(dc_, x1, y1, nullptr);
    LineTo(dc_, x2, y2);
    SelectObject(dc_, old);
}

void TCanvas::DrawFocusRect(const RECT& rect) const
{
    // The focus rectangle XORs with the text colour against the background.
    SetTextColor(dc_, RGB(0, 0, 0));
    SetBkColor(dc_, RGB(255, 255, 255));
    ::DrawFocusRect(dc_, &rect);
}

void TCanvas::DrawText(const std::string& text, RECT& rect, UINT format, const TFont& font, TColor color) const
{
    HGDIOBJ old = SelectObject(dc_, font.Handle());
    SetTextColor(dc_, ColorToRGB(color == clSystemColor ? font.Color() : color));
    const int oldMode = SetBkMode(dc_, TRANSPARENT);
    ::DrawTextA(dc_, text.c_str(), static_cast<int>(text.size()), &rect, format);
    SetBkMode(dc_, oldMode);
    SelectObject(dc_, old);
}

SIZE TCanvas::TextExtent(const std::string& text, const TFont& font) const
{
    HGDIOBJ old = SelectObject(dc_, font.Handle());
    SIZE size{};
    GetTextExtentPoint32A(dc_, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc_, old);
    return size;
}

void TCanvas::Draw(int x, int y, const TBitmap& bitmap, const RECT& source, bool transparent) const
{
    if (bitmap.Empty()) return;
    HDC memory = CreateCompatibleDC(dc_);
    HGDIOBJ old = SelectObject(memory, bitmap.Handle());
    const int width = source.right - source.left;
    const int height = source.bottom - source.top;
    if (transparent) {
        const COLORREF key = GetPixel(memory, source.left, source.bottom - 1);
        TransparentBlt(dc_, x, y, width, height, memory, source.left, source.top, width, height, key);
    } else {
        BitBlt(dc_, x, y, width, height, memory, source.left, source.top, SRCCOPY);
    }
    SelectObject(memory, old);
    DeleteDC(memory);
}

int FontCharHeight(HFONT font)
{
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return metrics.tmHeight;
}

}  // namespace ui
