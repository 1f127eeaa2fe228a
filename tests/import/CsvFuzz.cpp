#include "CsvFuzz.h"

#include "import/CsvReader.h"
#include "import/ImportError.h"

#include <QFile>

namespace csvtest {

namespace {

QByteArray utf16le(const QString& text)
{
    QByteArray bytes("\xFF\xFE", 2);
    for (const QChar c : text) {
        bytes += char(c.unicode() & 0xFF);
        bytes += char(c.unicode() >> 8);
    }
    return bytes;
}

} // namespace

QVector<QByteArray> fuzzSeeds()
{
    const QByteArray header = "\"TapeNr\";\"Titel\";\"Start\";\"Slut\";\"Varighed\";\"Type\";\"Kopi\";\"Laengde\";\"Kategori\";"
                              "\"Udlaan\";\"Instruktor\";\"Optagetaf\";\"OptagetDato\";\"Fabrikat\"\r\n";
    return {
        header + "\"0001-00\";\"\xC6" "blet \"\"R\xF8" "dt\"\"; to\r\nlinjer\";\"01:30\";\"02:45\";\"01:15:00\";\"VHS\";\"Kopi\";"
                 "\"03:00\";\"B\xF8rnefilm\";\"Ja\";\"S\xF8ren\";\"\xC5se\";\"12.10.2001\";\"Sony\"\r\n"
                 "\"0002-00\";\"Kort\";\"\";\"\";\"\";\"\";\"Original\";\"\";\"\";\"Nej\";\"\";\"\";\"\";\"\"\r\n",
        QByteArray("\xEF\xBB\xBFtapenr,Title,Category,Recorded on\n0001-00,\"Bl\xC3\xA5, \"\"\xC3\xB8je\"\"\",Drama,2001-10-12\n"
                   "0002-00,Kort,,\n"),
        utf16le(QStringLiteral("TapeNr\tTitel\tStart\tSlut\n0001-00\tFilm\t01:30\t02:45\n0002-00\t\"To\r\nlinjer\"\t\t\n")),
    };
}

QByteArray mutate(const QByteArray& seed, std::mt19937& rng)
{
    static const QByteArray specials[] = {"\"", ";", ",", "\t", "\r", "\n", QByteArray(1, '\0'), "\xFF", "\xEF\xBB\xBF",
                                          "\"\"", "\r\n", "\xC3", "\xFE\xFF"};
    QByteArray bytes = seed;
    const auto at = [&](qsizetype size) { return size > 0 ? qsizetype(rng() % quint32(size)) : 0; };
    const int mutations = 1 + int(rng() % 4);
    for (int m = 0; m < mutations; ++m) {
        switch (rng() % 6) {
        case 0:
            if (!bytes.isEmpty())
                bytes[at(bytes.size())] = char(rng());
            break;
        case 1:
            bytes.insert(at(bytes.size() + 1), specials[rng() % std::size(specials)]);
            break;
        case 2: {
            const qsizetype from = at(bytes.size());
            bytes.remove(from, at(bytes.size() - from + 1));
            break;
        }
        case 3: {
            const qsizetype from = at(bytes.size());
            const QByteArray part = bytes.mid(from, at(64) + 1);
            bytes.insert(at(bytes.size() + 1), part.repeated(1 + int(rng() % 8)));
            break;
        }
        case 4:
            bytes.truncate(at(bytes.size() + 1));
            break;
        default: {
            QByteArray noise(1 + at(32), '\0');
            for (char& b : noise)
                b = char(rng());
            bytes.insert(at(bytes.size() + 1), noise);
            break;
        }
        }
    }
    return bytes;
}

qint64 readMutated(const QString& path, const QByteArray& input)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(input) != input.size())
        return -2;
    file.close();
    try {
        import::CsvLimits limits;
        limits.longestField = 256; // small caps, so the limits are reached often
        limits.longestRecord = 1024;
        limits.mostFields = 32;
        import::CsvReader reader(path, limits);
        import::CsvRecord record;
        qint64 records = 0;
        while (reader.next(record)) {
            if (record.problem.isEmpty() == record.fields.isEmpty())
                throw std::logic_error("a record without fields and without a problem, or with both");
            ++records;
        }
        return records;
    } catch (const import::EImportError&) {
        return -1;
    }
}

} // namespace csvtest
