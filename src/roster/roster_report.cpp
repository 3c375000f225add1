#include "roster/roster_report.h"

#include "roster/roster_model.h"

#include <QStringList>

using namespace Qt::Literals::StringLiterals;
using namespace RosterBounds;

namespace {

// Columns as a terminal shows them: full-width characters take two.
int displayWidth(const QString& s) {
    int w = 0;
    for (const QChar c : s) {
        const char16_t u = c.unicode();
        const bool halfKana = u >= 0xFF61 && u <= 0xFF9F;
        w += (u >= 0x1100 && !halfKana) ? 2 : 1;
    }
    return w;
}

QString padded(const QString& s, int width, bool right = false) {
    const QString fill(std::max(0, width - displayWidth(s)), u' ');
    return right ? fill + s : s + fill;
}

// What the creation screen shows in a cell: the rest shift on a closed day, else the request,
// else the generated shift.
QString shownShift(const RosterModel& m, const Cell& c, int d) {
    if (m.isClosed(d))
        return m.cache.restShift;
    return c.requestShift.isEmpty() ? c.shift : c.requestShift;
}

QString jsonString(const QString& s) {
    QString out = u"\""_s;
    for (const QChar c : s) {
        switch (c.unicode()) {
        case u'"':
            out += u"\\\""_s;
            break;
        case u'\\':
            out += u"\\\\"_s;
            break;
        case u'\n':
            out += u"\\n"_s;
            break;
        case u'\r':
            out += u"\\r"_s;
            break;
        case u'\t':
            out += u"\\t"_s;
            break;
        default:
            if (c.unicode() < 0x20)
                out += u"\\u%1"_s.arg(static_cast<int>(c.unicode()), 4, 16, QChar(u'0'));
            else
                out += c;
        }
    }
    return out + u"\""_s;
}

template <typename Fn> QString jsonList(int from, int to, Fn&& item) {
    QStringList parts;
    for (int i = from; i <= to; ++i)
        parts << item(i);
    return u"["_s + parts.join(u", "_s) + u"]"_s;
}

} // namespace

QString RosterReportText(const RosterModel& m) {
    const int last = m.lastDay();
    const int shifts = static_cast<int>(m.cache.workShifts.size());
    constexpr int NameWidth = 22;
    QString out = u"勤務表 %1 ～ %2\n"_s.arg(m.periodStart, m.periodEnd);

    QString dates = padded(u"日付"_s, NameWidth);
    QString weekdays = padded(u"職員NO 氏名"_s, NameWidth);
    for (int d = FirstDay; d <= last; ++d) {
        const QString sep = d == 1 ? u"|"_s : QString();
        dates += sep + padded(m.day(d).dayOfMonth, 3, true);
        const QString mark = (d >= 1 && m.isClosed(d)) ? u"*"_s : u" "_s;
        weekdays += sep + padded(mark + m.day(d).weekdayName, 3, true);
    }
    dates += u" |"_s;
    weekdays += u" |"_s;
    for (int s = 1; s <= shifts; ++s)
        weekdays += padded(m.cache.workShift(s).abbrev, 4, true);
    out += dates + u"\n"_s + weekdays + u"\n"_s;

    for (int g = 1; g <= 2; ++g) {
        for (const Person& p : m.group(g)) {
            QString line =
                padded(p.no + u" "_s + (p.leader == 1 ? u"*"_s : QString()) + p.name, NameWidth);
            for (int d = FirstDay; d <= last; ++d)
                line +=
                    (d == 1 ? u"|"_s : QString()) + padded(shownShift(m, p.cell(d), d), 3, true);
            line += u" |"_s;
            for (int s = 1; s <= shifts; ++s)
                line += padded(QString::number(p.count[static_cast<size_t>(s)]), 4, true);
            out += line + u"\n"_s;
        }
    }

    // Head counts against requirements; "!" marks a short day, closed days stay blank.
    const QString leadGap(5 * 3, u' ');
    for (int level = 1; level <= 3; ++level) {
        if (level == 2 && m.group(2).empty())
            continue;
        const QString block = level == 3 ? u"設定要員数"_s
                                         : (m.teamName[static_cast<size_t>(level)].isEmpty()
                                                ? u"グループ%1"_s.arg(level)
                                                : m.teamName[static_cast<size_t>(level)]);
        out += u"-- "_s + block + u"\n"_s;
        for (int s = 1; s <= shifts; ++s) {
            const QString& abbrev = m.cache.workShift(s).abbrev;
            if (abbrev == m.cache.restShift)
                continue;
            QString have = padded(abbrev + u"勤者"_s, NameWidth) + leadGap + u"|"_s;
            QString need = padded(abbrev + u"必要"_s, NameWidth) + leadGap + u"|"_s;
            for (int d = 1; d <= last; ++d) {
                if (m.isClosed(d) || d > MaxPeriodDay) {
                    have += u"   "_s;
                    need += u"   "_s;
                    continue;
                }
                const int a = m.assigned.at(level, d, s, Figure::Staff);
                const int r = m.requirement.at(level, d, s, Figure::Staff);
                have += padded(QString::number(a) + (a < r ? u"!"_s : u" "_s), 3, true);
                need += padded(QString::number(r) + u" "_s, 3, true);
            }
            out += have + u"\n"_s + need + u"\n"_s;
        }
    }
    return out;
}

