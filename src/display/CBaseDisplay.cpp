#include "display/CBaseDisplay.h"

#include "platform/CDC.h"
#include "util/KxText.h"

namespace {

// Pen groups, in the order of the pen table.
enum PenGroup {
    kWhitePens,
    kCyanPens,
    kLightBluePens,
    kAmberPens,
    kYellowPens,
    kRedPens,
    kMagentaPens,
    kGreenPens,
    kBlackPens,
    kGreyPens
};

constexpr COLORREF kPenColours[CBaseDisplay::kPenGroups] = {
    CBaseDisplay::kWhite,  CBaseDisplay::kCyan, CBaseDisplay::kLightBlue, CBaseDisplay::kAmber,
    CBaseDisplay::kYellow, CBaseDisplay::kRed,  CBaseDisplay::kMagenta,   CBaseDisplay::kGreen,
    CBaseDisplay::kBlack,  CBaseDisplay::kGrey,
};
constexpr int kPenWidths[3] = {1, 3, 5};

constexpr COLORREF kBrushColours[CBaseDisplay::kBrushCount] = {
    CBaseDisplay::kBlack, CBaseDisplay::kLightGrey, CBaseDisplay::kBrown,   CBaseDisplay::kRed,
    CBaseDisplay::kGreen, CBaseDisplay::kWhite,     CBaseDisplay::kMagenta, CBaseDisplay::kYellow,
    CBaseDisplay::kAmber, CBaseDisplay::kGrey,
};
constexpr int kRedBrush = 3;
constexpr int kBlackBrush = 0;

// The fixed sizes below a font scale of 0.5: the products for 0.4215.
constexpr double kSmallScaleP = 89.7795;
constexpr double kSmallScaleQ = 59.01;
constexpr double kSmallScaleR = 81.34949999999999;

// A size in tenths of a point brought to a whole point.
int WholePoint(double tenths) {
    return static_cast<int>(tenths / 10.0 + 0.5) * 10;
}

int PenGroupOf(COLORREF colour) {
    switch (colour) {
        case CBaseDisplay::kBlack:
            return kBlackPens;
        case CBaseDisplay::kGreen:
            return kGreenPens;
        case CBaseDisplay::kAmber:
            return kAmberPens;
        case CBaseDisplay::kYellow:
            return kYellowPens;
        case CBaseDisplay::kGrey:
        case CBaseDisplay::kLightGrey:
            return kGreyPens;
        case CBaseDisplay::kMagenta:
            return kMagentaPens;
        case CBaseDisplay::kLightBlue:
            return kLightBluePens;
        case CBaseDisplay::kBlue:
        case CBaseDisplay::kCyan:
            return kCyanPens;
        case CBaseDisplay::kWhite:
            return kWhitePens;
        default:
            return kRedPens;
    }
}

// The up/down arrow numbers: 15, 5 and 12 scaled by 0.42, within 1 .. 100.
int SymbolStep(int n) {
    return kx::Limit(static_cast<int>(n * 0.42), 1, 100);
}

}  // namespace

CBaseDisplay::CBaseDisplay() {
    CreatePensAndBrushes();
    m_selectedBrush = &m_brushes[kBlackBrush];
}

void CBaseDisplay::CreatePensAndBrushes() {
    if (m_created)
        return;
    for (int g = 0; g < kPenGroups; ++g) {
        for (int w = 0; w < 3; ++w)
            m_pens[g][w] = Pen{kPenWidths[w], kPenColours[g]};
    }
    for (int b = 0; b < kBrushCount; ++b)
        m_brushes[b] = Brush{kBrushColours[b]};
    m_created = true;
}

void CBaseDisplay::SetDrawingSurface(CDC* dc) {
    m_dc = dc;
    if (!m_fontsMade && m_dc != nullptr)
        SetFontScale(1.0);
}

void CBaseDisplay::SetFontScale(double scale) {
    m_fontScale = kx::Limit(scale, 0.0, 1.0);
    const double s = m_fontScale;
    double p = 213.0 * s;
    double q = 140.0 * s;
    double r = 193.0 * s;
    if (s < 0.5) {
        p = kSmallScaleP;
        q = kSmallScaleQ;
        r = kSmallScaleR;
    }
    SetFonts(WholePoint(p), WholePoint(160.0 * s), WholePoint(200.0 * s), WholePoint(266.0 * s),
             WholePoint(r), WholePoint(q), static_cast<int>(p / 9.5 + 0.5) * 10);
}

void CBaseDisplay::SetFonts(int a, int b, int c, int d, int e, int f, int g) {
    MakeFont(1, "Arial", a);
    MakeFont(2, "Arial", b);
    MakeFont(7, m_arialFixed ? "Arial" : "Courier New", c);
    MakeFont(5, "Arial", d);
    MakeFont(4, "Arial", e);
    MakeFont(3, "Arial", f);
    MakeFont(0, "Arial", g);
    m_fontsMade = true;
}

