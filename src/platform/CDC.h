// CDC: the drawing context that panels, controls and drawn screens paint on.
//
// It draws on an off-screen picture (owned, or one that the window layer
// provides). Colours are COLORREF values; fonts are given as a face name and a
// size in tenths of a point and sized as the window system sized them at 96
// dots per inch, so every machine draws alike. Text is placed by the top-left
// corner of its cell and, in opaque mode, drawn on the background colour.
#pragma once

#include <memory>

#include "platform/WinTypes.h"

class CBitmapFile;
class QImage;
class QPainter;

class CDC {
  public:
    enum BkMode { TRANSPARENT = 1, OPAQUE = 2 };

    // A context with a picture of its own, filled with one colour.
    CDC(int width, int height, COLORREF fill = RGB(0, 0, 0));
    // A context on a picture owned by the caller (the window layer); the
    // picture must outlive the context.
    explicit CDC(QImage& target);
    ~CDC();
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    int Width() const;
    int Height() const;

    // Bitmaps, unscaled.
    void DrawBitmap(const CBitmapFile& bitmap, int x, int y);
    void DrawBitmapPart(const CBitmapFile& bitmap, int x, int y, const CRect& source);

    // Areas.
    void FillSolidRect(const CRect& rect, COLORREF colour);
    void FrameRect(const CRect& rect, COLORREF colour);

    // Pens and brushes. The pen outlines ellipses and rectangles and draws
    // lines; the brush fills ellipses and rectangles.
    void SelectPen(int width, COLORREF colour);
    void SelectNullPen();
    void SelectBrush(COLORREF colour);
    void SelectNullBrush();
    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    void Ellipse(const CRect& rect);
    void Rectangle(const CRect& rect);

    // Text.
    void SelectFont(const char* face, int tenthsOfPoint, int weight = 400);
    // The pixel height of a font of that size (96 dots per inch), at least 1.
    static int FontPixelHeight(int tenthsOfPoint);
    void SetTextColor(COLORREF colour);
    void SetBkColor(COLORREF colour);
    void SetBkMode(BkMode mode);
    void TextOut(int x, int y, const char* text);
    CSize GetTextExtent(const char* text) const;

    COLORREF GetPixel(int x, int y) const;

    // For the window layer: the picture drawn on.
    const QImage& Image() const;

  private:
    struct Impl;
    std::unique_ptr<Impl> m;
};
