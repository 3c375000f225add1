#include "roster/night_settings.h"

#include "store/code_kind.h"
#include "store/records/code_entry.h"
#include "store/text_values.h"

#include <QRegularExpression>
#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int DayMinutes = 24 * 60;

QString timeText(int minutes) {
    return u"%1:%2"_s.arg(minutes / 60, 2, 10, QChar(u'0')).arg(minutes % 60, 2, 10, QChar(u'0'));
}

} // namespace

QString NightSettings::windowText() const {
    return timeText(windowStart) + u"-"_s + timeText(windowEnd);
}

std::optional<int> NightSettings::parseTime(const QString& text) {
    const std::optional<QString> t = TextValues::normaliseTime(text.trimmed());
    if (!t)
        return std::nullopt;
    return t->left(2).toInt() * 60 + t->mid(3, 2).toInt();
}

std::optional<std::pair<int, int>> NightSettings::parseWindow(const QString& text) {
    static const QRegularExpression separator(u"[-~～〜]"_s);
    const QStringList parts = text.split(separator);
    if (parts.size() != 2)
        return std::nullopt;
    const std::optional<int> from = parseTime(parts[0]);
    const std::optional<int> to = parseTime(parts[1]);
    if (!from || !to || *from == *to)
        return std::nullopt;
    return std::pair{*from, *to};
}

NightSettings NightSettings::load(Database& db) {
    NightSettings s;
    if (const auto row = CodeEntry::load(db, CodeKind::TimeDisplay, CodeKind::NightWindowNo)) {
        if (const auto window = parseWindow(row->abbrev)) {
            s.windowStart = window->first;
            s.windowEnd = window->second;
        }
    }
    if (const auto row = CodeEntry::load(db, CodeKind::TimeDisplay, CodeKind::NightMinimumNo)) {
        bool ok = false;
        const double hours = row->abbrev.trimmed().toDouble(&ok);
        if (ok && hours >= 0)
            s.minimumHours = hours;
    }
    return s;
}

int NightSettings::minutesInsideSpan(qint64 from, qint64 to, int firstDay, int lastDay) const {
    const int length =
        windowEnd > windowStart ? windowEnd - windowStart : windowEnd + DayMinutes - windowStart;
    qint64 total = 0;
    for (int d = firstDay; d <= lastDay; ++d) {
        const qint64 ws = qint64(d) * DayMinutes + windowStart;
        const qint64 overlap = std::min(to, ws + length) - std::max(from, ws);
        if (overlap > 0)
            total += overlap;
    }
    return static_cast<int>(total);
}

int NightSettings::minutesInside(int start, int end) const {
    const int stop = end > start ? end : end + DayMinutes;
    return minutesInsideSpan(start, stop, -1, 1);
}
