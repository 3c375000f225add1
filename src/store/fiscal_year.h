#pragma once

#include <QDate>
#include <QString>
#include <optional>

class Database;

// The workplace's business year: from the month and day kept in the code master to one day
// before the same day a year later.
struct FiscalYear final {
    // The first month and day of every fiscal year.
    struct Start final {
        int month = 4;
        int day = 1;
        // That month and day in `year`; a 02/29 start falls on 02/28 in a common year.
        QDate in(int year) const;
    };

    QDate start;
    QDate end; // inclusive

    // "m/d" or "mm/dd" (spaces around it ignored); nothing for anything else, 13/01 or 04/31.
    static std::optional<Start> parseStart(const QString& text);
    // The start kept in the code master; nothing when the row is missing or unreadable.
    static std::optional<Start> loadStart(Database& db);

    // The fiscal year that begins in `year`.
    static FiscalYear beginningIn(const Start& s, int year);
    // The fiscal year that contains `day`.
    static FiscalYear containing(const Start& s, const QDate& day);

    bool contains(const QDate& day) const { return day >= start && day <= end; }
    QString startText() const; // "yyyy/mm/dd"
    QString endText() const;
};
