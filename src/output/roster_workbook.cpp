#include "output/roster_workbook.h"

#include "output/roster_print.h"
#include "roster/cumulative_totals.h"
#include "roster/quality_report.h"
#include "roster/quality_report_output.h"
#include "roster/roster_model.h"
#include "roster/run_shape.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <map>
#include <tuple>
#include <unistd.h>
#include <xlsxwriter.h>

using namespace Qt::Literals::StringLiterals;

namespace {

// Named as Windows names it, so that Excel there finds the font; the charset tells it the
// font is a Japanese one.
const QByteArray FontName = u"ＭＳ ゴシック"_s.toUtf8();
constexpr std::uint8_t ShiftJisCharset = 128;
constexpr std::uint8_t A4 = 9;
constexpr int Black = 0, Blue = 9, Red = 12;
// Early and late duties as a fill, in the light colours the screens use for highlights.
constexpr lxw_color_t EarlyFill = 0xFFFFC8, LateFill = 0xE6E6FF;
constexpr lxw_color_t NoFill = 0xFFFFFFFF;

QString shown(const QString& path) {
    return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
}

// Column width in Excel's units (one per half-width character) of a text: full-width
// characters count two.
double textWidth(const QString& text) {
    double w = 0;
    for (const QChar c : text)
        w += c.unicode() < 0x2000 || (c.unicode() >= 0xFF61 && c.unicode() <= 0xFF9F) ? 1 : 2;
    return w;
}

// Formats are made once per look and shared by every cell that has it.
class Formats final {
public:
    struct Look {
        lxw_color_t font = LXW_COLOR_BLACK, fill = NoFill;
        bool bold = false, centred = false, border = false;
        double size = 10;
        auto key() const { return std::tuple(font, fill, bold, centred, border, size); }
        bool operator<(const Look& o) const { return key() < o.key(); }
    };

    explicit Formats(lxw_workbook* wb) : wb_(wb) {}

    lxw_format* get(const Look& look) {
        const auto it = made_.find(look);
        if (it != made_.end())
            return it->second;
        lxw_format* f = workbook_add_format(wb_);
        format_set_font_name(f, FontName.constData());
        format_set_font_charset(f, ShiftJisCharset);
        format_set_font_size(f, look.size);
        format_set_font_color(f, look.font);
        if (look.fill != NoFill)
            format_set_bg_color(f, look.fill);
        if (look.bold)
            format_set_bold(f);
        if (look.centred)
            format_set_align(f, LXW_ALIGN_CENTER);
        if (look.border)
            format_set_border(f, LXW_BORDER_THIN);
        made_.emplace(look, f);
        return f;
    }
    lxw_format* plain() { return get({}); }

private:
    lxw_workbook* wb_;
    std::map<Look, lxw_format*> made_;
};

// Writes into one sheet, remembering how wide each column must be.
class SheetWriter final {
public:
    SheetWriter(lxw_workbook* wb, Formats& formats, const QString& name)
        : ws_(workbook_add_worksheet(wb, name.toUtf8().constData())), formats_(formats) {
        worksheet_set_landscape(ws_);
        worksheet_set_paper(ws_, A4);
        worksheet_fit_to_pages(ws_, 1, 0);
    }
    lxw_worksheet* sheet() const { return ws_; }

    void text(int row, int col, const QString& value, lxw_format* f = nullptr, bool sized = true) {
        worksheet_write_string(ws_, static_cast<lxw_row_t>(row), static_cast<lxw_col_t>(col),
                               value.toUtf8().constData(), f ? f : formats_.plain());
        if (sized)
            fit(col, textWidth(value));
    }
    void number(int row, int col, double value, lxw_format* f = nullptr) {
        worksheet_write_number(ws_, static_cast<lxw_row_t>(row), static_cast<lxw_col_t>(col), value,
                               f ? f : formats_.plain());
        fit(col, textWidth(QString::number(value)));
    }
    // A number when the text is one (so that the spreadsheet can sum it), else the text.
    void value(int row, int col, const QString& v, lxw_format* f = nullptr) {
        bool ok = false;
        const double n = v.toDouble(&ok);
        if (ok && !v.isEmpty())
            number(row, col, n, f);
        else
            text(row, col, v, f);
    }
    void comment(int row, int col, const QString& text) {
        worksheet_write_comment(ws_, static_cast<lxw_row_t>(row), static_cast<lxw_col_t>(col),
                                text.toUtf8().constData());
    }
    // Sets every column to the width its widest cell needs, at least `minimum`.
    void setWidths(double minimum = 3) {
        for (const auto& [col, width] : widths_)
            worksheet_set_column(ws_, static_cast<lxw_col_t>(col), static_cast<lxw_col_t>(col),
                                 std::max(minimum, width + 1.5), nullptr);
    }

private:
    void fit(int col, double width) { widths_[col] = std::max(widths_[col], width); }

