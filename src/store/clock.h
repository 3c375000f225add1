#pragma once

#include <QDate>

// Where "today" comes from, so ages, default dates and spans can be tested.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDate today() const = 0;
};

class SystemClock final : public Clock {
public:
    QDate today() const override { return QDate::currentDate(); }
};

class FixedClock final : public Clock {
public:
    explicit FixedClock(QDate day) : day_(day) {}
    QDate today() const override { return day_; }
    void set(QDate day) { day_ = day; }

private:
    QDate day_;
};
