#include "art/ArtPainter.h"

#include "art/ArtLabels.h"

#include <QFont>
#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "panels/PanelLayout.h"

namespace art {

namespace {

constexpr double kPi = 3.14159265358979323846;

QColor Col(Rgb c) {
    return QColor(c.r, c.g, c.b);
}
QColor Mix(QColor a, QColor b, double t) {  // a * (1 - t) + b * t
    return QColor(int(a.red() * (1 - t) + b.red() * t + 0.5),
                  int(a.green() * (1 - t) + b.green() * t + 0.5),
                  int(a.blue() * (1 - t) + b.blue() * t + 0.5));
}
QColor Grey(int v) {
    return QColor(v, v, v);
}

const QColor kPlate = Col(kPanelGrey);
const QColor kFace(20, 20, 22);
const QColor kGlass(12, 12, 13);
const QColor kEngraving(232, 234, 236);

bool IsToken(const char* text, const char* token) {
    return std::strcmp(text, token) == 0;
}

QFont Font(int pixelSize, bool bold = true) {
    QFont font(kFontFamily);
    font.setPixelSize(pixelSize < 4 ? 4 : pixelSize);
    font.setBold(bold);
    font.setStyleStrategy(QFont::PreferAntialias);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

// The largest font, from start down, in which every line of the text fits the
// box.
QFont FitFont(const QString& text, int boxWidth, int boxHeight, int start, bool bold = true) {
    const QStringList lines = text.split('\n');
    for (int size = start; size > 5; --size) {
        QFont font = Font(size, bold);
        QFontMetrics metrics(font);
        int widest = 0;
        for (const QString& line : lines)
            widest = std::max(widest, metrics.horizontalAdvance(line));
        const int tall = metrics.ascent() * int(lines.size()) + (int(lines.size()) - 1);
        if (widest <= boxWidth && tall <= boxHeight)
            return font;
    }
    return Font(5, bold);
}

// Text centred in a box, line by line; lit text gets a soft glow around it.
void CentredText(QPainter& p, const QRectF& box, const QString& text, const QFont& font,
                 QColor colour, bool glow = false) {
    const QStringList lines = text.split('\n');
    QFontMetricsF metrics(font);
    const double lineHeight = metrics.ascent() + 1;
    const double total = lineHeight * lines.size() - 1;
    double y = box.top() + (box.height() - total) / 2 + metrics.ascent();
    p.setFont(font);
    for (const QString& line : lines) {
        const double x = box.left() + (box.width() - metrics.horizontalAdvance(line)) / 2;
        if (glow && font.pixelSize() >= 9) {
            QColor halo = colour;
            halo.setAlpha(60);
            p.setPen(halo);
            for (int dx = -1; dx <= 1; ++dx)
                for (int dy = -1; dy <= 1; ++dy)
                    if (dx != 0 || dy != 0)
                        p.drawText(QPointF(x + dx, y + dy), line);
        }
        p.setPen(colour);
        p.drawText(QPointF(x, y), line);
        y += lineHeight;
    }
}

QPolygonF Arrow(const QRectF& box, const char* token) {
    // An arrow pointing right inside a unit box, turned as asked.
    const QPointF c = box.center();
    const double s = std::min(box.width(), box.height()) * 0.42;
    QPolygonF shape;
    shape << QPointF(s, 0) << QPointF(0.1 * s, -0.75 * s) << QPointF(0.1 * s, -0.3 * s)
          << QPointF(-s, -0.3 * s) << QPointF(-s, 0.3 * s) << QPointF(0.1 * s, 0.3 * s)
          << QPointF(0.1 * s, 0.75 * s);
    double angle = 0;
    if (IsToken(token, kArrowLeft))
        angle = 180;
    else if (IsToken(token, kArrowUp))
        angle = -90;
    else if (IsToken(token, kArrowDown))
        angle = 90;
    QTransform turn;
    turn.translate(c.x(), c.y());
    turn.rotate(angle);
    return turn.map(shape);
}

// The colour of a legend: its own when lit, a faint trace of it when dark.
QColor LegendColour(const Legend& legend, bool lit, QColor face) {
    return lit ? Col(legend.colour) : Mix(face, Col(legend.colour), 0.22);
}

// A legend: a word (or two lines), two bars, a triangle or an arrow.
void DrawLegend(QPainter& p, const QRectF& box, const char* text, QColor colour, bool glow,
                int fontStart) {
    if (text == nullptr || text[0] == '\0')
        return;
    p.setRenderHint(QPainter::Antialiasing, true);
    if (IsToken(text, kBars)) {
        const double barWidth = box.width() * 0.26;
        const double gap = box.width() * 0.12;
        const double barHeight = std::max(2.0, box.height() * 0.22);
        const double y = box.center().y() - barHeight / 2;
        const double x0 = box.center().x() - gap / 2 - barWidth;
        if (glow) {
            QColor halo = colour;
            halo.setAlpha(80);
            p.fillRect(QRectF(x0 - 1, y - 1, barWidth + 2, barHeight + 2), halo);
            p.fillRect(QRectF(x0 + barWidth + gap - 1, y - 1, barWidth + 2, barHeight + 2), halo);
        }
        p.fillRect(QRectF(x0, y, barWidth, barHeight), colour);
        p.fillRect(QRectF(x0 + barWidth + gap, y, barWidth, barHeight), colour);
        return;
    }
    if (IsToken(text, kTriangle)) {
        const QPointF c = box.center();
        const double s = std::min(box.width(), box.height()) * 0.42;
        QPolygonF triangle;
        triangle << QPointF(c.x() - s, c.y() - s * 0.6) << QPointF(c.x() + s, c.y() - s * 0.6)
                 << QPointF(c.x(), c.y() + s * 0.75);
        p.setPen(Qt::NoPen);
        p.setBrush(colour);
        p.drawPolygon(triangle);
        return;
    }
    if (text[0] == '#') {
        p.setPen(Qt::NoPen);
        p.setBrush(colour);
        p.drawPolygon(Arrow(box, text));
        return;
    }
    const QString words = QString::fromLatin1(text);
    const QFont font = FitFont(words, int(box.width()) - 2, int(box.height()), fontStart);
    CentredText(p, box, words, font, colour, glow);
}

// The light of the cockpit's ceiling caught on the upper left of a round knob
// or key of radius r around c.
void Highlight(QPainter& p, QPointF c, double r) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    QRadialGradient glint(c - QPointF(r * 0.32, r * 0.38), r * 0.55);
    glint.setColorAt(0, QColor(255, 255, 255, 70));
    glint.setColorAt(1, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glint);
    p.drawEllipse(c, r * 0.95, r * 0.95);
    p.restore();
}

void Bevel(QPainter& p, const QRectF& r, QColor light, QColor dark, double width = 1) {
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(QRectF(r.left(), r.top(), r.width(), width), light);
    p.fillRect(QRectF(r.left(), r.top(), width, r.height()), light);
    p.fillRect(QRectF(r.left(), r.bottom() - width, r.width(), width), dark);
    p.fillRect(QRectF(r.right() - width, r.top(), width, r.height()), dark);
}

// ---------------------------------------------------------------- push-buttons

// Out: a raised key with a bright rim and a visible side; in: sunk into the
// panel behind a dark gap, the face smaller and darker.
QRectF ButtonBody(QPainter& p, int w, int h, bool pressed) {
    const QRectF all(0, 0, w, h);
    p.fillRect(all, QColor(44, 47, 52));
    if (!pressed) {
        Bevel(p, all, QColor(170, 175, 182), QColor(14, 14, 16));
        const QRectF side(2, 2, w - 4, h - 4);
        p.fillRect(side, QColor(96, 100, 108));
        const QRectF face(2, 2, w - 5, h - 6);
        p.fillRect(face, kFace);
        Bevel(p, face, QColor(84, 86, 92), QColor(30, 30, 32));
        return face.adjusted(1, 1, -1, -1);
    }
    Bevel(p, all, QColor(12, 12, 14), QColor(130, 134, 140));
    const QRectF gap(1, 1, w - 2, h - 2);
    p.fillRect(gap, QColor(6, 6, 7));
    const QRectF face(4, 4, w - 7, h - 7);
    p.fillRect(face, QColor(14, 14, 15));
    p.fillRect(QRectF(face.left(), face.top(), face.width(), 1), QColor(4, 4, 4));
    return face.adjusted(1, 2, -1, -1);
}

QRectF KeyBody(QPainter& p, int w, int h, bool pressed) {
    p.fillRect(QRectF(0, 0, w, h), QColor(30, 32, 35));
    p.setRenderHint(QPainter::Antialiasing, true);
    const QRectF key = pressed ? QRectF(2, 2, w - 3, h - 3) : QRectF(1, 1, w - 3, h - 3);
    QLinearGradient shade(key.topLeft(), key.bottomLeft());
    if (pressed) {
        shade.setColorAt(0, QColor(34, 36, 40));
        shade.setColorAt(1, QColor(48, 50, 54));
    } else {
        shade.setColorAt(0, QColor(86, 89, 95));
        shade.setColorAt(1, QColor(58, 60, 65));
    }
    p.setPen(pressed ? QColor(10, 10, 12) : QColor(120, 124, 130));
    p.setBrush(shade);
    p.drawRoundedRect(key.adjusted(0.5, 0.5, -0.5, -0.5), 2.5, 2.5);
    if (!pressed) {  // the key's lower edge, seen because the key stands out
        p.setPen(QColor(16, 16, 18));
        p.drawLine(QPointF(key.left() + 2, key.bottom() + 0.5),
                   QPointF(key.right() - 1, key.bottom() + 0.5));
        p.drawLine(QPointF(key.right() + 0.5, key.top() + 2),
                   QPointF(key.right() + 0.5, key.bottom()));
    }
    return key.adjusted(1, 1, -1, -1);
}

void PaintButton(QPainter& p, const ArtEntry& e, int variant) {
    bool pressed;
    bool upperLit;
    bool lowerLit;
    if (variant < kOnOffVariant) {
        pressed = variant < 4;
        const int code = variant % 4;  // 0 upper, 1 lower, 2 both, 3 none
        upperLit = code == 0 || code == 2;
        lowerLit = code == 1 || code == 2;
    } else {
        const int slot = variant - kOnOffVariant;  // OnIn, OffIn, OnOut, OffOut
        pressed = slot < 2;
        upperLit = slot == 0 || slot == 2;
        lowerLit = false;
    }
    const int w = e.width;
    const int h = e.height;
    switch (e.look) {
        case Look::Legends: {
            const QRectF face = ButtonBody(p, w, h, pressed);
            const double half = face.height() / 2;
            const QRectF top(face.left(), face.top(), face.width(), half);
            const QRectF bottom(face.left(), face.top() + half, face.width(), half);
            const int start = std::max(7, int(half * 0.72));
            DrawLegend(p, top.adjusted(0, 1, 0, 0), e.upper.text,
                       LegendColour(e.upper, upperLit, kFace), upperLit, start);
            DrawLegend(p, bottom.adjusted(0, 0, 0, -1), e.lower.text,
                       LegendColour(e.lower, lowerLit, kFace), lowerLit, start);
            break;
        }
        case Look::Key: {
            // The label glows when lit and is plain grey otherwise; a key
            // without a label has a line that lights.
            const QRectF face = KeyBody(p, w, h, pressed);
            const QColor colour = upperLit ? Col(e.upper.colour) : QColor(150, 153, 158);
            if (e.upper.text[0] == '\0')
                p.fillRect(QRectF(face.left() + 4, face.center().y() - 1, face.width() - 8, 2),
                           upperLit ? colour : QColor(24, 25, 27));
            else
                DrawLegend(p, face, e.upper.text, colour, false,
                           std::max(7, int(face.height() * 0.62)));
            break;
        }
        case Look::BarKey: {
            const QRectF face = KeyBody(p, w, h, pressed);
            const double barHeight = std::max(2.0, face.height() * 0.14);
            const QRectF bar(face.left() + face.width() * 0.2, face.top() + 1.5, face.width() * 0.6,
                             barHeight);
            if (upperLit) {
                QColor halo = Col(e.upper.colour);
                halo.setAlpha(90);
                p.fillRect(bar.adjusted(-1, -1, 1, 1), halo);
                p.fillRect(bar, Col(e.upper.colour));
            } else {
                p.fillRect(bar, QColor(30, 38, 32));
            }
            const QRectF labelBox(face.left(), bar.bottom() + 1, face.width(),
                                  face.bottom() - bar.bottom() - 1);
            DrawLegend(p, labelBox, e.upper.text, QColor(226, 228, 230), false,
                       std::max(7, int(labelBox.height() * 0.85)));
            break;
        }
        case Look::RoundKey: {
            p.fillRect(QRectF(0, 0, w, h), kPlate);
            p.setRenderHint(QPainter::Antialiasing, true);
            const QPointF c(w / 2.0, h / 2.0);
            const double r = std::min(w, h) / 2.0 - 1;
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(40, 42, 46));
            p.drawEllipse(c, r, r);  // the collar
            const double rk = pressed ? r * 0.74 : r * 0.84;
            QRadialGradient shade(c - QPointF(rk * 0.3, rk * 0.35), rk * 1.3);
            shade.setColorAt(0, pressed ? QColor(48, 50, 54) : QColor(96, 100, 106));
            shade.setColorAt(1, pressed ? QColor(20, 20, 22) : QColor(34, 35, 38));
            p.setBrush(shade);
            p.setPen(pressed ? QColor(8, 8, 8) : QColor(130, 134, 140));
            p.drawEllipse(c, rk, rk);
            if (!pressed)
                Highlight(p, c, rk);
            const QColor light = upperLit ? Col(e.upper.colour) : QColor(110, 112, 116);
            if (e.upper.text[0] != '\0') {
                const QFont font =
                    FitFont(e.upper.text, int(rk * 1.5), int(rk), std::max(6, int(rk * 0.6)));
                CentredText(p, QRectF(c.x() - rk, c.y() - rk, 2 * rk, 2 * rk), e.upper.text, font,
                            light, upperLit);
            } else {
                p.setPen(Qt::NoPen);
                p.setBrush(light);
                p.drawEllipse(c, rk * 0.22, rk * 0.22);
            }
            break;
        }
        default:
            break;
    }
}

// ---------------------------------------------------------------- lights

void ThrustLever(QPainter& p, int w, int h, int detent, bool left) {
    p.fillRect(QRectF(0, 0, w, h), kPlate);
    p.setRenderHint(QPainter::Antialiasing, true);
    const double slotX = left ? w * 0.70 : w * 0.30;
    const double gripHalf = 21;
    const double labelLeft = left ? 2 : slotX + gripHalf + 2;
    const double labelRight = left ? slotX - gripHalf - 2 : w - 2;
    // Handle places per detent code, inside the click bands of the lever.
    struct Place {
        int code;
        double y;
        const char* label;
    };
    const Place places[] = {
        {5, 60, "TOGA"}, {4, 160, "FLX\nMCT"}, {3, 280, "CL"}, {2, 385, "IDLE"}, {0, 422, "REV"}};
    p.fillRect(QRectF(slotX - 5, 14, 10, h - 24), QColor(18, 18, 20));
    Bevel(p, QRectF(slotX - 5, 14, 10, h - 24), QColor(30, 30, 32), QColor(130, 136, 144));
    p.setRenderHint(QPainter::Antialiasing, true);
    for (const Place& place : places) {
        p.setPen(QPen(kEngraving, 2));
        const double x0 = left ? labelRight + 1 : slotX + 6;
        const double x1 = left ? slotX - 6 : labelLeft - 1;
        p.drawLine(QPointF(x0, place.y), QPointF(x1, place.y));
        const QFont fitted = FitFont(place.label, int(labelRight - labelLeft), 30, 10);
        CentredText(p, QRectF(labelLeft, place.y - 16, labelRight - labelLeft, 32), place.label,
                    fitted, kEngraving);
    }
    double y = 385;
    for (const Place& place : places)
        if (place.code == detent)
            y = place.y;
    // The handle: a wide grip across the slot, the disconnect button on its
    // outer end.
    const QRectF handle(slotX - gripHalf, y - 12, 2 * gripHalf, 24);
    QLinearGradient shade(handle.topLeft(), handle.bottomLeft());
    shade.setColorAt(0, QColor(120, 124, 130));
    shade.setColorAt(0.45, QColor(62, 64, 70));
    shade.setColorAt(1, QColor(26, 27, 30));
    p.setPen(QColor(10, 10, 12));
    p.setBrush(shade);
    p.drawRoundedRect(handle, 6, 6);
    const QPointF button(left ? handle.left() + 7 : handle.right() - 7, y);
    p.setBrush(QColor(210, 36, 30));
    p.setPen(QColor(80, 10, 10));
    p.drawEllipse(button, 4.5, 4.5);
    if (detent == 0) {  // reverse: the latch lifted in front of the grip
        p.setBrush(QColor(235, 235, 225));
        p.setPen(QColor(40, 40, 40));
        p.drawRoundedRect(QRectF(slotX - 12, y - 22, 24, 7), 2, 2);
    }
}

void PaintLight(QPainter& p, const ArtEntry& e, bool on) {
    const int w = e.width;
    const int h = e.height;
    switch (e.look) {
        case Look::Annunciator: {
            p.fillRect(QRectF(0, 0, w, h), QColor(40, 42, 46));
            Bevel(p, QRectF(0, 0, w, h), QColor(110, 114, 120), QColor(16, 16, 18));
            const QRectF face(2, 2, w - 4, h - 4);
            p.fillRect(face, kFace);
            DrawLegend(p, face, e.upper.text, LegendColour(e.upper, on, kFace), on,
                       std::max(7, int(face.height() * 0.55)));
            break;
        }
        case Look::LcdLabel: {
            p.fillRect(QRectF(0, 0, w, h), kGlass);
            const Legend& word = on ? e.upper : e.lower;
            DrawLegend(p, QRectF(0, 0, w, h), word.text, Col(word.colour), false, h - 2);
            break;
        }
        case Look::Dot: {
            p.fillRect(QRectF(0, 0, w, h), kGlass);
            p.setRenderHint(QPainter::Antialiasing, true);
            p.setPen(Qt::NoPen);
            p.setBrush(on ? Col(e.upper.colour) : QColor(34, 30, 26));
            const double r = std::min(w, h) / 2.0 - (w > 6 ? 1.5 : 0.5);
            p.drawEllipse(QPointF(w / 2.0, h / 2.0), r, r);
            break;
        }
        case Look::Arrow: {
            p.fillRect(QRectF(0, 0, w, h), kFace);
            Bevel(p, QRectF(0, 0, w, h), QColor(110, 114, 120), QColor(16, 16, 18));
            p.setRenderHint(QPainter::Antialiasing, true);
            p.setPen(Qt::NoPen);
            p.setBrush(on ? Col(e.upper.colour) : QColor(64, 34, 32));
            p.drawPolygon(Arrow(QRectF(1, 1, w - 2, h - 2), kArrowDown));
            break;
        }
        case Look::Mask: {
            p.fillRect(QRectF(0, 0, w, h), kPlate);
            if (!on)
                break;
            Bevel(p, QRectF(0, 0, w, h), Mix(kPlate, Qt::white, 0.3), Mix(kPlate, Qt::black, 0.4));
            p.setRenderHint(QPainter::Antialiasing, true);
            p.setPen(QPen(Mix(kPlate, Qt::black, 0.35), 3));
            for (int x = -h; x < w; x += 10)
                p.drawLine(QPointF(x, h), QPointF(x + h, 0));
            const QFont font = FitFont(e.upper.text, w - 8, h - 8, 14);
            p.fillRect(QRectF(w * 0.2, h * 0.3, w * 0.6, h * 0.4), kPlate);
            CentredText(p, QRectF(0, 0, w, h), e.upper.text, font, kEngraving);
            break;
        }
        case Look::Overlay:
            p.fillRect(QRectF(0, 0, w, h), kGlass);
            break;
        case Look::TrimScale: {
            p.fillRect(QRectF(0, 0, w, h), QColor(16, 16, 17));
            const QColor tick = on ? Col(e.upper.colour) : Grey(110);
            p.setRenderHint(QPainter::Antialiasing, false);
            const int step = h / 10;
            for (int i = 1; i < 10; ++i) {
                const int y = i * step;
                const int length = (i % 5 == 0) ? w - 1 : std::max(2, (w - 1) / 2);
                p.fillRect(QRect(w - length, y, length, 1), tick);
            }
            p.fillRect(QRect(w - 1, 0, 1, h), tick);
            break;
        }
        case Look::TrimMark: {
            p.fillRect(QRectF(0, 0, w, h), QColor(16, 16, 17));
            p.setRenderHint(QPainter::Antialiasing, true);
            p.setPen(Qt::NoPen);
            p.setBrush(on ? Col(e.upper.colour) : Grey(120));
            QPolygonF pointer;
            pointer << QPointF(0, 0) << QPointF(w, h / 2.0) << QPointF(0, h);
            p.drawPolygon(pointer);
            break;
        }
        case Look::ThrustLeft:
        case Look::ThrustRight:
            ThrustLever(p, w, h, e.variant, e.look == Look::ThrustLeft);
            break;
        default:
            break;
    }
}

// ---------------------------------------------------------------- switches

void MetalBase(QPainter& p, QPointF c, double r) {
    p.setPen(QColor(30, 31, 34));
    p.setBrush(QColor(52, 54, 58));
    p.drawEllipse(c, r, r);
    QRadialGradient nut(c - QPointF(r * 0.3, r * 0.3), r);
    nut.setColorAt(0, QColor(214, 216, 220));
    nut.setColorAt(1, QColor(96, 98, 104));
    p.setBrush(nut);
    p.setPen(QColor(40, 40, 44));
    p.drawEllipse(c, r * 0.72, r * 0.72);
}

void Toggle(QPainter& p, const ArtEntry& e, int position) {
    const int w = e.width;
    const int h = e.height;
    p.fillRect(QRectF(0, 0, w, h), kPlate);
    p.setRenderHint(QPainter::Antialiasing, true);
    const QPointF c(w / 2.0, h / 2.0);
    MetalBase(p, c, w * 0.34);
    const double reach = h * 0.40;
    const double direction = position == 0 ? -1 : (position == 2 ? 1 : 0);
    const QPointF tip(c.x(), c.y() + direction * reach);
    QLinearGradient metal(QPointF(c.x() - w * 0.2, 0), QPointF(c.x() + w * 0.2, 0));
    metal.setColorAt(0, QColor(120, 122, 128));
    metal.setColorAt(0.4, QColor(236, 238, 240));
    metal.setColorAt(1, QColor(110, 112, 118));
    // Shadow of the lever on the plate.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 60));
    if (direction != 0)
        p.drawRoundedRect(QRectF(c.x() - w * 0.08 + 3, std::min(c.y(), tip.y()) + 3, w * 0.16,
                                 std::fabs(tip.y() - c.y())),
                          3, 3);
    switch (e.look) {
        case Look::ToggleBall: {
            p.setBrush(metal);
            p.setPen(QColor(50, 50, 54));
            if (direction != 0)
                p.drawRect(QRectF(c.x() - w * 0.05, std::min(c.y(), tip.y()), w * 0.1,
                                  std::fabs(tip.y() - c.y())));
            QRadialGradient ball(tip - QPointF(w * 0.06, w * 0.06), w * 0.2);
            ball.setColorAt(0, QColor(250, 250, 250));
            ball.setColorAt(1, QColor(120, 122, 128));
            p.setBrush(ball);
            p.drawEllipse(tip, w * 0.16, w * 0.16);
            break;
        }
        case Look::ToggleFlat: {
            p.setBrush(QColor(24, 24, 26));
            p.setPen(QColor(120, 124, 130));
            if (direction != 0) {
                const QRectF paddle(c.x() - w * 0.2, std::min(c.y(), tip.y()) - w * 0.04, w * 0.4,
                                    std::fabs(tip.y() - c.y()) + w * 0.08);
                p.drawRoundedRect(paddle, 3, 3);
                p.setPen(QPen(kEngraving, 1.5));
                p.drawLine(QPointF(c.x(), paddle.top() + 3), QPointF(c.x(), paddle.bottom() - 3));
            } else {
                p.drawRoundedRect(QRectF(c.x() - w * 0.2, c.y() - w * 0.09, w * 0.4, w * 0.18), 2,
                                  2);
            }
            break;
        }
        default: {  // bat handle
            p.setBrush(metal);
            p.setPen(QColor(50, 50, 54));
            if (direction != 0) {
                QPainterPath bat;
                const double near = w * 0.07;
                const double far = w * 0.14;
                bat.moveTo(c.x() - near, c.y());
                bat.lineTo(c.x() - far, tip.y());
                bat.lineTo(c.x() + far, tip.y());
                bat.lineTo(c.x() + near, c.y());
                bat.closeSubpath();
                p.drawPath(bat);
                p.drawEllipse(tip, far, far * 0.6);
            } else {
                p.drawEllipse(c, w * 0.15, w * 0.15);
                p.setBrush(QColor(70, 72, 78));
                p.drawEllipse(c, w * 0.07, w * 0.07);
            }
            break;
        }
    }
}

void EngineMaster(QPainter& p, const ArtEntry& e, int position) {
    const int w = e.width;
    const int h = e.height;
    p.fillRect(QRectF(0, 0, w, h), kPlate);
    p.setRenderHint(QPainter::Antialiasing, true);
    const QRectF slot(w / 2.0 - 4, 8, 8, h - 16);
    p.fillRect(slot, QColor(16, 16, 18));
    const QFont small = Font(7);
    CentredText(p, QRectF(0, 0, w, 8), "ON", small, kEngraving);
    CentredText(p, QRectF(0, h - 8, w, 8), "OFF", small, kEngraving);
    const double y = position == 0 ? 22 : h - 22;
    const QRectF knob(w / 2.0 - 15, y - 10, 30, 20);
    QLinearGradient shade(knob.topLeft(), knob.bottomLeft());
    shade.setColorAt(0, QColor(110, 112, 118));
    shade.setColorAt(0.5, QColor(40, 41, 45));
    shade.setColorAt(1, QColor(16, 16, 18));
    p.setBrush(shade);
    p.setPen(QColor(8, 8, 10));
    p.drawRoundedRect(knob, 5, 5);
    CentredText(p, knob, e.upper.text, Font(12), kEngraving);
}

void GearLever(QPainter& p, const ArtEntry& e, int position) {
    const int w = e.width;
    const int h = e.height;
    p.fillRect(QRectF(0, 0, w, h), kPlate);
    p.setRenderHint(QPainter::Antialiasing, true);
    const QRectF slot(w / 2.0 - 4, 10, 8, h - 20);
    p.fillRect(slot, QColor(14, 14, 16));
    const double y = position == 0 ? 24 : h - 24;
    // Shaft from the slot's pivot (its middle) to the wheel.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(170, 172, 176));
    p.drawRect(QRectF(w / 2.0 - 2.5, std::min(y, h / 2.0), 5, std::fabs(y - h / 2.0)));
    // The wheel-shaped knob.
    QRadialGradient wheel(QPointF(w / 2.0 - 3, y - 3), 14);
    wheel.setColorAt(0, QColor(246, 246, 244));
    wheel.setColorAt(1, QColor(150, 152, 156));
    p.setBrush(wheel);
    p.setPen(QPen(QColor(40, 40, 42), 2));
    p.drawEllipse(QPointF(w / 2.0, y), 12.5, 12.5);
    p.setPen(QPen(QColor(60, 60, 64), 1));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(w / 2.0, y), 7, 7);
    (void)e;
}

