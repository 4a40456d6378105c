#pragma once
// GDI wrappers: fonts, bitmaps from the module's resources, a solid brush per
// colour, and a canvas over a device context for painting.

#include <windows.h>

#include <functional>
#include <string>

#include "ui/types.h"

namespace ui {

// Owns one GDI object (font, bitmap, brush); deletes it on destruction.
class GdiObject {
public:
    GdiObject() = default;
    explicit GdiObject(HGDIOBJ object) : object_(object) {}
    GdiObject(GdiObject&& other) noexcept : object_(other.Release()) {}
    GdiObject& operator=(GdiObject&& other) noexcept;
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    ~GdiObject();

    HGDIOBJ Get() const { return object_; }
    HGDIOBJ Release();

private:
    HGDIOBJ object_ = nullptr;
};

enum TFontStyleFlag : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

// Layouts are in pixels at 96 pixels per inch.
inline constexpr int kPixelsPerInch = 96;

class TFont : public TObject {
public:
    TFont() = default;

    const std::string& Name() const { return name_; }
    void SetName(std::string name);
    int Height() const { return height_; }  // negative: character height in pixels
    void SetHeight(int height);
    int Size() const;                       // points
    void SetSize(int points);
    unsigned Style() const { return style_; }
    void SetStyle(unsigned style);
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    BYTE Charset() const { return charset_; }
    void SetCharset(BYTE charset);
    void Assign(const TFont& other);

    // The GDI font, made on first use and kept until the font changes.
    HFONT Handle() const;

    // Runs after every change, while the previous GDI font still exists.
    std::function<void()> OnChange;

private:
    void Changed();

    std::string name_ = "MS Sans Serif";
    int height_ = -11;
    unsigned style_ = 0;
    TColor color_ = clWindowText;
    BYTE charset_ = DEFAULT_CHARSET;
    mutable GdiObject handle_;
};

class TBitmap : public TObject {
public:
    TBitmap() = default;

    bool Empty() const { return handle_.Get() == nullptr; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    HBITMAP Handle() const { return static_cast<HBITMAP>(handle_.Get()); }

    // Loads a BITMAP resource of the given module (the module's own instance,
    // ModuleInstance(), inside a DLL); throws EOSError when it is missing.
    void LoadFromResourceName(void* instance, const char* name);
    // Takes ownership of bitmap (may be null).
    void SetHandle(HBITMAP bitmap);
    void Assign(const TBitmap& other);

    std::function<void()> OnChange;

private:
    void Changed();

    GdiObject handle_;
    int width_ = 0;
    int height_ = 0;
};

// A solid brush for a colour; system colours use the shared system brushes.
class TBrush {
public:
    HBRUSH Handle(TColor color);

private:
    GdiObject owned_;
    TColor color_ = clSystemColor;
};

// Painting on a device context owned by someone else.
class TCanvas {
public:
    explicit TCanvas(HDC dc) : dc_(dc) {}

    HDC Handle() const { return dc_; }
    void FillRect(const RECT& rect, TColor color) const;
    void FrameRect(const RECT& rect, TColor color) const;
    void Line(int x1, int y1, int x2, int y2, TColor color) const;
    void DrawFocusRect(const RECT& rect) const;
    // Text in the font's colour (or color when given), background untouched.
    void DrawText(const std::string& text, RECT& rect, UINT format, const TFont& font,
                  TColor color = clSystemColor) const;
    SIZE TextExtent(const std::string& text, const TFont& font) const;
    // Draws the part source of bitmap at (x, y); with transparent, pixels of the
    // colour of the part's bottom-left pixel are left out.
    void Draw(int x, int y, const TBitmap& bitmap, const RECT& source, bool transparent) const;

private:
    HDC dc_;
};

// Character height (tmHeight) of a font on the screen.
int FontCharHeight(HFONT font);

}  // namespace ui
