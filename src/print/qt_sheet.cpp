#include "print/qt_sheet.h"

#include "print/colour_table.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <algorithm>
#include <stdexcept>

QtSheet::QtSheet(QPagedPaintDevice& device) : device_(device), colour_(ColourTable::colour(0)) {
    device_.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                      QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
}

QtSheet::~QtSheet() {
    end();
}

void QtSheet::setOrientation(Orientation orientation) {
    // The paper turns only before the document starts; a painter keeps the layout it began
    // with.
    if (painter_)
        return;
    device_.setPageOrientation(orientation == Orientation::Landscape ? QPageLayout::Landscape
                                                                     : QPageLayout::Portrait);
}

QPainter& QtSheet::painter() {
    if (!painter_) {
        painter_ = std::make_unique<QPainter>();
        if (!painter_->begin(&device_))
            throw std::runtime_error("プリンターを開けませんでした。出力先を確認して下さい。");
        dpi_ = device_.logicalDpiX();
        painter_->setRenderHint(QPainter::Antialiasing, false);
        applyPen();
    }
    if (!pageUsed_) {
        pageUsed_ = true;
        ++pages_;
    }
    return *painter_;
}

void QtSheet::applyPen() {
    if (!painter_)
        return;
    QPen pen(colour_);
    pen.setWidthF(std::max(1.0, drawWidth_ * dpi_ / 600.0));
    painter_->setPen(pen);
    painter_->setBrush(Qt::NoBrush);
    painter_->setFont(font_);
}

void QtSheet::setFontName(const QString& name) {
    font_.setFamily(name);
    applyPen();
}

void QtSheet::setFontSize(double points) {
    font_.setPointSizeF(points);
    applyPen();
}

void QtSheet::setForeColor(int paletteNumber) {
    colour_ = ColourTable::colour(paletteNumber);
    applyPen();
}

void QtSheet::setDrawWidth(int width) {
    drawWidth_ = width;
    applyPen();
}

void QtSheet::text(double x, double y, const QString& text) {
    QPainter& p = painter();
    const QFontMetricsF metrics(font_, &device_);
    p.drawText(QPointF(px(x), px(y) + metrics.ascent()), text);
}

void QtSheet::clippedText(double x, double y, double right, const QString& text) {
    QPainter& p = painter();
    const QFontMetricsF metrics(font_, &device_);
    p.save();
    p.setClipRect(QRectF(QPointF(px(x), px(y)), QPointF(px(right), px(y) + metrics.height())));
    p.drawText(QPointF(px(x), px(y) + metrics.ascent()), text);
    p.restore();
}

void QtSheet::line(double x1, double y1, double x2, double y2) {
    painter().drawLine(QPointF(px(x1), px(y1)), QPointF(px(x2), px(y2)));
}

void QtSheet::box(double x1, double y1, double x2, double y2) {
    painter().drawRect(QRectF(QPointF(px(x1), px(y1)), QPointF(px(x2), px(y2))));
}

void QtSheet::newPage() {
    // Nothing drawn yet: the current page is still blank and serves as the new one.
    if (!painter_ || !pageUsed_)
        return;
    device_.newPage();
    pageUsed_ = false;
}

void QtSheet::end() {
    if (ended_)
        return;
    ended_ = true;
    endedCleanly_ = painter_ && painter_->end();
}

bool QtSheet::finish() {
    end();
    return endedCleanly_;
}