void ParkBrake(QPainter& p, const ArtEntry& e, int position) {
    const int w = e.width;
    const int h = e.height;
    p.fillRect(QRectF(0, 0, w, h), kPlate);
    p.setRenderHint(QPainter::Antialiasing, true);
    const QPointF c(w / 2.0, h / 2.0 + 6);
    p.setPen(QColor(30, 30, 32));
    p.setBrush(QColor(56, 58, 62));
    p.drawEllipse(c, w * 0.34, w * 0.34);
    const QFont small = Font(9);
    CentredText(p, QRectF(0, 0, w * 0.45, 14), "OFF", small, kEngraving);
    CentredText(p, QRectF(w * 0.55, 0, w * 0.45, 14), "ON", small, kEngraving);
    // The T-handle turned toward OFF (up left) or ON (up right).
    const double angle = position == 0 ? -45 : 45;
    p.save();
    p.translate(c);
    p.rotate(angle);
    QLinearGradient shade(QPointF(-8, 0), QPointF(8, 0));
    shade.setColorAt(0, QColor(30, 30, 32));
    shade.setColorAt(0.5, QColor(96, 98, 104));
    shade.setColorAt(1, QColor(24, 24, 26));
    p.setBrush(shade);
    p.setPen(QColor(8, 8, 8));
    p.drawRoundedRect(QRectF(-8, -w * 0.36, 16, w * 0.72), 6, 6);
    p.setPen(QPen(kEngraving, 2));
    p.drawLine(QPointF(0, -w * 0.33), QPointF(0, -w * 0.12));
    p.restore();
    (void)e;
}

