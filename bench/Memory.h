#pragma once
// Peak memory of the benchmark process: Linux keeps the peak resident size per process and
// lets it be reset, so one operation's peak can be read on its own.
#include <QByteArray>
#include <QFile>
#include <QString>

namespace bench {

inline void resetPeakMemory()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

/// A line of /proc/self/status ("VmRSS:", "VmHWM:") in MB.
inline double memoryMb(const QByteArray& key)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(key.size()).trimmed().split(' ').first().toDouble() / 1024.0;
    return 0;
}

} // namespace bench
