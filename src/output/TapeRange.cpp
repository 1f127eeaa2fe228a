#include "TapeRange.h"

#include <algorithm>
#include <utility>

namespace output {

namespace {

struct NumberKey {
    bool valid = false;
    qint64 number = 0;
    qint64 copy = -1; // -1: no dash part
};

qint64 digitsAt(const QString& text, int& at)
{
    qint64 value = 0;
    int count = 0;
    // At most 18 digits, as the next tape number reads them; more cannot overflow then.
    for (; at < text.size() && text.at(at).isDigit() && text.at(at).unicode() < 128; ++at)
        if (count++ < 18)
            value = value * 10 + (text.at(at).unicode() - '0');
    return value;
}

NumberKey keyOf(const QString& text)
{
    NumberKey key;
    const QString t = text.trimmed();
    int at = 0;
    key.number = digitsAt(t, at);
    key.valid = at > 0;
    if (key.valid && at + 1 < t.size() && t.at(at) == QLatin1Char('-') && t.at(at + 1).isDigit()) {
        ++at;
        key.copy = digitsAt(t, at);
    }
    return key;
}

} // namespace

bool TapeRange::isBound(const QString& text)
{
    return keyOf(text).valid;
}

bool TapeRange::contains(const QString& tapeNr) const
{
    if (isOpen())
        return true;
    const NumberKey tape = keyOf(tapeNr);
    if (!tape.valid)
        return false;
    const auto place = [](const NumberKey& key) { return std::make_pair(key.number, std::max<qint64>(key.copy, 0)); };
    if (!from.isEmpty() && place(tape) < place(keyOf(from)))
        return false;
    if (!to.isEmpty()) {
        const NumberKey high = keyOf(to);
        if (high.copy < 0 ? tape.number > high.number : place(tape) > place(high))
            return false;
    }
    return true;
}

} // namespace output
