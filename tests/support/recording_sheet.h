#pragma once

#include "output/sheet.h"

#include <QString>
#include <vector>

// A Sheet that records every drawing call with the settings in force, so tests can assert
// the texts and positions of a layout exactly.
class RecordingSheet final : public Sheet {
public:
    enum class Kind { Text, Line, Box, NewPage, End };

    struct Op {
        Kind kind;
        double x1 = 0, y1 = 0, x2 = 0, y2 = 0; // a clipped text's right edge is x2
        QString text{};
        QString fontName{};
        double fontSize = 0;
        int colour = 0;
        int drawWidth = 1;
        int page = 1; // page number at the time of the call
        Orientation orientation = Orientation::Portrait;
    };

    void setOrientation(Orientation orientation) override { orientation_ = orientation; }
    void setFontName(const QString& name) override { fontName_ = name; }
    void setFontSize(double points) override { fontSize_ = points; }
    void setForeColor(int paletteNumber) override { colour_ = paletteNumber; }
    void setDrawWidth(int width) override { drawWidth_ = width; }

    void text(double x, double y, const QString& text) override;
    void clippedText(double x, double y, double right, const QString& text) override;
    void line(double x1, double y1, double x2, double y2) override;
    void box(double x1, double y1, double x2, double y2) override;
    void newPage() override;
    void end() override;

    const std::vector<Op>& ops() const { return ops_; }
    // Pages that received any drawing. A new page requested before anything was drawn
    // opens no page, as on the printer.
    int pageCount() const { return pages_; }
    bool ended() const { return ended_; }

    std::vector<Op> texts() const;
    // The text operations whose text equals `text`.
    std::vector<Op> textsEqual(const QString& text) const;
    // The first text drawn at exactly (x, y) on a page, or nullptr.
    const Op* textAt(double x, double y, int page = 1) const;

private:
    void record(Op op);

    std::vector<Op> ops_;
    Orientation orientation_ = Orientation::Portrait;
    QString fontName_;
    double fontSize_ = 0;
    int colour_ = 0;
    int drawWidth_ = 1;
    int page_ = 1;
    int pages_ = 0;
    bool pageUsed_ = false;
    bool ended_ = false;
};