void GravityCrank(QPainter& p, const ArtEntry& e, int position) {
    const int w = e.width;
    const int h = e.height;
    p.fillRect(QRectF(0, 0, w, h), kPlate);
    p.setRenderHint(QPainter::Antialiasing, true);
    const QRectF recess(6, 6, w - 12, h - 12);
    p.fillRect(recess, QColor(28, 29, 32));
    Bevel(p, recess, QColor(20, 20, 22), Mix(kPlate, Qt::white, 0.25));
    p.setRenderHint(QPainter::Antialiasing, true);
    const QPointF pivot(w / 2.0, h * 0.70);
    p.setBrush(QColor(120, 122, 126));
    p.setPen(QColor(20, 20, 20));
    p.drawEllipse(pivot, 6, 6);
    p.save();
    p.translate(pivot);
    p.rotate(position == 0 ? -90 : 0);  // stowed flat, or turned down ready to crank
    p.setBrush(QColor(200, 40, 34));
    p.drawRoundedRect(QRectF(-5, -4, 26, 8), 3, 3);
    p.setBrush(QColor(30, 30, 30));
    p.drawEllipse(QPointF(20, 0), 5, 5);
    p.restore();
    CentredText(p, QRectF(6, 8, w - 12, 18), "GRAVITY\nGEAR",
                FitFont("GRAVITY\nGEAR", w - 14, 18, 8), kEngraving);
    (void)e;
}

