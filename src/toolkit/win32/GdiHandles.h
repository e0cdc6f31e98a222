#pragma once
// Owners for GDI objects and device contexts: each gives its handle back when it goes.
#include <windows.h>

#include <utility>

namespace orv::toolkit::win32 {

// A pen, brush, font, bitmap or region, deleted with DeleteObject.
template <typename H>
class GdiObject {
  public:
    GdiObject() = default;
    explicit GdiObject(H h) : h_(h) {}
    ~GdiObject() { Reset(); }
    GdiObject(GdiObject&& o) noexcept : h_(std::exchange(o.h_, nullptr)) {}
    GdiObject& operator=(GdiObject&& o) noexcept {
        if (this != &o) {
            Reset();
            h_ = std::exchange(o.h_, nullptr);
        }
        return *this;
    }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;

    H Get() const { return h_; }
    explicit operator bool() const { return h_ != nullptr; }
    void Reset(H h = nullptr) {
        if (h_ != nullptr) DeleteObject(h_);
        h_ = h;
    }

  private:
    H h_ = nullptr;
};

using UniqueFont = GdiObject<HFONT>;
using UniqueBitmap = GdiObject<HBITMAP>;
using UniqueBrush = GdiObject<HBRUSH>;

// A memory device context from CreateCompatibleDC.
class MemoryDC {
  public:
    explicit MemoryDC(HDC like) : dc_(CreateCompatibleDC(like)) {}
    ~MemoryDC() {
        if (dc_ != nullptr) DeleteDC(dc_);
    }
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;
    HDC Get() const { return dc_; }

  private:
    HDC dc_;
};

// The device context of a window's client area, from GetDC.
class ClientDC {
  public:
    explicit ClientDC(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~ClientDC() {
        if (dc_ != nullptr) ReleaseDC(window_, dc_);
    }
    ClientDC(const ClientDC&) = delete;
    ClientDC& operator=(const ClientDC&) = delete;
    HDC Get() const { return dc_; }

  private:
    HWND window_;
    HDC dc_;
};

// BeginPaint and EndPaint around a WM_PAINT.
class PaintScope {
  public:
    explicit PaintScope(HWND window) : window_(window) { dc_ = BeginPaint(window, &ps_); }
    ~PaintScope() { EndPaint(window_, &ps_); }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;
    HDC Get() const { return dc_; }
    const RECT& Area() const { return ps_.rcPaint; }

  private:
    HWND window_;
    PAINTSTRUCT ps_{};
    HDC dc_ = nullptr;
};

// An object selected into a device context, deselected again.
class SelectScope {
  public:
    SelectScope(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
    ~SelectScope() {
        if (old_ != nullptr && old_ != HGDI_ERROR) SelectObject(dc_, old_);
    }
    SelectScope(const SelectScope&) = delete;
    SelectScope& operator=(const SelectScope&) = delete;

  private:
    HDC dc_;
    HGDIOBJ old_;
};

// Paints a window's invalid area through an off-screen bitmap of its client size, so a repaint
// never flickers; paints straight onto the window when the bitmap cannot be made.
// paint(dc, width, height) draws the whole client area.
template <typename PaintFn>
void PaintBuffered(HWND window, PaintFn&& paint) {
    PaintScope scope(window);
    RECT client{};
    GetClientRect(window, &client);
    if (client.right <= 0 || client.bottom <= 0) return;
    MemoryDC buffer(scope.Get());
    UniqueBitmap bitmap(CreateCompatibleBitmap(scope.Get(), client.right, client.bottom));
    if (buffer.Get() == nullptr || !bitmap) {
        paint(scope.Get(), client.right, client.bottom);
        return;
    }
    SelectScope select(buffer.Get(), bitmap.Get());
    paint(buffer.Get(), client.right, client.bottom);
    const RECT& area = scope.Area();
    BitBlt(scope.Get(), area.left, area.top, area.right - area.left, area.bottom - area.top,
           buffer.Get(), area.left, area.top, SRCCOPY);
}

}  // namespace orv::toolkit::win32
