#include "support/recording_sheet.h"

#include <cmath>

namespace {
bool near(double a, double b) {
    return std::abs(a - b) < 1e-6;
}
} // namespace

void RecordingSheet::record(Op op) {
    op.fontName = fontName_;
    op.fontSize = fontSize_;
    op.colour = colour_;
    op.drawWidth = drawWidth_;
    op.orientation = orientation_;
    if (op.kind != Kind::NewPage && op.kind != Kind::End && !pageUsed_) {
        pageUsed_ = true;
        ++pages_;
    }
    op.page = page_;
    ops_.push_back(std::move(op));
}

void RecordingSheet::text(double x, double y, const QString& text) {
    record(Op{.kind = Kind::Text, .x1 = x, .y1 = y, .text = text});
}

void RecordingSheet::clippedText(double x, double y, double right, const QString& text) {
    record(Op{.kind = Kind::Text, .x1 = x, .y1 = y, .x2 = right, .text = text});
}

void RecordingSheet::line(double x1, double y1, double x2, double y2) {
    record(Op{.kind = Kind::Line, .x1 = x1, .y1 = y1, .x2 = x2, .y2 = y2});
}

void RecordingSheet::box(double x1, double y1, double x2, double y2) {
    record(Op{.kind = Kind::Box, .x1 = x1, .y1 = y1, .x2 = x2, .y2 = y2});
}

void RecordingSheet::newPage() {
    if (pageUsed_) {
        ++page_;
        pageUsed_ = false;
    }
    record(Op{.kind = Kind::NewPage});
}

void RecordingSheet::end() {
    ended_ = true;
    record(Op{.kind = Kind::End});
}

std::vector<RecordingSheet::Op> RecordingSheet::texts() const {
    std::vector<Op> out;
    for (const auto& op : ops_)
        if (op.kind == Kind::Text)
            out.push_back(op);
    return out;
}

std::vector<RecordingSheet::Op> RecordingSheet::textsEqual(const QString& text) const {
    std::vector<Op> out;
    for (const auto& op : ops_)
        if (op.kind == Kind::Text && op.text == text)
            out.push_back(op);
    return out;
}

const RecordingSheet::Op* RecordingSheet::textAt(double x, double y, int page) const {
    for (const auto& op : ops_)
        if (op.kind == Kind::Text && op.page == page && near(op.x1, x) && near(op.y1, y))
            return &op;
    return nullptr;
}
