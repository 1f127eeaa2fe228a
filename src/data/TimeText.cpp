#include "TimeText.h"

#include "core/Errors.h"

#include <cmath>

namespace data {

namespace {

class TimeScanner {
public:
    explicit TimeScanner(const QString& text) : s_(text) {}

    void skipBlanks()
    {
        while (pos_ < s_.size() && s_.at(pos_) == QLatin1Char(' '))
            ++pos_;
    }
    bool atEnd() const { return pos_ >= s_.size(); }
    // Digits as the platform's scanner reads them: it stops once the value reaches 1000.
    bool number(int& value)
    {
        skipBlanks();
        const int start = pos_;
        value = 0;
        while (pos_ < s_.size() && s_.at(pos_).isDigit() && s_.at(pos_).unicode() < 128 && value < 1000)
            value = value * 10 + (s_.at(pos_++).unicode() - '0');
        return pos_ > start;
    }
    bool separator()
    {
        skipBlanks();
        if (pos_ < s_.size() && s_.at(pos_) == QLatin1Char(':')) {
            ++pos_;
            return true;
        }
        return false;
    }
    // 0 none, 1 AM, 2 PM
    int meridiem()
    {
        skipBlanks();
        const QString rest = s_.mid(pos_).toUpper();
        for (const auto& [marker, kind] : {std::pair{QStringLiteral("AM"), 1}, std::pair{QStringLiteral("PM"), 2}})
            if (rest.startsWith(marker)) {
                pos_ += marker.size();
                return kind;
            }
        return 0;
    }

private:
    QString s_;
    int pos_ = 0;
};

bool scanTime(const QString& text, int& h, int& m, int& s)
{
    TimeScanner scan(text);
    m = s = 0;
    if (!scan.number(h))
        return false;
    if (scan.separator()) {
        if (!scan.number(m))
            return false;
        if (scan.separator() && !scan.number(s))
            return false;
    }
    const int marker = scan.meridiem();
    scan.skipBlanks();
    if (!scan.atEnd())
        return false;
    if (marker != 0) {
        if (h > 12)
            return false;
        h = (h % 12) + (marker == 2 ? 12 : 0);
    }
    return h < 24 && m < 60 && s < 60;
}

} // namespace

double parseTime(const QString& text)
{
    int h = 0, m = 0, s = 0;
    if (!scanTime(text, h, m, s))
        throw core::EConvertError(core::invalidTimeMessage(text));
    return (h * 3600.0 + m * 60.0 + s) / 86400.0;
}

QString longTimeText(double dayFraction)
{
    const double value = std::fabs(dayFraction);
    const double timeOfDay = value - std::floor(value);
    qint64 ms = std::llround(timeOfDay * 86400000.0) % 86400000;
    const int h = int(ms / 3600000);
    ms %= 3600000;
    const int m = int(ms / 60000);
    const int s = int((ms % 60000) / 1000);
    return QStringLiteral("%1:%2:%3")
        .arg(h, 2, 10, QLatin1Char('0'))
        .arg(m, 2, 10, QLatin1Char('0'))
        .arg(s, 2, 10, QLatin1Char('0'));
}

QString durationText(const QString& start, const QString& end)
{
    const double endTime = parseTime(end);
    const double startTime = parseTime(start);
    return longTimeText(endTime - startTime);
}

QString normalizeTimeEntry(const QString& text)
{
    const QString t = text.trimmed();
    if (t.size() != 4)
        return text;
    for (QChar c : t)
        if (c.unicode() < '0' || c.unicode() > '9')
            return text;
    return t.left(2) + QLatin1Char(':') + t.mid(2);
}

} // namespace data