    lxw_worksheet* ws_;
    Formats& formats_;
    std::map<int, double> widths_;
};

class WorkbookRun final {
public:
    WorkbookRun(lxw_workbook* wb, const RosterWorkbookContent& c) : wb_(wb), c_(c), formats_(wb) {
        for (const auto& g : c_.requests.groups)
            for (const Person& p : g)
                requests_.emplace(p.no, &p);
    }

    void write() {
        writeRoster();
        writeTotals();
        writeQuality();
    }

private:
    // The library reads 0 as "no colour" and spells black apart.
    lxw_color_t rgb(int palette) const {
        const lxw_color_t c = c_.paletteRgb(palette) & 0xFFFFFF;
        return c == 0 ? static_cast<lxw_color_t>(LXW_COLOR_BLACK) : c;
    }

    // 勤務表: the roster sheet's lines as rows, one column per day.
    void writeRoster() {
        const RosterModel& m = c_.roster;
        SheetWriter w(wb_, formats_, u"勤務表"_s);
        w.text(0, 0, u"%1 ～ %2 勤務シフト表"_s.arg(m.periodStart, m.periodEnd),
               formats_.get({.bold = true, .size = 14}), false);
        lxw_format* heading = formats_.get({.bold = true, .centred = true, .border = true});
        w.text(1, 0, u"職員NO"_s, heading);
        w.text(1, 1, u"氏名"_s, heading);
        w.text(2, 0, QString(), heading);
        w.text(2, 1, QString(), heading);
        const int last = m.lastDay();
        for (int d = 1; d <= last; ++d) {
            const DayInfo& day = m.day(d);
            w.number(1, d + 1, day.date.right(2).toInt(), heading);
            const int colour = day.holidayFlag == 1 ? Red : day.headingColour(c_.weekdayColour);
            w.text(
                2, d + 1, day.weekdayName,
                formats_.get({.font = rgb(colour), .bold = true, .centred = true, .border = true}));
        }
        int row = 3;
        for (const RosterSheetLine& line : RosterSheetLines(m)) {
            if (line.kind == RosterSheetLine::Kind::Person)
                personRow(w, row++, m.person(line.group, line.slot));
            else
                countRow(w, row++, line.shift, line.level);
        }
        w.setWidths();
        worksheet_freeze_panes(w.sheet(), 3, 2);
        worksheet_repeat_rows(w.sheet(), 1, 2);
        worksheet_repeat_columns(w.sheet(), 0, 1);
    }

    void personRow(SheetWriter& w, int row, const Person& p) {
        const RosterModel& m = c_.roster;
        lxw_format* name = formats_.get({.border = true});
        w.text(row, 0, p.no, name);
        w.text(row, 1, p.name, name);
        for (int d = 1; d <= m.lastDay(); ++d) {
            const Cell& c = p.cell(d);
            const bool actual = !c.actualShift.isEmpty();
            const QString& shift = actual ? c.actualShift : c.shift;
            const int mark = actual ? c.actualEarly : c.early;
            // The creation screen's colours: the rest shift red, another requested shift blue.
            const auto asked = requests_.find(p.no);
            const bool requested =
                asked != requests_.end() && !asked->second->cell(d).requestShift.isEmpty();
            int colour = Black;
            if (!shift.isEmpty() && shift == m.cache.restShift)
                colour = Red;
            else if (requested)
                colour = Blue;
            const lxw_color_t fill = mark == 2 ? EarlyFill : mark == 3 ? LateFill : NoFill;
            w.text(
                row, d + 1, shift,
                formats_.get({.font = rgb(colour), .fill = fill, .centred = true, .border = true}));
            if (mark == 2 || mark == 3)
                w.comment(row, d + 1, mark == 2 ? u"早出"_s : u"遅出"_s);
        }
    }