void TrimWheel(QPainter& p, const ArtEntry& e) {
    const int w = e.width;
    const int h = e.height;
    p.fillRect(QRectF(0, 0, w, h), kPlate);
    const QRectF wheel(w * 0.15, 2, w * 0.7, h - 4);
    QLinearGradient shade(wheel.topLeft(), wheel.topRight());
    shade.setColorAt(0, QColor(18, 18, 20));
    shade.setColorAt(0.35, QColor(84, 86, 92));
    shade.setColorAt(0.55, QColor(60, 62, 66));
    shade.setColorAt(1, QColor(14, 14, 16));
    p.fillRect(wheel, shade);
    // Grip ridges, and white bands so that turning shows.
    for (int y = int(wheel.top()) + 3; y < wheel.bottom() - 2; y += 6)
        p.fillRect(QRectF(wheel.left(), y, wheel.width(), 2), QColor(10, 10, 12, 170));
    for (double f : {0.25, 0.5, 0.75}) {
        const double y = wheel.top() + wheel.height() * f;
        p.fillRect(QRectF(wheel.left(), y - 3, wheel.width(), 6), QColor(226, 228, 230));
    }
    if (h > 150) {
        const QFont font = Font(10);
        p.setRenderHint(QPainter::Antialiasing, true);
        CentredText(p, QRectF(wheel.left(), 8, wheel.width(), 14), "DN", font, kEngraving);
        CentredText(p, QRectF(wheel.left(), h - 22, wheel.width(), 14), "UP", font, kEngraving);
    }
}

void PaintSwitch(QPainter& p, const ArtEntry& e, int position) {
    switch (e.look) {
        case Look::EngineMaster:
            EngineMaster(p, e, position);
            break;
        case Look::GearLever:
            GearLever(p, e, position);
            break;
        case Look::ParkBrake:
            ParkBrake(p, e, position);
            break;
        case Look::GravityCrank:
            GravityCrank(p, e, position);
            break;
        case Look::TrimWheel:
            TrimWheel(p, e);
            break;
        default:
            Toggle(p, e, position);
            break;
    }
}

// ---------------------------------------------------------------- knobs

