#pragma once

#include <QString>

// A printed page surface in millimetres measured from the paper's top-left corner. Print
// layouts draw on a Sheet so that the same layout can go to a printer, a PDF file or a
// recording that tests inspect.
class Sheet {
public:
    enum class Orientation { Portrait, Landscape };

    virtual ~Sheet() = default;

    // A4 paper in the given orientation; call before the first drawing of a document.
    virtual void setOrientation(Orientation orientation) = 0;
    virtual void setFontName(const QString& name) = 0;
    virtual void setFontSize(double points) = 0;
    // A number of the 16-colour palette (0 black, 9 light blue, 12 light red ...).
    virtual void setForeColor(int paletteNumber) = 0;
    // Line width in printer dots (1/600 inch).
    virtual void setDrawWidth(int width) = 0;

    // Text whose top-left corner is at (x, y).
    virtual void text(double x, double y, const QString& text) = 0;
    // The same, cut off at x = `right` where it is longer, so it keeps to its column.
    virtual void clippedText(double x, double y, double right, const QString& text) = 0;
    virtual void line(double x1, double y1, double x2, double y2) = 0;
    // An unfilled rectangle with corners (x1, y1) and (x2, y2).
    virtual void box(double x1, double y1, double x2, double y2) = 0;
    virtual void newPage() = 0;
    // Finishes the document.
    virtual void end() = 0;
};