    void countRow(SheetWriter& w, int row, int shift, int level) {
        const RosterModel& m = c_.roster;
        lxw_format* label = formats_.get({.bold = true, .border = true});
        const QString team =
            m.loaded.grouping == Grouping::ByTeam && level != 3
                ? (m.loaded.filter.team.isEmpty() ? m.teamName[static_cast<size_t>(level)]
                                                  : m.loaded.filter.team)
                : QString();
        w.text(row, 0, team, label);
        w.text(row, 1, m.cache.workShift(shift).abbrev + u"勤者数"_s, label);
        for (int d = 1; d <= m.lastDay(); ++d) {
            const int have = m.assigned.at(level, d, shift, Figure::Staff);
            const int need = StaffingTarget(m, d, shift, 2, level).required;
            w.number(
                row, d + 1, have,
                formats_.get(
                    {.font = rgb(have < need ? Red : Black), .centred = true, .border = true}));
            w.comment(row, d + 1, u"必要数 %1"_s.arg(need));
        }
    }

    // 累計: per person the days of each working shift over the period, and their sums.
    void writeTotals() {
        const RosterModel& m = c_.totals;
        SheetWriter w(wb_, formats_, u"累計"_s);
        lxw_format* heading = formats_.get({.bold = true, .centred = true, .border = true});
        lxw_format* cell = formats_.get({.border = true});
        const int shifts = m.cache.workShiftCount();
        w.text(0, 0, u"職員NO"_s, heading);
        w.text(0, 1, u"氏名"_s, heading);
        for (int s = 1; s <= shifts; ++s)
            w.text(0, s + 1, m.cache.workShift(s).abbrev, heading);
        std::vector<int> sums(static_cast<size_t>(shifts) + 1, 0);
        int row = 1;
        for (const auto& [g, slot] : TotalsStaff(m)) {
            const Person& p = m.person(g, slot);
            w.text(row, 0, p.no, cell);
            w.text(row, 1, p.name, cell);
            for (int s = 1; s <= shifts; ++s) {
                const int n =
                    p.cumulative[1][CumulativeTotals::TotalColumn][static_cast<size_t>(s)];
                sums[static_cast<size_t>(s)] += n;
                w.number(row, s + 1, n, cell);
            }
            ++row;
        }
        lxw_format* total = formats_.get({.bold = true, .border = true});
        w.text(row, 0, QString(), total);
        w.text(row, 1, u"合計"_s, total);
        for (int s = 1; s <= shifts; ++s)
            w.number(row, s + 1, sums[static_cast<size_t>(s)], total);
        w.setWidths();
        worksheet_freeze_panes(w.sheet(), 1, 2);
    }

    // 品質: the quality report's per-person table, then its short days.
    void writeQuality() {
        const QualityReport& r = c_.quality;
        SheetWriter w(wb_, formats_, u"品質"_s);
        lxw_format* title = formats_.get({.bold = true, .size = 12});
        lxw_format* heading = formats_.get({.bold = true, .centred = true, .border = true});
        lxw_format* cell = formats_.get({.border = true});
        w.text(0, 0, u"%1 ～ %2 職員別"_s.arg(r.periodStart, r.periodEnd), title, false);
        const QStringList head = QualityPersonHeading(r);
        for (int i = 0; i < head.size(); ++i)
            w.text(1, i, head[i], heading);
        int row = 2;
        for (const auto& f : r.people) {
            const QStringList cells = QualityPersonCells(f);
            // Staff number and name stay text (a number such as 0012 keeps its zeros).
            for (int i = 0; i < cells.size(); ++i) {
                if (i < 2)
                    w.text(row, i, cells[i], cell);
                else
                    w.value(row, i, cells[i], cell);
            }
            ++row;
        }
        worksheet_freeze_panes(w.sheet(), 2, 2);

        row += 1;
        w.text(row++, 0, u"不足日"_s, title, false);
        const QStringList shortHead{u"日付"_s, u"区分"_s, u"シフト"_s, u"必要"_s,
                                    u"配置"_s, u"不足"_s, u"候補"_s};
        for (int i = 0; i < shortHead.size(); ++i)
            w.text(row, i, shortHead[i], heading);
        ++row;
        if (r.shortDays.empty())
            w.text(row++, 0, u"なし"_s, cell);
        for (const auto& e : r.shortDays) {
            QStringList candidates;
            for (const auto& p : e.candidates)
                candidates << u"%1（現在 %2、%3 %4回）"_s.arg(
                    p.name, p.shift.isEmpty() ? u"－"_s : p.shift, e.shiftAbbrev,
                    QString::number(p.shiftCount));
            w.text(row, 0, e.date, cell);
            w.text(row, 1, e.level == 3 ? u"全体"_s : u"グループ%1"_s.arg(e.level), cell);
            w.text(row, 2, e.shiftAbbrev, cell);
            w.number(row, 3, e.required, cell);
            w.number(row, 4, e.assigned, cell);
            w.number(row, 5, std::max(0, e.required - e.assigned), cell);
            w.text(row, 6, candidates.isEmpty() ? u"なし"_s : candidates.join(u' '), cell, false);
            ++row;
        }
        w.setWidths();
    }