void PaintKnob(QPainter& p, const ArtEntry& e, int position) {
    const int s = e.width;
    p.fillRect(QRectF(0, 0, s, s), kPlate);
    p.setRenderHint(QPainter::Antialiasing, true);
    const QPointF c(s / 2.0, s / 2.0);
    // Marks at the positions the panel uses, clockwise from straight up.
    p.setPen(QPen(kEngraving, std::max(1.5, s / 28.0), Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 8; ++i) {
        if ((e.positions & (1u << i)) == 0)
            continue;
        const double a = i * kPi / 4;
        const QPointF d(std::sin(a), -std::cos(a));
        p.drawLine(c + d * (s * 0.41), c + d * (s * 0.48));
    }
    const double a = position * 45.0;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 70));
    p.drawEllipse(c + QPointF(2, 2), s * 0.33, s * 0.33);
    if (e.look == Look::BarKnob) {
        // A round skirt with a pointer-shaped bar on it.
        p.setBrush(QColor(38, 40, 44));
        p.setPen(QColor(12, 12, 14));
        p.drawEllipse(c, s * 0.31, s * 0.31);
        Highlight(p, c, s * 0.31);
        p.save();
        p.translate(c);
        p.rotate(a);
        QLinearGradient shade(QPointF(-s * 0.11, 0), QPointF(s * 0.11, 0));
        shade.setColorAt(0, QColor(30, 31, 34));
        shade.setColorAt(0.45, QColor(104, 107, 114));
        shade.setColorAt(1, QColor(26, 27, 30));
        p.setBrush(shade);
        p.setPen(QColor(8, 8, 10));
        QPainterPath bar;
        bar.moveTo(0, -s * 0.38);
        bar.lineTo(s * 0.11, -s * 0.26);
        bar.lineTo(s * 0.11, s * 0.30);
        bar.quadTo(0, s * 0.36, -s * 0.11, s * 0.30);
        bar.lineTo(-s * 0.11, -s * 0.26);
        bar.closeSubpath();
        p.drawPath(bar);
        p.setPen(QPen(kEngraving, std::max(1.5, s / 30.0), Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(0, -s * 0.34), QPointF(0, -s * 0.06));
        p.restore();
    } else {
        QRadialGradient shade(c - QPointF(s * 0.1, s * 0.12), s * 0.4);
        shade.setColorAt(0, QColor(100, 103, 110));
        shade.setColorAt(1, QColor(26, 27, 30));
        p.setBrush(shade);
        p.setPen(QColor(8, 8, 10));
        p.drawEllipse(c, s * 0.33, s * 0.33);
        Highlight(p, c, s * 0.33);
        p.setPen(QPen(QColor(20, 20, 22), 1));
        for (int i = 0; i < 36; ++i) {  // knurled rim
            const double k = i * kPi / 18;
            const QPointF d(std::sin(k), -std::cos(k));
            p.drawLine(c + d * (s * 0.29), c + d * (s * 0.33));
        }
        p.save();
        p.translate(c);
        p.rotate(a);
        p.setPen(QPen(kEngraving, std::max(2.0, s / 24.0), Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(0, -s * 0.30), QPointF(0, -s * 0.08));
        p.restore();
    }
}

// Resting, pushed (sunk behind a dark ring) or pulled (standing out on a
// bright collar).
void PaintRotary(QPainter& p, const ArtEntry& e, int state) {
    const int s = e.width;
    p.fillRect(QRectF(0, 0, s, s), kPlate);
    p.setRenderHint(QPainter::Antialiasing, true);
    const QPointF c(s / 2.0, s / 2.0);
    double r = s * 0.42;
    if (state == kPulled) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 80));
        p.drawEllipse(c + QPointF(3, 3), s * 0.47, s * 0.47);
        QRadialGradient collar(c, s * 0.48);
        collar.setColorAt(0.8, QColor(210, 212, 216));
        collar.setColorAt(1, QColor(120, 122, 126));
        p.setBrush(collar);
        p.drawEllipse(c, s * 0.48, s * 0.48);
        r = s * 0.44;
    } else if (state == kPushed) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(8, 8, 9));
        p.drawEllipse(c, s * 0.46, s * 0.46);
        r = s * 0.38;
    } else {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 70));
        p.drawEllipse(c + QPointF(2, 2), r, r);
    }
    const int lift = state == kPulled ? 40 : (state == kPushed ? -18 : 0);
    auto knob = [&](double radius, int ridges) {
        QRadialGradient shade(c - QPointF(radius * 0.3, radius * 0.35), radius * 1.25);
        shade.setColorAt(0, QColor(96 + lift, 99 + lift, 106 + lift));
        shade.setColorAt(1, QColor(std::max(0, 24 + lift / 2), std::max(0, 25 + lift / 2),
                                   std::max(0, 28 + lift / 2)));
        p.setBrush(shade);
        p.setPen(QColor(6, 6, 8));
        p.drawEllipse(c, radius, radius);
        p.setPen(QPen(QColor(10, 10, 12), 1));
        for (int i = 0; i < ridges; ++i) {
            const double k = i * 2 * kPi / ridges;
            const QPointF d(std::sin(k), -std::cos(k));
            p.drawLine(c + d * (radius * 0.86), c + d * radius);
        }
    };
    knob(r, 40);
    if (state != kPushed)
        Highlight(p, c, r);
    switch (e.look) {
        case Look::DualKnob:
            knob(r * 0.58, 24);
            break;
        case Look::CageKnob:
            if (state == kPulled) {
                p.setPen(QPen(QColor(220, 40, 34), 2));
                p.setBrush(Qt::NoBrush);
                p.drawEllipse(c, r * 0.62, r * 0.62);
            }
            break;
        default: {  // a plain cap
            QRadialGradient cap(c - QPointF(r * 0.2, r * 0.25), r * 0.7);
            cap.setColorAt(0, QColor(70 + lift, 72 + lift, 78 + lift));
            cap.setColorAt(1, QColor(std::max(0, 30 + lift / 2), std::max(0, 31 + lift / 2),
                                     std::max(0, 34 + lift / 2)));
            p.setBrush(cap);
            p.setPen(QColor(14, 14, 16));
            p.drawEllipse(c, r * 0.62, r * 0.62);
            break;
        }
    }
    // The label tells the resting and pushed pictures of one knob apart; the
    // pulled picture may be shared by two knobs, so it has none.
    if (e.upper.text[0] != '\0' && state != kPulled) {
        const QFont font = FitFont(e.upper.text, int(r * 1.1), int(r * 0.6), 9);
        CentredText(p, QRectF(c.x() - r, c.y() - r * 0.3, 2 * r, r * 0.6), e.upper.text, font,
                    kEngraving);
    }
}

// ---------------------------------------------------------------- levers

void PaintLever(QPainter& p, const ArtEntry& e, int detent) {
    const int w = e.width;
    const int h = e.height;
    p.fillRect(QRectF(0, 0, w, h), kPlate);
    const double slotX = w * 0.62;
    const QRectF slot(slotX - 6, 6, 12, h - 12);
    p.fillRect(slot, QColor(16, 16, 18));
    Bevel(p, slot, QColor(28, 28, 30), QColor(140, 146, 154));
    p.setRenderHint(QPainter::Antialiasing, true);
    for (int i = 0; i < e.detentCount; ++i) {
        const double y = h * e.detents[i].centrePercent / 100.0;
        p.setPen(QPen(kEngraving, 2));
        p.drawLine(QPointF(slotX - 10, y), QPointF(slotX - 16, y));
        const QFont font = FitFont(e.detents[i].label, int(slotX - 22), 16, 12);
        CentredText(p, QRectF(2, y - 9, slotX - 22, 18), e.detents[i].label, font, kEngraving);
    }
    const double y = h * e.detents[detent].centrePercent / 100.0;
    const double gripWidth = w - slotX + 10;
    const QRectF grip(slotX - gripWidth / 2 - 4, y - 8, gripWidth, 16);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 80));
    p.drawRoundedRect(grip.translated(3, 3), 5, 5);
    QLinearGradient shade(grip.topLeft(), grip.bottomLeft());
    if (e.look == Look::FlapLever) {
        shade.setColorAt(0, QColor(236, 238, 240));
        shade.setColorAt(1, QColor(150, 154, 160));
    } else {
        shade.setColorAt(0, QColor(96, 98, 104));
        shade.setColorAt(1, QColor(18, 18, 20));
    }
    p.setBrush(shade);
    p.setPen(QColor(10, 10, 12));
    p.drawRoundedRect(grip, 5, 5);
}

