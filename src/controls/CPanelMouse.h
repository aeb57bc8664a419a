// CPanelMouse: where the mouse is, for the controls.
//
// The view values are program-wide and written by the main dialog: the scroll
// offset of the cockpit picture in the window, the mouse point relative to the
// window's drawing origin, and the size of the cockpit picture. The mouse
// point on the cockpit picture is the window point plus the scroll offset.
//
// The main dialog publishes the scroll offset whenever it scrolls and the mouse
// point before it dispatches a mouse message (a press included), so that the
// control under a click sees the point of that click.
//
// Each control also keeps one object holding its own top-left corner on the
// picture, which turns the picture point into the control's own coordinates.
#pragma once

#include "platform/WinTypes.h"

class CPanelMouse {
  public:
    // Program-wide view values (main dialog).
    static void SetScroll(int x, int y) { s_scroll = CPoint(x, y); }
    static void SetMousePoint(int x, int y) { s_mouse = CPoint(x, y); }
    static void SetPictureSize(int width, int height) { s_pictureSize = CSize(width, height); }
    static CPoint GetScroll() { return s_scroll; }
    static CPoint GetMousePoint() { return s_mouse; }
    static CSize GetPictureSize() { return s_pictureSize; }
    static CPoint GetPictureMousePoint() {
        return CPoint(s_mouse.x + s_scroll.x, s_mouse.y + s_scroll.y);
    }

    // The control's own corner.
    void SetPosition(int x, int y) { m_position = CPoint(x, y); }
    CPoint GetPosition() const { return m_position; }
    // The picture mouse point in the control's coordinates.
    CPoint GetLocalPoint() const {
        CPoint p = GetPictureMousePoint();
        return CPoint(p.x - m_position.x, p.y - m_position.y);
    }

  private:
    CPoint m_position;

    static inline CPoint s_scroll;
    static inline CPoint s_mouse;
    static inline CSize s_pictureSize;
};
