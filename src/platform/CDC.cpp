#include "platform/CDC.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include "platform/CBitmapFile.h"

namespace {

QColor ToQColor(COLORREF c) {
    return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

// Pixel height of a font of the given size in tenths of a point at 96 dpi.
int PixelHeight(int tenthsOfPoint) {
    int px = (tenthsOfPoint * 96 + 360) / 720;
    return px < 1 ? 1 : px;
}

}  // namespace

struct CDC::Impl {
    std::unique_ptr<QImage> owned;
    QImage* image = nullptr;
    QPainter painter;
    QPen pen{QColor(0, 0, 0)};
    QBrush brush{QColor(255, 255, 255)};
    QFont font;
    QColor textColour{0, 0, 0};
    QColor backColour{255, 255, 255};
    BkMode bkMode = OPAQUE;
    QPoint current{0, 0};

    void Begin(QImage* target) {
        image = target;
        painter.begin(image);
        painter.setRenderHint(QPainter::Antialiasing, false);
        pen.setWidth(1);
        pen.setCapStyle(Qt::FlatCap);
        painter.setPen(pen);
        painter.setBrush(brush);
        font = QFont(QStringLiteral("Arial"));
        font.setPixelSize(PixelHeight(100));
    }
};

CDC::CDC(int width, int height, COLORREF fill) : m(std::make_unique<Impl>()) {
    m->owned = std::make_unique<QImage>(width > 0 ? width : 1, height > 0 ? height : 1,
                                        QImage::Format_RGB32);
    m->owned->fill(ToQColor(fill));
    m->Begin(m->owned.get());
}

CDC::CDC(QImage& target) : m(std::make_unique<Impl>()) {
    m->Begin(&target);
}

CDC::~CDC() {
    m->painter.end();
}

int CDC::Width() const {
    return m->image->width();
}
int CDC::Height() const {
    return m->image->height();
}
const QImage& CDC::Image() const {
    return *m->image;
}

void CDC::DrawBitmap(const CBitmapFile& bitmap, int x, int y) {
    if (const QImage* img = bitmap.Image())
        m->painter.drawImage(QPoint(x, y), *img);
}

void CDC::DrawBitmapPart(const CBitmapFile& bitmap, int x, int y, const CRect& source) {
    if (const QImage* img = bitmap.Image()) {
        m->painter.drawImage(QPoint(x, y), *img,
                             QRect(source.left, source.top, source.Width(), source.Height()));
    }
}

void CDC::FillSolidRect(const CRect& rect, COLORREF colour) {
    if (rect.IsRectEmpty())
        return;
    m->painter.fillRect(QRect(rect.left, rect.top, rect.Width(), rect.Height()), ToQColor(colour));
}

void CDC::FrameRect(const CRect& rect, COLORREF colour) {
    if (rect.IsRectEmpty())
        return;
    QColor c = ToQColor(colour);
    m->painter.fillRect(QRect(rect.left, rect.top, rect.Width(), 1), c);
    m->painter.fillRect(QRect(rect.left, rect.bottom - 1, rect.Width(), 1), c);
    m->painter.fillRect(QRect(rect.left, rect.top, 1, rect.Height()), c);
    m->painter.fillRect(QRect(rect.right - 1, rect.top, 1, rect.Height()), c);
}

void CDC::SelectPen(int width, COLORREF colour) {
    m->pen = QPen(ToQColor(colour));
    m->pen.setWidth(width < 1 ? 1 : width);
    m->pen.setCapStyle(Qt::FlatCap);
    m->painter.setPen(m->pen);
}

void CDC::SelectNullPen() {
    m->pen = QPen(Qt::NoPen);
    m->painter.setPen(m->pen);
}

void CDC::SelectBrush(COLORREF colour) {
    m->brush = QBrush(ToQColor(colour));
    m->painter.setBrush(m->brush);
}

void CDC::SelectNullBrush() {
    m->brush = QBrush(Qt::NoBrush);
    m->painter.setBrush(m->brush);
}

void CDC::MoveTo(int x, int y) {
    m->current = QPoint(x, y);
}

void CDC::LineTo(int x, int y) {
    m->painter.drawLine(m->current, QPoint(x, y));
    m->current = QPoint(x, y);
}

// The window system's shapes cover left..right-1 and top..bottom-1.
void CDC::Ellipse(const CRect& rect) {
    m->painter.drawEllipse(QRect(rect.left, rect.top, rect.Width() - 1, rect.Height() - 1));
}

void CDC::Rectangle(const CRect& rect) {
    m->painter.drawRect(QRect(rect.left, rect.top, rect.Width() - 1, rect.Height() - 1));
}

int CDC::FontPixelHeight(int tenthsOfPoint) {
    return PixelHeight(tenthsOfPoint);
}

void CDC::SelectFont(const char* face, int tenthsOfPoint, int weight) {
    m->font = QFont(QString::fromUtf8(face ? face : "Arial"));
    m->font.setPixelSize(PixelHeight(tenthsOfPoint));
    m->font.setWeight(
        static_cast<QFont::Weight>(weight < 1 ? 400 : (weight > 1000 ? 1000 : weight)));
    m->painter.setFont(m->font);
}

void CDC::SetTextColor(COLORREF colour) {
    m->textColour = ToQColor(colour);
}
void CDC::SetBkColor(COLORREF colour) {
    m->backColour = ToQColor(colour);
}
void CDC::SetBkMode(BkMode mode) {
    m->bkMode = mode;
}

void CDC::TextOut(int x, int y, const char* text) {
    if (text == nullptr || *text == '\0')
        return;
    QString s = QString::fromLatin1(text);
    QFontMetrics metrics(m->font);
    if (m->bkMode == OPAQUE) {
        m->painter.fillRect(QRect(x, y, metrics.horizontalAdvance(s), metrics.height()),
                            m->backColour);
    }
    m->painter.save();
    m->painter.setFont(m->font);
    m->painter.setPen(m->textColour);
    m->painter.drawText(QPoint(x, y + metrics.ascent()), s);
    m->painter.restore();
}

CSize CDC::GetTextExtent(const char* text) const {
    QFontMetrics metrics(m->font);
    QString s = QString::fromLatin1(text ? text : "");
    return CSize(metrics.horizontalAdvance(s), metrics.height());
}

COLORREF CDC::GetPixel(int x, int y) const {
    if (!m->image->valid(x, y))
        return 0;
    QRgb p = m->image->pixel(x, y);
    return RGB(qRed(p), qGreen(p), qBlue(p));
}