// ---------------------------------------------------------------- guards

void PaintGuard(QPainter& p, const ArtEntry& e, int variant, int w, int h) {
    const bool red = e.look == Look::RedGuard || e.look == Look::RedPlate;
    const QColor body = red ? QColor(196, 30, 28) : QColor(32, 33, 36);
    const QColor light = red ? QColor(250, 120, 110) : QColor(120, 124, 130);
    const QColor dark = red ? QColor(90, 10, 10) : QColor(8, 8, 10);
    p.fillRect(QRectF(0, 0, w, h), body);
    if (variant == kCoverUp || variant == kGuardOpenTop || variant == kGuardOpenBottom) {
        // The raised cover seen on edge along the top of the button.
        p.fillRect(QRectF(0, 0, w, 1), light);
        p.fillRect(QRectF(0, h - 1, w, 1), dark);
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setPen(Qt::NoPen);
        p.setBrush(dark);
        p.drawEllipse(QPointF(4, h / 2.0), 1.5, 1.5);
        p.drawEllipse(QPointF(w - 4, h / 2.0), 1.5, 1.5);
        return;
    }
    if (variant != kCoverDown) {  // one bar of the wire guard
        if (w > h)
            p.fillRect(QRectF(0, 0, w, 1), light);
        else
            p.fillRect(QRectF(0, 0, 1, h), light);
        return;
    }
    // The closed cover over the button.
    Bevel(p, QRectF(0, 0, w, h), light, dark);
    p.setRenderHint(QPainter::Antialiasing, true);
    if (e.look == Look::RedGuard || e.look == Look::BlackGuard) {
        // A wire guard: a frame with a cross, the button dark behind it.
        p.fillRect(QRectF(3, 3, w - 6, h - 6), Mix(body, Qt::black, 0.6));
        p.fillRect(QRectF(w / 2.0 - 1.5, 3, 3, h - 6), body);
        p.fillRect(QRectF(3, h / 2.0 - 1.5, w - 6, 3), body);
    } else {
        p.setPen(QPen(Mix(body, Qt::black, 0.25), 2));
        for (int x = -h; x < w; x += 7)
            p.drawLine(QPointF(x, h), QPointF(x + h, 0));
        Bevel(p, QRectF(0, 0, w, h), light, dark);
        p.setRenderHint(QPainter::Antialiasing, true);
    }
    if (e.upper.text[0] != '\0') {
        const QRectF box(3, h * 0.3, w - 6, h * 0.4);
        p.fillRect(box, body);
        const QFont font = FitFont(e.upper.text, int(box.width()) - 2, int(box.height()), 11);
        CentredText(p, box, e.upper.text, font, Col(e.upper.colour), true);
    }
}

// ---------------------------------------------------------------- glyphs

// Segments of a cell: the seven of a digit, the centre bar split in two, and
// the diagonals and centre verticals that some letters need.
enum Segment : unsigned {
    A = 1u << 0,    // top
    B = 1u << 1,    // top right
    C = 1u << 2,    // bottom right
    D = 1u << 3,    // bottom
    E = 1u << 4,    // bottom left
    F = 1u << 5,    // top left
    G1 = 1u << 6,   // centre, left half
    G2 = 1u << 7,   // centre, right half
    TL = 1u << 8,   // diagonal, top left to centre
    TM = 1u << 9,   // vertical, top to centre
    TR = 1u << 10,  // diagonal, top right to centre
    BL = 1u << 11,  // diagonal, bottom left to centre
    BM = 1u << 12,  // vertical, centre to bottom
    BR = 1u << 13,  // diagonal, bottom right to centre
    DP = 1u << 14,  // decimal point, bottom right
    CP = 1u << 15,  // point, bottom centre
};
constexpr unsigned G = G1 | G2;

// Slots as in the display's glyph table.
constexpr unsigned kGlyphSegments[kGlyphSlots] = {
    A | B | C | D | E | F,       // 0 zero
    B | C,                       // 1 one
    A | B | G | E | D,           // 2 two
    A | B | G | C | D,           // 3 three
    F | G | B | C,               // 4 four
    A | F | G | C | D,           // 5 five
    A | F | E | D | C | G,       // 6 six
    A | B | C,                   // 7 seven
    A | B | C | D | E | F | G,   // 8 eight
    A | B | C | D | F | G,       // 9 nine
    A | F | G | C | D,           // 10 s
    F | E | D | G,               // 11 t
    B | C | D | E | G,           // 12 d
    G,                           // 13 dash
    0,                           // 14 blank
    C | D | E | G,               // 15 o
    G | TM | BM,                 // 16 plus
    CP,                          // 17 point
    A | F,                       // 18 Q1: upper left quarter
    A | B,                       // 19 Q2: upper right quarter
    C | D,                       // 20 Q3: lower right quarter
    D | E,                       // 21 Q4: lower left quarter
    C | D | E,                   // 22 u
    D | E | F,                   // 23 L
    A | B | F | E | G | BR,      // 24 R
    F | E | B | C | BL | BR,     // 25 W
    F | E | B | C | TL | BR,     // 26 N
    A | D | E | F | G1,          // 27 E
    F | E | B | C | G,           // 28 H
    A | TM | BM,                 // 29 BigT
    F | E | G1 | TR | BR,        // 30 K
    A | D | E | F,               // 31 C
    A | F | E | D | C | G2,      // 32 G
    A | D | TM | BM,             // 33 I
    0,                           // 34 (no file)
    A | B | C | E | F | G,       // 35 A
    A | B | F | E | G,           // 36 P
    0,                           // 37 (no file)
    A | B | C | D | E | F | DP,  // 38 zero with point
};

void PaintGlyph(QPainter& p, int w, int h, int slot) {
    // Strokes two pixels wide on whole pixels, so that the small cells stay
    // sharp: columns at x 2-3 and w-4..w-3, rows at y 2-3, the middle and
    // h-4..h-3.
    p.fillRect(QRect(0, 0, w, h), QColor(4, 4, 4));
    const int l = 2;
    const int r = w - 4;
    const int t = 2;
    const int b = h - 4;
    const int m = (t + b) / 2;
    const int cx = (l + r) / 2;
    struct Bar {
        unsigned bit;
        QRect rect;
    };
    const Bar bars[] = {
        {A, QRect(l + 2, t, r - l - 2, 2)},   {D, QRect(l + 2, b, r - l - 2, 2)},
        {G1, QRect(l + 2, m, cx - l - 1, 2)}, {G2, QRect(cx + 1, m, r - cx - 1, 2)},
        {F, QRect(l, t + 2, 2, m - t - 2)},   {E, QRect(l, m + 2, 2, b - m - 2)},
        {B, QRect(r, t + 2, 2, m - t - 2)},   {C, QRect(r, m + 2, 2, b - m - 2)},
        {TM, QRect(cx, t + 2, 2, m - t - 2)}, {BM, QRect(cx, m + 2, 2, b - m - 2)},
    };
    const unsigned lit = slot >= 0 && slot < kGlyphSlots ? kGlyphSegments[slot] : 0;
    const QColor on(251, 141, 45);
    const QColor ghost(24, 14, 7);
    p.setRenderHint(QPainter::Antialiasing, false);
    for (const Bar& bar : bars) {
        const bool isLit = (lit & bar.bit) != 0;
        if (isLit)
            p.fillRect(bar.rect, on);
        else if ((bar.bit & (TM | BM)) == 0)  // the letter strokes have no ghost
            p.fillRect(bar.rect, ghost);
    }
    // Diagonals of the letters, from the corners to the middle.
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(on, 1.8, Qt::SolidLine, Qt::FlatCap));
    const QPointF centre(cx + 1, m + 1);
    if (lit & TL)
        p.drawLine(QPointF(l + 2.5, t + 2.5), centre - QPointF(1, 1.5));
    if (lit & TR)
        p.drawLine(QPointF(r - 0.5, t + 2.5), centre + QPointF(1, -1.5));
    if (lit & BL)
        p.drawLine(QPointF(l + 2.5, b - 0.5), centre + QPointF(-1, 1.5));
    if (lit & BR)
        p.drawLine(QPointF(r - 0.5, b - 0.5), centre + QPointF(1, 1.5));
    p.setRenderHint(QPainter::Antialiasing, false);
    if (lit & DP)
        p.fillRect(QRect(w - 2, b, 2, 2), on);
    if (lit & CP)
        p.fillRect(QRect(cx, b, 2, 2), on);
}

}  // namespace

