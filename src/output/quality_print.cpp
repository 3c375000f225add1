#include "output/quality_print.h"

#include "output/sheet.h"
#include "roster/quality_report.h"
#include "roster/quality_report_output.h"

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString SheetFont = u"ＭＳ ゴシック"_s;
constexpr double Left = 10, Right = 287, Bottom = 200, LineHeight = 4.5;
constexpr int RedInk = 12, BlackInk = 0;

class QualitySheet final {
public:
    QualitySheet(const QualityReport& r, Sheet& sheet) : r_(r), sheet_(sheet) {}

    void print() {
        sheet_.setOrientation(Sheet::Orientation::Landscape);
        font(12);
        sheet_.text(Left, 8, u"勤務表の品質 %1 ～ %2"_s.arg(r_.periodStart, r_.periodEnd));
        font(9);
        sheet_.setForeColor(r_.night.overLimit ? RedInk : BlackInk);
        sheet_.text(Left, 16, QualityNightLine(r_));
        sheet_.setForeColor(BlackInk);
        const auto nights = [](const QualityReport::PersonFigures& p) { return p.nights; };
        const auto weekendsOff = [](const QualityReport::PersonFigures& p) {
            return p.saturdaysOff + p.sundaysOff;
        };
        bars(Left, 28, 135, 50, u"夜勤回数（職員別）"_s, u"回"_s, nights, true);
        bars(152, 28, 135, 50, u"土日の休み（職員別）"_s, u"日"_s, weekendsOff, false);
        strip(98);
        findings(114);
        people();
        sheet_.end();
    }

private:
    void font(double size) {
        sheet_.setFontName(SheetFont);
        sheet_.setFontSize(size);
    }

    // One bar per person in table order, scaled to the largest value; `withMean` adds the
    // mean as a line across the bars.
    template <typename Value>
    void bars(double x, double y, double width, double height, const QString& caption,
              const QString& unit, Value value, bool withMean) {
        font(9);
        sheet_.text(x, y - 6, caption);
        sheet_.box(x, y, x + width, y + height);
        const size_t n = r_.people.size();
        if (n == 0)
            return;
        int top = 1;
        double sum = 0;
        for (const auto& p : r_.people) {
            top = std::max(top, value(p));
            sum += value(p);
        }
        const double step = width / double(n);
        font(6);
        for (size_t i = 0; i < n; ++i) {
            const int v = value(r_.people[i]);
            const double left = x + step * double(i) + step * 0.15;
            const double h = height * v / top;
            if (v > 0)
                sheet_.box(left, y + height - h, left + step * 0.7, y + height);
            if (step >= 3)
                sheet_.text(left, y + height + 1, QString::number(v));
        }
        font(8);
        sheet_.text(x, y + height + 4,
                    u"最大 %1 %2、職員の順は職員別の表のとおり"_s.arg(QString::number(top), unit));
        if (withMean) {
            const double mean = sum / double(n);
            const double my = y + height - height * mean / top;
            sheet_.setForeColor(RedInk);
            sheet_.line(x, my, x + width, my);
            sheet_.text(x + width - 28, my - 4,
                        u"平均 %1 %2"_s.arg(QString::number(mean, 'f', 1), unit));
            sheet_.setForeColor(BlackInk);
        }
    }

    // The period's days in boxes, short days red with the number of people short.
    void strip(double y) {
        font(9);
        sheet_.text(Left, y - 6, u"不足日（全体の不足人数）"_s);
        const std::vector<int> shortage = UnitShortageByDay(r_);
        if (shortage.empty())
            return;
        const double step = (Right - Left) / double(shortage.size());
        font(7);
        for (size_t i = 0; i < shortage.size(); ++i) {
            const double x = Left + step * double(i);
            sheet_.setForeColor(shortage[i] > 0 ? RedInk : BlackInk);
            sheet_.box(x, y, x + step, y + 8);
            sheet_.text(x + 0.5, y + 0.5, QString::number(i + 1));
            if (shortage[i] > 0)
                sheet_.text(x + 0.5, y + 4, u"-%1"_s.arg(shortage[i]));
        }
        sheet_.setForeColor(BlackInk);
    }

    void findings(double y) {
        font(9);
        sheet_.text(Left, y, u"要確認"_s);
        y += LineHeight + 1;
        font(8);
        if (r_.findings.empty())
            sheet_.text(Left, y, u"なし"_s);
        for (const auto& f : r_.findings) {
            if (y > Bottom) {
                sheet_.newPage();
                y = 10;
            }
            sheet_.text(Left, y, f.text);
            y += LineHeight;
        }
    }

    void people() {
        const QStringList heading = QualityPersonHeading(r_);
        if (heading.size() <= 2)
            return;
        const double noWidth = 16, nameWidth = 28;
        const double width = (Right - Left - noWidth - nameWidth) / double(heading.size() - 2);
        auto columnX = [&](qsizetype c) {
            if (c == 0)
                return Left;
            if (c == 1)
                return Left + noWidth;
            return Left + noWidth + nameWidth + width * double(c - 2);
        };
        auto row = [&](const QStringList& cells, double y) {
            for (qsizetype c = 0; c < cells.size(); ++c)
                sheet_.text(columnX(c), y, cells[c]);
        };
        double y = Bottom;
        for (const auto& p : r_.people) {
            if (y + LineHeight > Bottom) {
                sheet_.newPage();
                font(9);
                sheet_.text(Left, 8, u"職員別"_s);
                font(7);
                row(heading, 15);
                sheet_.line(Left, 19.5, Right, 19.5);
                y = 21;
            }
            row(QualityPersonCells(p), y);
            y += LineHeight;
        }
    }

    const QualityReport& r_;
    Sheet& sheet_;
};

} // namespace

void PrintQualityReport(const QualityReport& r, Sheet& sheet) {
    QualitySheet(r, sheet).print();
}
