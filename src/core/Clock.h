#pragma once
// The source of the current time. Windows take one so that tests can move time
// on without sleeping.

#include <QDateTime>

class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const { return QDateTime::currentDateTime(); }
    // The same instant without the time zone: the once-a-second clock reads
    // this, and a local time costs a look at the zone file on every call.
    virtual qint64 msecsSinceEpoch() const { return QDateTime::currentMSecsSinceEpoch(); }
};

class ManualClock : public Clock {
public:
    explicit ManualClock(QDateTime start) : m_now(std::move(start)) {}
    QDateTime now() const override { return m_now; }
    qint64 msecsSinceEpoch() const override { return m_now.toMSecsSinceEpoch(); }
    void advanceSeconds(qint64 s) { m_now = m_now.addSecs(s); }
    void set(const QDateTime& t) { m_now = t; }

private:
    QDateTime m_now;
};
