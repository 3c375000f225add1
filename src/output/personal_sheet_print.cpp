#include "output/personal_sheet_print.h"

#include "output/sheet.h"
#include "roster/master_cache.h"
#include "roster/roster_load.h"
#include "roster/roster_model.h"
#include "roster/tallies.h"
#include "store/database.h"
#include "store/records/shift_definition.h"
#include "store/startup_settings.h"

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString SheetFont = u"ＭＳ ゴシック"_s;
constexpr int Black = 0;

// Width in millimetres of one half-width character of the sheet's fixed-pitch font.
double halfWidth(double points) {
    return points * 25.4 / 72 / 2;
}

// A number right-aligned in a field of `width` characters ("##0" is three). A number wider
// than its field is printed whole; `overflow` says by how many characters it juts out to the
// left, so that what follows it stays in place.
struct NumberField {
    QString text;
    int overflow = 0;
};

NumberField numberField(int value, int width) {
    NumberField f{QStringLiteral("%1").arg(value, width), 0};
    f.overflow = std::max(0, static_cast<int>(f.text.size()) - width);
    return f;
}

// The shift a person really had on a day: the actual one where the model holds it apart from
// the plan, else the planned one (a generation-mode load has already put the actual one there).
struct DayShift {
    QString abbrev;
    int mark = 0;
};

DayShift dayShift(const Cell& c) {
    if (!c.actualShift.isEmpty())
        return {c.actualShift, c.actualEarly};
    return {c.shift, c.early};
}

class PersonalSheetRun final {
public:
    PersonalSheetRun(const RosterModel& m, const ShiftNames& names,
                     const std::array<int, 7>& weekdayColour, const QString& title, Sheet& sheet)
        : m_(m), names_(names), weekdayColour_(weekdayColour), title_(title), sheet_(sheet) {}

    void print() {
        sheet_.setOrientation(Sheet::Orientation::Portrait);
        for (int g = 1; g <= 2; ++g) {
            for (int slot = 1; slot <= m_.groupCount(g); ++slot) {
                const Person& p = m_.person(g, slot);
                if (p.name.isEmpty())
                    break;
                // Opens no page before the first drawing, so every person starts a page.
                sheet_.newPage();
                printHeading(p);
                printDays(p);
            }
        }
        sheet_.end();
    }

private:
    void font(double size) {
        sheet_.setFontName(SheetFont);
        sheet_.setFontSize(size);
    }

    // A date of the heading as year "年" month "月" day "日" from x: the year in a "##0" field
    // and month and day in "#0" fields, so a four-digit year reaches left of x.
    void periodDate(double x, double y, const QString& date) {
        const int year = date.left(4).toInt();
        const int month = date.mid(5, 2).toInt();
        const int day = date.mid(8, 2).toInt();
        const NumberField yearField = numberField(year, 3);
        const QString text = yearField.text + u"年"_s + numberField(month, 2).text + u"月"_s +
                             numberField(day, 2).text + u"日"_s;
        sheet_.text(x - yearField.overflow * halfWidth(10), y, text);
    }

    void printHeading(const Person& p) {
        using namespace PersonalSheet;
        sheet_.setForeColor(Black);
        sheet_.setDrawWidth(4);
        sheet_.box(Left, Top, Right, Bottom);
        sheet_.setDrawWidth(3);
        for (int n = 0; n <= MaxLines; ++n)
            sheet_.line(Left, HeadingBottom + LineHeight * n, Right,
                        HeadingBottom + LineHeight * n);
        for (const double x : {ShiftX - 1, MarkX - 1.5, StartX - 2, EndX - 2, NoteX - 2})
            sheet_.line(x, Top, x, Bottom);

        font(16);
        sheet_.text(80, 17, title_);
        font(11);
        sheet_.text(150, 25, p.name.left(NameLength));
        font(10);
        periodDate(20, 25, m_.periodStart);
        sheet_.text(45, 25, u"～"_s);
        periodDate(50, 25, m_.periodEnd);

        font(9);
        sheet_.text(23, 33, u"日付"_s);
        font(10);
        sheet_.text(45, 33, u"ｼﾌﾄ名"_s);
        sheet_.text(MarkX, 31.5, u"早"_s);
        sheet_.text(MarkX, 35.5, u"遅"_s);
        font(9);
        sheet_.text(66, 33, u"開始時間"_s);
        sheet_.text(81, 33, u"終了時間"_s);
        font(10);
        sheet_.text(100, 33, u"行事予定"_s);
    }

    void printDays(const Person& p) {
        using namespace PersonalSheet;
        const int last = std::min(m_.lastDay(), MaxLines);
        for (int d = 1; d <= last; ++d) {
            const DayInfo& day = m_.day(d);
            const double y = lineY(d);
            const int month = day.date.mid(5, 2).toInt();
            const int dayOfMonth = day.date.mid(8, 2).toInt();
            const bool newMonth = d == 1 || m_.day(d - 1).date.mid(5, 2).toInt() != month;

            font(10);
            sheet_.setForeColor(Black);
            QString label = numberField(dayOfMonth, 2).text + u"日"_s;
            if (newMonth)
                label = numberField(month, 2).text + u"月"_s + label;
            sheet_.text(DateX, y, label);
            font(9);
            sheet_.setForeColor(day.headingColour(weekdayColour_));
            sheet_.text(WeekdayX, y, u"("_s + day.weekdayName + u")"_s);
            sheet_.setForeColor(Black);

            font(10);
            const DayShift shift = dayShift(p.cell(d));
            // A long shift name or note is cut at its column's rule, not run over the next.
            sheet_.clippedText(ShiftX, y, MarkX - 1.5, names_.value(shift.abbrev));
            if (shift.mark == 2)
                sheet_.text(MarkX, y, u"早"_s);
            else if (shift.mark == 3)
                sheet_.text(MarkX, y, u"遅"_s);
            if (const int s = m_.cache.workShiftIndex(shift.abbrev); s > 0) {
                const WorkShiftInfo& w = m_.cache.workShift(s);
                const QString& start = shift.mark == 2   ? w.earlyStart
                                       : shift.mark == 3 ? w.lateStart
                                                         : w.start;
                const QString& end = shift.mark == 3   ? w.lateEnd
                                     : shift.mark == 2 ? w.earlyEnd
                                                       : w.end;
                sheet_.text(StartX, y, start);
                sheet_.text(EndX, y, end);
            }
            sheet_.clippedText(NoteX, y, Right, day.note);
        }
    }

    const RosterModel& m_;
    const ShiftNames& names_;
    const std::array<int, 7>& weekdayColour_;
    const QString& title_;
    Sheet& sheet_;
};

} // namespace

void PrintPersonalSheets(const RosterModel& model, const ShiftNames& shiftNames,
                         const std::array<int, 7>& weekdayColour, const QString& title,
                         Sheet& sheet) {
    PersonalSheetRun(model, shiftNames, weekdayColour, title, sheet).print();
}

ShiftNames LoadPersonalSheets(Database& db, const StartupSettings& settings, RosterQuery query,
                              RosterModel& model) {
    Database::Transaction read(db, Database::Transaction::Kind::Read);
    query.purpose = LoadPurpose::PersonalSheets;
    model = LoadRoster(db, settings, query);
    ShiftNames names;
    for (const ShiftDefinition& s : ShiftDefinition::loadAll(db))
        names.insert(s.abbrev, s.name);
    read.commit();
    return names;
}