// The widths are measured on the bound surface; without one they stay 0 and
// are measured when a surface is bound and the fonts are made again.
void CBaseDisplay::MakeFont(int slot, const char* face, int tenthsOfPoint) {
    Font& font = m_fonts[slot];
    font.face = face;
    font.tenthsOfPoint = tenthsOfPoint;
    font.height = CDC::FontPixelHeight(tenthsOfPoint);
    font.made = true;
    for (int& w : font.widths)
        w = 0;
    if (m_dc == nullptr)
        return;
    m_dc->SelectFont(face, tenthsOfPoint);
    char text[2] = {0, 0};
    for (int c = 32; c <= 126; ++c) {
        text[0] = static_cast<char>(c);
        font.widths[c] = m_dc->GetTextExtent(text).cx;
    }
    m_selectedFont = nullptr;
}

int CBaseDisplay::CharWidth(int slot, char c) const {
    const auto code = static_cast<unsigned char>(c);
    if (slot < 0 || slot >= kFontSlots || code < 32 || code > 126)
        return 0;
    return m_fonts[slot].widths[code];
}

int CBaseDisplay::SlotOfSizeCode(int sizeCode) {
    switch (sizeCode) {
        case 240:
            return 0;
        case 160:
            return 2;
        case 140:
            return 3;
        case 193:
            return 4;
        case 266:
            return 5;
        case 200:
            return 7;
        default:
            return 1;
    }
}

const CBaseDisplay::Pen* CBaseDisplay::SelectPen(int lineClass, COLORREF colour) {
    const Pen* pen = nullptr;
    if (lineClass == -1) {
        if (colour == kBlack)
            pen = &m_blackWide;
        else if (colour == kRed)
            pen = &m_redWide;
        else
            return m_selectedPen;  // changes nothing
    } else {
        int width = (lineClass >= 0 && lineClass <= 2)   ? 0
                    : (lineClass >= 3 && lineClass <= 5) ? 1
                                                         : 2;
        pen = &m_pens[PenGroupOf(colour)][width];
    }
    m_selectedPen = pen;
    if (m_dc != nullptr)
        m_dc->SelectPen(pen->width, pen->colour);
    return pen;
}

const CBaseDisplay::Brush* CBaseDisplay::SelectBrush(COLORREF colour) {
    int index = kRedBrush;
    for (int b = 0; b < kBrushCount; ++b) {
        if (kBrushColours[b] == colour) {
            index = b;
            break;
        }
    }
    m_selectedBrush = &m_brushes[index];
    if (m_dc != nullptr)
        m_dc->SelectBrush(m_selectedBrush->colour);
    return m_selectedBrush;
}

const CBaseDisplay::Font* CBaseDisplay::SelectFont(int sizeCode) {
    const Font& font = m_fonts[SlotOfSizeCode(sizeCode)];
    if (!font.made)
        return m_selectedFont;  // a font that was not made is simply missing
    m_selectedFont = &font;
    if (m_dc != nullptr)
        m_dc->SelectFont(font.face, font.tenthsOfPoint);
    return m_selectedFont;
}

void CBaseDisplay::Line(int x0, int y0, int x1, int y1) {
    m_dc->MoveTo(x0, y0);
    m_dc->LineTo(x1, y1);
}

void CBaseDisplay::DrawLine(const CRect& fromTo, int lineClass, COLORREF colour) {
    SelectPen(lineClass, colour);
    if (m_dc != nullptr)
        Line(fromTo.left, fromTo.top, fromTo.right, fromTo.bottom);
}

void CBaseDisplay::FillRect(const CRect& rect, COLORREF colour) {
    const Brush* brush = SelectBrush(colour);
    if (m_dc != nullptr)
        m_dc->FillSolidRect(rect, brush->colour);
    SelectBrush(kBlack);
}

void CBaseDisplay::DrawText(int x, int y, const char* text, COLORREF colour, bool large) {
    if (m_dc == nullptr)
        return;
    SelectFont(large ? kLargeFontCode : kSmallFontCode);
    m_dc->SetTextColor(colour);
    m_dc->SetBkColor(kBlack);
    m_dc->SetBkMode(CDC::OPAQUE);
    m_dc->TextOut(x, y, text);
}

CSize CBaseDisplay::GetTextExtent(int sizeCode, const char* text) {
    if (m_dc == nullptr)
        return CSize();
    SelectFont(sizeCode);
    return m_dc->GetTextExtent(text);
}

void CBaseDisplay::SetSymbolScale(double scale) {
    m_arrow = scale >= 0.5 ? ArrowMetrics{16, 6, 16, 2} : ArrowMetrics{6, 3, 6, 1};
}

void CBaseDisplay::DrawSlashedZero(int x, int y, COLORREF colour, bool large) {
    if (m_dc == nullptr)
        return;
    const int code = large ? kLargeFontCode : kSmallFontCode;
    DrawText(x, y, "0", colour, large);
    const int h = GetTextExtent(code, "0").cy;
    const int w = CharWidth(SlotOfSizeCode(code), '0');
    SelectPen(2, colour);
    Line(x + 1, y + h - 3, x + w - 1, y + 3);
}