QByteArray RosterReportJson(const RosterModel& m) {
    const int last = m.lastDay();
    const int shifts = static_cast<int>(m.cache.workShifts.size());
    const auto number = [](int v) { return QString::number(v); };
    QString out = u"{\"period\": {\"start\": "_s + jsonString(m.periodStart) + u", \"end\": "_s +
                  jsonString(m.periodEnd) + u"},\n"_s;
    out += u" \"shifts\": "_s +
           jsonList(1, shifts, [&](int s) { return jsonString(m.cache.workShift(s).abbrev); }) +
           u",\n"_s;
    out += u" \"days\": "_s +
           jsonList(FirstDay, last,
                    [&](int d) {
                        return u"{\"day\": %1, \"date\": %2, \"holiday\": %3}"_s.arg(
                            number(d), jsonString(m.day(d).date), number(m.day(d).holidayFlag));
                    }) +
           u",\n"_s;
    QStringList staff;
    for (int g = 1; g <= 2; ++g) {
        for (int slot = 1; slot <= m.groupCount(g); ++slot) {
            const Person& p = m.person(g, slot);
            const auto cells = [&](auto field) {
                return jsonList(FirstDay, last, [&](int d) { return field(p.cell(d)); });
            };
            staff << u"{\"group\": %1, \"slot\": %2, \"no\": %3, \"name\": %4"_s.arg(
                         number(g), number(slot), jsonString(p.no), jsonString(p.name)) +
                         u", \"shift\": "_s +
                         cells([&](const Cell& c) { return jsonString(c.shift); }) +
                         u", \"early\": "_s +
                         cells([&](const Cell& c) { return number(c.early); }) +
                         u", \"request\": "_s +
                         cells([&](const Cell& c) { return jsonString(c.requestShift); }) +
                         u", \"unavailable\": "_s +
                         cells([&](const Cell& c) { return number(c.unavailable); }) +
                         u", \"counts\": "_s +
                         jsonList(1, shifts,
                                  [&](int s) { return number(p.count[static_cast<size_t>(s)]); }) +
                         u"}"_s;
        }
    }
    out += u" \"staff\": ["_s + staff.join(u",\n  "_s) + u"],\n"_s;
    QStringList dayCounts;
    for (int level = 1; level <= 3; ++level) {
        for (int s = 1; s <= shifts; ++s) {
            dayCounts << u"{\"level\": %1, \"shift\": %2, \"assigned\": "_s.arg(
                             number(level), jsonString(m.cache.workShift(s).abbrev)) +
                             jsonList(1, last,
                                      [&](int d) {
                                          return number(m.assigned.at(level, d, s, Figure::Staff));
                                      }) +
                             u", \"required\": "_s +
                             jsonList(1, last,
                                      [&](int d) {
                                          return number(
                                              m.requirement.at(level, d, s, Figure::Staff));
                                      }) +
                             u"}"_s;
        }
    }
    out += u" \"dayCounts\": ["_s + dayCounts.join(u",\n  "_s) + u"]}\n"_s;
    return out.toUtf8();
}