void PictureSize(const ArtFile& file, int& width, int& height) {
    const ArtEntry& e = *file.entry;
    if (e.kind == Kind::Guard) {
        GuardPieceSize(e, file.variant, width, height);
        return;
    }
    width = e.width;
    height = e.height;
}

QImage PaintPicture(const ArtFile& file) {
    int w = 0;
    int h = 0;
    PictureSize(file, w, h);
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(kPlate);
    QPainter p(&image);
    const ArtEntry& e = *file.entry;
    switch (e.kind) {
        case Kind::PushButton:
            PaintButton(p, e, file.variant);
            break;
        case Kind::Light:
            PaintLight(p, e, file.variant == 0);
            break;
        case Kind::Switch:
            PaintSwitch(p, e, file.variant);
            break;
        case Kind::Knob:
            PaintKnob(p, e, file.variant);
            break;
        case Kind::RotaryKnob:
            PaintRotary(p, e, file.variant);
            break;
        case Kind::Lever:
            PaintLever(p, e, file.variant);
            break;
        case Kind::Guard:
            PaintGuard(p, e, file.variant, w, h);
            break;
        case Kind::Glyphs:
            PaintGlyph(p, w, h, file.variant);
            break;
    }
    p.end();
    return image;
}

// ---------------------------------------------------------------- main picture

namespace {

// The darkest colour, around the cockpit's structure.
const QColor kBackdrop(15, 16, 18);

// The parts of the cockpit's structure that hold the panels, each with its
// colours. A panel belongs to the part that holds the centre of its place;
// the plates of every part share the panel colour (the controls' pictures
// have it as their background), the edges and the gap around them differ.
enum class Shape {
    Console,      // rounded box with a lit rim
    Band,         // the glareshield: a dark band with a lit front lip
    Instruments,  // the main instrument panel, with the display screens
    Pedestal,     // the pedestal, with the thrust lever quadrant
};
struct AreaLook {
    const char* title;
    QRect bounds;
    Shape shape;
    Rgb structure;   // the structure between the plates
    Rgb rim;         // its lit edge
    Rgb gap;         // the dark line around each plate
    Rgb bevelLight;  // the plates' lit edges, top and left
    Rgb bevelDark;   // their shaded edges, bottom and right
    QRect titleBox;  // where the part's name is written, on the backdrop
};
constexpr AreaLook kAreas[] = {
    {"OVERHEAD PANEL",
     {598, -20, 1290, 1285},
     Shape::Console,
     {44, 50, 58},
     {86, 94, 104},
     {14, 16, 19},
     {150, 163, 178},
     {40, 47, 56},
     {0, 560, 590, 80}},
    {"GLARESHIELD",
     {-20, 1580, 2765, 238},
     Shape::Band,
     {30, 31, 34},
     {78, 80, 86},
     {8, 8, 9},
     {146, 158, 172},
     {34, 40, 48},
     {1890, 1500, 830, 70}},
    {"MAIN INSTRUMENT PANEL",
     {-20, 1818, 2765, 762},
     Shape::Instruments,
     {46, 52, 60},
     {78, 86, 96},
     {14, 16, 19},
     {150, 163, 178},
     {40, 47, 56},
     {1770, 2600, 950, 80}},
    {"PEDESTAL",
     {752, 2578, 1104, 1400},
     Shape::Pedestal,
     {40, 45, 52},
     {84, 92, 102},
     {12, 13, 15},
     {150, 163, 178},
     {40, 47, 56},
     {0, 3000, 740, 80}},
};

// The unlit display screens of the main instrument panel, between its
// panels: captain's PFD and ND, the two ECAM screens, first officer's ND and
// PFD.
constexpr QRect kScreens[] = {
    {140, 1850, 310, 310},  {470, 1850, 310, 310},  {1110, 1842, 356, 330},
    {1110, 2196, 356, 350}, {1790, 1850, 310, 310}, {2120, 1850, 310, 310},
};

// The thrust lever quadrant's housing on the pedestal: a raised frame around
// the pitch trim and thrust lever places.
constexpr QRect kQuadrant{1066, 2846, 459, 541};

const AreaLook& AreaOf(const panels::PanelPlace& place) {
    const QPoint centre(place.x + place.width / 2, place.y + place.height / 2);
    for (const AreaLook& area : kAreas)
        if (area.bounds.contains(centre))
            return area;
    return kAreas[0];
}

// Where a plate's name goes when its top-left corner is taken by controls
// (offset from the plate's corner); the others get the top-left corner.
struct NamePlace {
    int panel;
    int dx;
    int dy;  // negative: from the bottom edge
};
constexpr NamePlace kNamePlaces[] = {
    {27, 4, -16},   // thrust levers: the levers fill the top
    {40, 12, 104},  // audio control: between the two rows of keys
    {41, 12, 104},
    {42, 12, 104},
};

bool Intersects(const QRect& r, const panels::PanelPlace& place) {
    return r.intersects(QRect(place.x, place.y, place.width, place.height));
}

// The name's box: the hinted place, or the top-left corner moved down below
// any other plate that overlaps it.
QRect NameBox(const panels::PanelPlace& place, QSize text) {
    for (const NamePlace& hint : kNamePlaces) {
        if (hint.panel != place.number)
            continue;
        const int y = hint.dy >= 0 ? place.y + hint.dy : place.Bottom() + hint.dy;
        return QRect(QPoint(place.x + hint.dx, y), text);
    }
    QRect box(QPoint(place.x + 12, place.y + 3), text);
    for (bool moved = true; moved;) {
        moved = false;
        for (const panels::PanelPlace& other : panels::kPanelLayout) {
            if (other.number == place.number || !other.HasPanel() || !Intersects(box, other))
                continue;
            box.moveTop(other.Bottom() + 2);
            moved = true;
        }
        if (box.bottom() >= place.Bottom())
            return QRect(QPoint(place.x + 12, place.y + 3), text);
    }
    return box;
}

// The name's box and font: moved to another corner of the plate, or written
// smaller, when a control of the panel lies under it; where NameBox puts it in
// the largest size when nothing is free.
struct PlacedName {
    QRect box;
    QFont font;
};
PlacedName ClearNameBox(const panels::PanelPlace& place,
                        const std::vector<EngravedLabel>& controls) {
    const QString name = QString::fromLatin1(place.title);
    const QRect plate(place.x + 3, place.y + 3, place.width - 6, place.height - 6);
    const auto free = [&](const QRect& box) {
        if (!plate.contains(box))
            return false;
        for (const EngravedLabel& control : controls)
            if (control.panel == place.number &&
                box.intersects(QRect(control.x, control.y, control.width, control.height)))
                return false;
        for (const panels::PanelPlace& other : panels::kPanelLayout)
            if (other.number != place.number && other.HasPanel() &&
                other.width * other.height <= place.width * place.height && Intersects(box, other))
                return false;
        return true;
    };
    for (int size : {10, 9, 8}) {
        const QFont font = Font(size);
        const QFontMetrics metrics(font);
        const QSize text(metrics.horizontalAdvance(name) + 2, metrics.height());
        const QRect first = NameBox(place, text);
        const int right = place.Right() - 12 - text.width();
        const int bottom = place.Bottom() - 4 - text.height();
        for (const QRect& box :
             {first, QRect(QPoint(right, first.top()), text),
              QRect(QPoint(place.x + 12, bottom), text), QRect(QPoint(right, bottom), text)})
            if (free(box))
                return {box, font};
    }
    const QFont font = Font(10);
    const QFontMetrics metrics(font);
    return {NameBox(place, QSize(metrics.horizontalAdvance(name) + 2, metrics.height())), font};
}

// A cross-head screw sunk in the plate.
void Screw(QPainter& p, QPointF c, const AreaLook& area) {
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Qt::NoPen);
    p.setBrush(Col(area.gap));
    p.drawEllipse(c, 3.4, 3.4);
    QRadialGradient head(c - QPointF(1.2, 1.2), 3.6);
    head.setColorAt(0, QColor(196, 200, 206));
    head.setColorAt(1, QColor(86, 90, 98));
    p.setBrush(head);
    p.drawEllipse(c, 2.7, 2.7);
    p.setPen(QPen(QColor(34, 36, 40), 1));
    p.drawLine(c + QPointF(-1.7, 0), c + QPointF(1.7, 0));
    p.drawLine(c + QPointF(0, -1.7), c + QPointF(0, 1.7));
}

