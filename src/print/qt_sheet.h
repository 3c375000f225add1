#pragma once

#include "output/sheet.h"

#include <QFont>
#include <QPainter>
#include <memory>

class QPagedPaintDevice;

// A Sheet on a QPrinter (system printer or print preview) or a QPdfWriter: A4 with zero
// margins, millimetres measured from the paper's corner (a QPrinter must be set to full page
// first: the sheet knows only the paint device, so printing needs no widgets). The painter stays in
// device units and millimetres are converted with the device resolution, so font point sizes keep
// their printed size.
class QtSheet final : public Sheet {
public:
    explicit QtSheet(QPagedPaintDevice& device);
    ~QtSheet() override;
    QtSheet(const QtSheet&) = delete;
    QtSheet& operator=(const QtSheet&) = delete;

    void setOrientation(Orientation orientation) override;
    void setFontName(const QString& name) override;
    void setFontSize(double points) override;
    void setForeColor(int paletteNumber) override;
    void setDrawWidth(int width) override;

    void text(double x, double y, const QString& text) override;
    void clippedText(double x, double y, double right, const QString& text) override;
    void line(double x1, double y1, double x2, double y2) override;
    void box(double x1, double y1, double x2, double y2) override;
    void newPage() override;
    void end() override;
    // Ends the document like end() (if the drawing has not) and tells whether the device took
    // all of it; false when nothing was drawn.
    bool finish();

    int pagesStarted() const { return pages_; }

private:
    QPainter& painter();
    double px(double mm) const { return mm * dpi_ / 25.4; }
    void applyPen();

    QPagedPaintDevice& device_;
    std::unique_ptr<QPainter> painter_;
    double dpi_ = 600;
    QFont font_;
    QColor colour_;
    int drawWidth_ = 1;
    bool pageUsed_ = false;
    bool ended_ = false;
    bool endedCleanly_ = false;
    int pages_ = 0;
};
