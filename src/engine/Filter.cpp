#include "Filter.h"

#include "Field.h"
#include "core/Errors.h"

namespace engine {

namespace {
class FilterParser {
public:
    explicit FilterParser(const QString& text) : text_(text) {}

    FilterExpression parse()
    {
        FilterExpression result;
        skipBlanks();
        result.field = identifier();
        skipBlanks();
        expect(QLatin1Char('='));
        skipBlanks();
        result.value = quoted();
        skipBlanks();
        if (pos_ != text_.size())
            fail();
        return result;
    }

private:
    [[noreturn]] void fail() const
    {
        throw core::EDatabaseError(QStringLiteral("Invalid filter expression: %1").arg(text_));
    }

    void skipBlanks()
    {
        while (pos_ < text_.size() && text_.at(pos_).isSpace())
            ++pos_;
    }

    void expect(QChar c)
    {
        if (pos_ >= text_.size() || text_.at(pos_) != c)
            fail();
        ++pos_;
    }

    QString identifier()
    {
        const qsizetype start = pos_;
        while (pos_ < text_.size() && (text_.at(pos_).isLetterOrNumber() || text_.at(pos_) == QLatin1Char('_')))
            ++pos_;
        if (pos_ == start)
            fail();
        return text_.mid(start, pos_ - start);
    }

    // 'text', where a doubled quote stands for one quote.
    QString quoted()
    {
        const QChar quote = QLatin1Char('\'');
        expect(quote);
        QString value;
        while (pos_ < text_.size()) {
            const QChar c = text_.at(pos_++);
            if (c != quote) {
                value += c;
                continue;
            }
            if (pos_ < text_.size() && text_.at(pos_) == quote) {
                value += quote;
                ++pos_;
                continue;
            }
            return value;
        }
        fail();
    }

    const QString& text_;
    qsizetype pos_ = 0;
};
} // namespace

FilterExpression parseFilter(const QString& expression)
{
    return FilterParser(expression).parse();
}

QString makeFilter(const QString& field, const QString& value)
{
    QString quoted = value;
    quoted.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QStringLiteral("%1 = '%2'").arg(field, quoted);
}

QVariant filterValue(const Field& field, const QString& text)
{
    try {
        return field.storageValue(text);
    } catch (const core::EConvertError&) {
        return text;
    }
}

} // namespace engine