// A panel's plate: the face in the panel colour, a dark gap around it, lit
// bevels at the top and left, shaded ones at the bottom and right, and a
// screw in each corner when the plate is large enough.
void Plate(QPainter& p, const panels::PanelPlace& place) {
    const AreaLook& area = AreaOf(place);
    const QRect r(place.x, place.y, place.width, place.height);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(r, Col(area.gap));
    const QRect face = r.adjusted(1, 1, -1, -1);
    QLinearGradient sheen(face.topLeft(), face.bottomLeft());
    sheen.setColorAt(0, Mix(kPlate, Qt::white, 0.05));
    sheen.setColorAt(0.12, kPlate);
    sheen.setColorAt(1, kPlate);
    p.fillRect(face, sheen);
    const QColor light = Col(area.bevelLight);
    const QColor dark = Col(area.bevelDark);
    p.fillRect(QRect(face.left(), face.top(), face.width(), 2), light);
    p.fillRect(QRect(face.left(), face.top(), 2, face.height()), Mix(light, kPlate, 0.35));
    p.fillRect(QRect(face.left(), face.bottom() - 1, face.width(), 2), dark);
    p.fillRect(QRect(face.right() - 1, face.top() + 2, 2, face.height() - 2),
               Mix(dark, kPlate, 0.3));
    if (r.width() < 60 || r.height() < 50)
        return;
    for (QPoint corner :
         {QPoint(r.left() + 7, r.top() + 7), QPoint(r.right() - 7, r.top() + 7),
          QPoint(r.left() + 7, r.bottom() - 7), QPoint(r.right() - 7, r.bottom() - 7)})
        Screw(p, QPointF(corner), area);
}

// The part of the structure that holds a group of panels.
void Structure(QPainter& p, const AreaLook& area) {
    p.setRenderHint(QPainter::Antialiasing, true);
    const QRectF r(area.bounds);
    const QColor body = Col(area.structure);
    const QColor rim = Col(area.rim);
    switch (area.shape) {
        case Shape::Console:
        case Shape::Instruments: {
            p.setPen(QPen(rim, 3));
            p.setBrush(body);
            p.drawRoundedRect(r.adjusted(1.5, 1.5, -1.5, -1.5), 28, 28);
            break;
        }
        case Shape::Band: {
            // The glareshield's top curves away from the viewer: lit at the
            // front lip, darker toward the windshield.
            QLinearGradient shade(r.topLeft(), r.bottomLeft());
            shade.setColorAt(0, Mix(body, Qt::black, 0.5));
            shade.setColorAt(0.15, body);
            shade.setColorAt(0.9, body);
            shade.setColorAt(0.94, rim);
            shade.setColorAt(1, Mix(body, Qt::black, 0.6));
            p.setPen(Qt::NoPen);
            p.setBrush(shade);
            p.drawRoundedRect(r, 18, 18);
            break;
        }
        case Shape::Pedestal: {
            // The pedestal's top, with a rail along each side.
            p.fillRect(r, body);
            for (double x : {r.left(), r.right() - 8}) {
                QLinearGradient rail(QPointF(x, 0), QPointF(x + 8, 0));
                rail.setColorAt(0, Mix(rim, Qt::black, 0.4));
                rail.setColorAt(0.5, rim);
                rail.setColorAt(1, Mix(rim, Qt::black, 0.5));
                p.fillRect(QRectF(x, r.top(), 8, r.height()), rail);
            }
            // The thrust lever quadrant: a raised housing with its shadow.
            const QRectF housing(kQuadrant);
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(0, 0, 0, 90));
            p.drawRoundedRect(housing.translated(5, 6), 10, 10);
            QLinearGradient wall(housing.topLeft(), housing.topRight());
            wall.setColorAt(0, Mix(body, Qt::white, 0.18));
            wall.setColorAt(0.5, Mix(body, Qt::black, 0.35));
            wall.setColorAt(1, Mix(body, Qt::black, 0.55));
            p.setBrush(wall);
            p.setPen(QPen(rim, 2));
            p.drawRoundedRect(housing, 10, 10);
            break;
        }
    }
    if (area.shape != Shape::Instruments)
        return;
    for (const QRect& screen : kScreens) {
        // A bezel and dark glass with a faint reflection.
        const QRectF bezel(screen);
        p.setPen(QPen(Col(area.gap), 2));
        p.setBrush(QColor(28, 30, 34));
        p.drawRoundedRect(bezel, 8, 8);
        const QRectF glass = bezel.adjusted(14, 14, -14, -14);
        QLinearGradient sheen(glass.topLeft(), glass.bottomRight());
        sheen.setColorAt(0, QColor(26, 30, 36));
        sheen.setColorAt(0.45, QColor(9, 10, 12));
        sheen.setColorAt(1, QColor(5, 5, 6));
        p.setPen(QPen(QColor(60, 64, 70), 1));
        p.setBrush(sheen);
        p.drawRect(glass);
        p.setBrush(QColor(70, 74, 80));
        p.setPen(Qt::NoPen);
        for (double y : {bezel.top() + 6, bezel.bottom() - 6})
            for (double x : {bezel.left() + 6, bezel.right() - 6})
                p.drawEllipse(QPointF(x, y), 2, 2);
    }
}

void AreaTitle(QPainter& p, const AreaLook& area) {
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setFont(Font(46));
    p.setPen(QColor(62, 66, 74));
    p.drawText(area.titleBox, Qt::AlignCenter, QString::fromLatin1(area.title));
}

// Engraved text: white letters with a dark shadow under them, as filled
// paint in a cut.
void Engrave(QPainter& p, const QRect& box, const QString& text, const QFont& font) {
    p.setFont(font);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Mix(kPlate, Qt::black, 0.55));
    p.drawText(box.translated(1, 1), Qt::AlignCenter, text);
    p.setPen(kEngraving);
    p.drawText(box, Qt::AlignCenter, text);
}

}  // namespace

TextSize MeasureLabel(const std::string& line, int pixelSize) {
    const QFontMetrics metrics(Font(pixelSize));
    return {metrics.horizontalAdvance(QString::fromLatin1(line.c_str())) + 2,
            metrics.ascent() + metrics.descent()};
}

QImage PaintCockpit() {
    QImage image(panels::LayoutWidth(), panels::LayoutHeight(), QImage::Format_RGB32);
    image.fill(kBackdrop);
    QPainter p(&image);
    for (const AreaLook& area : kAreas) {
        AreaTitle(p, area);
        Structure(p, area);
    }

    // Larger plates first, so that where two places overlap the smaller one
    // stays whole.
    std::vector<const panels::PanelPlace*> order;
    for (const panels::PanelPlace& place : panels::kPanelLayout)
        if (place.HasPanel())
            order.push_back(&place);
    std::stable_sort(order.begin(), order.end(), [](const auto* a, const auto* b) {
        return a->width * a->height > b->width * b->height;
    });
    for (const panels::PanelPlace* place : order)
        Plate(p, *place);

    // The plates' names; they take room that the controls' labels avoid.
    std::vector<EngravedLabel> controls = ControlLabels();
    for (const panels::PanelPlace* place : order) {
        const PlacedName name = ClearNameBox(*place, controls);
        Engrave(p, name.box, QString::fromLatin1(place->title), name.font);
        const QRect& box = name.box;
        controls.push_back({place->number, "", box.x(), box.y(), box.width(), box.height()});
    }

    // Each control's label, where it meets no other control or label.
    for (const PlacedLabel& label : PlaceLabels(controls, MeasureLabel)) {
        if (!label.clear)
            continue;
        const QFont labelFont = Font(label.pixelSize);
        int y = label.box.y;
        for (const std::string& line : label.lines) {
            const TextSize size = MeasureLabel(line, label.pixelSize);
            Engrave(p, QRect(label.box.x, y, label.box.width, size.height),
                    QString::fromLatin1(line.c_str()), labelFont);
            y += size.height;
        }
    }
    p.end();
    return image;
}

}  // namespace art