void CBaseDisplay::DrawCentredI(int x, int y, COLORREF colour, bool large) {
    const int code = large ? kLargeFontCode : kSmallFontCode;
    DrawText(x + CharWidth(SlotOfSizeCode(code), 'X') / 2, y, "I", colour, large);
}

void CBaseDisplay::ArrowHead(int px, int py, int ax, int ay, int bx, int by) {
    Line(px, py, ax, ay);
    Line(px, py, bx, by);
}

void CBaseDisplay::DrawUpDownArrows(int x, int y, COLORREF colour) {
    if (m_dc == nullptr)
        return;
    m_dc->SetBkColor(kBlack);
    SelectPen(1, colour);
    const int six = SymbolStep(15);
    const int two = SymbolStep(5);
    const int five = SymbolStep(12);
    Line(x + two, y + six, x + two, y);
    ArrowHead(x + two, y, x + 2 * two, y + two, x, y + two);
    Line(x + five, y + six, x + five, y);
    ArrowHead(x + five, y + six, x + five + two, y + six - two, x + five - two, y + six - two);
}

void CBaseDisplay::DrawUpArrow(int x, int y, COLORREF colour) {
    if (m_dc == nullptr)
        return;
    m_dc->SetBkColor(kBlack);
    SelectPen(1, colour);
    Line(x + 6, y + 12, x + 6, y);
    ArrowHead(x + 6, y, x + 9, y + 3, x + 3, y + 3);
}

void CBaseDisplay::DrawDownArrow(int x, int y, COLORREF colour) {
    if (m_dc == nullptr)
        return;
    m_dc->SetBkColor(kBlack);
    SelectPen(1, colour);
    Line(x + 6, y + 12, x + 6, y);
    ArrowHead(x + 6, y + 12, x + 9, y + 9, x + 3, y + 9);
}

void CBaseDisplay::DrawLeftArrow(int x, int y, COLORREF colour) {
    if (m_dc == nullptr)
        return;
    m_dc->SetBkColor(kBlack);
    SelectPen(1, colour);
    const auto [v, k, l, u] = m_arrow;
    Line(x + u, y + v, x + u + l, y + v);
    ArrowHead(x + u, y + v, x + u + k, y + v - k, x + u + k, y + v + k);
}

void CBaseDisplay::DrawRightArrow(int x, int y, COLORREF colour) {
    if (m_dc == nullptr)
        return;
    m_dc->SetBkColor(kBlack);
    SelectPen(1, colour);
    const auto [v, k, l, u] = m_arrow;
    Line(x + u, y + v, x + u + l, y + v);
    ArrowHead(x + u + l, y + v, x + u + l - k, y + v - k, x + u + l - k, y + v + k);
}

// The ellipses are filled with the brush selected last.
void CBaseDisplay::DrawSmallCircle(int x, int y, COLORREF colour) {
    if (m_dc == nullptr)
        return;
    SelectPen(1, colour);
    m_dc->SelectBrush(m_selectedBrush->colour);
    m_dc->Ellipse(CRect(x, y + 2, x + 4, y + 6));
}

void CBaseDisplay::DrawDoubleCircle(int x, int y, COLORREF colour) {
    if (m_dc == nullptr)
        return;
    DrawSmallCircle(x, y, colour);
    m_dc->Ellipse(CRect(x + 2, y + 6, x + 8, y + 12));
    m_dc->FillSolidRect(CRect(x + 7, y + 8, x + 9, y + 10), kBlack);
}

void CBaseDisplay::DrawTriangle(int x, int y, COLORREF colour) {
    if (m_dc == nullptr)
        return;
    const int h = GetTextExtent(kLargeFontCode, "J").cy;
    const int w = CharWidth(SlotOfSizeCode(kLargeFontCode), 'J');
    SelectPen(1, colour);
    Line(x + 3 - w, y + h, x + 3, y + 2);
    Line(x + 3, y + 2, x + 3 + w, y + h);
    Line(x + 3 + w, y + h, x + 3 - w, y + h);
}

// The right-hand form keeps its stem at right - 2 and its arms end there, so
// that it closes like the left-hand one.
void CBaseDisplay::DrawBracket(const CRect& rect, COLORREF colour, bool rightHand) {
    if (m_dc == nullptr)
        return;
    SelectPen(1, colour);
    const int w = (rect.right - rect.left) * 7 / 10;
    if (!rightHand) {
        const int stem = rect.left + 1;
        Line(stem, rect.top, stem + w, rect.top);
        Line(stem, rect.top, stem, rect.bottom);
        Line(stem, rect.bottom, stem + w, rect.bottom);
    } else {
        const int stem = rect.right - 2;
        Line(stem - w, rect.top, stem, rect.top);
        Line(stem, rect.top, stem, rect.bottom);
        Line(stem - w, rect.bottom, stem, rect.bottom);
    }
}

void CBaseDisplay::DrawFrame(const CRect& rect, COLORREF colour) {
    if (m_dc == nullptr)
        return;
    m_dc->SetBkColor(kBlack);
    SelectPen(1, colour);
    m_dc->SelectNullBrush();
    m_dc->Rectangle(rect);
    m_dc->SelectBrush(m_selectedBrush->colour);
}