    lxw_workbook* wb_;
    const RosterWorkbookContent& c_;
    Formats formats_;
    std::map<QString, const Person*> requests_;
};

QString failed(const QString& path, const QString& reason) {
    return u"Excelファイル「%1」を書き出せませんでした。ディスクの空きと書き込み権限を確認して"
           u"下さい。（%2）"_s.arg(shown(path), reason);
}

} // namespace

QString RosterWorkbookTargetProblem(const QString& path) {
    const QFileInfo info(path);
    if (info.isDir())
        return u"「%1」はフォルダです。Excelファイルの名前を指定して下さい。"_s.arg(shown(path));
    if (!info.absoluteDir().exists())
        return u"Excelファイル「%1」のフォルダがありません。"_s.arg(shown(path));
    // Trying is the only sure test (permissions, read-only disks, a file in the way).
    QSaveFile probe(info.absoluteFilePath());
    if (!probe.open(QIODevice::WriteOnly))
        return u"Excelファイル「%1」に書き込めません。フォルダの権限を確認して下さい。（%2）"_s.arg(
            shown(path), probe.errorString());
    return {}; // the unfinished probe removes its temporary file
}

QString RosterWorkbookDefaultName(const QString& periodStart) {
    return u"勤務表_%1%2.xlsx"_s.arg(periodStart.left(4), periodStart.mid(5, 2));
}

QString WriteRosterWorkbook(const QString& path, const RosterWorkbookContent& content) {
    const QFileInfo target(path);
    // A name of its own beside the target, so that the rename stays on one disk; the library
    // makes the file as any new file is made.
    QString temporary;
    {
        QTemporaryFile reserve(
            target.absoluteDir().filePath(u".%1.XXXXXX"_s.arg(target.fileName())));
        if (!reserve.open())
            return failed(path, reserve.errorString());
        temporary = reserve.fileName();
    }
    const QByteArray temporaryName = QFile::encodeName(temporary);
    lxw_workbook* wb = workbook_new(temporaryName.constData());
    if (wb == nullptr) {
        QFile::remove(temporary);
        return failed(path, u"ファイルを作成できません"_s);
    }
    WorkbookRun(wb, content).write();
    errno = 0;
    const lxw_error closed = workbook_close(wb);
    if (closed != LXW_NO_ERROR) {
        // The system's reason (a full disk) says more than the library's.
        const int reason = errno;
        QFile::remove(temporary);
        return failed(path, QString::fromLocal8Bit(reason != 0 ? std::strerror(reason)
                                                               : lxw_strerror(closed)));
    }
    // Every byte on disk before the name points at it.
    QFile written(temporary);
    if (!written.open(QIODevice::ReadWrite) || !written.flush() || ::fsync(written.handle()) != 0) {
        QFile::remove(temporary);
        return failed(path, written.errorString());
    }
    written.close();
    // A replaced file keeps its permissions.
    if (target.exists())
        QFile::setPermissions(temporary, target.permissions());
    std::error_code error;
    std::filesystem::rename(temporaryName.constData(),
                            QFile::encodeName(target.absoluteFilePath()).constData(), error);
    if (error) {
        QFile::remove(temporary);
        return failed(path, QString::fromStdString(error.message()));
    }
    return {};
}
