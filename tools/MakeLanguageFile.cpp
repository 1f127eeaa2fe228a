// Assembles a language file from UTF-8 section fragments: writes them one after another as
// Windows-1252 bytes with CR LF line ends, the format the program reads.
#include "core/Win1252.h"

#include <QFile>
#include <QString>
#include <cstdio>

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: spolarkiv-mklang OUT.lng FRAGMENT...\n");
        return 2;
    }
    QByteArray out;
    for (int i = 2; i < argc; ++i) {
        QFile fragment(QString::fromLocal8Bit(argv[i]));
        if (!fragment.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "spolarkiv-mklang: cannot read %s\n", argv[i]);
            return 1;
        }
        QString text = QString::fromUtf8(fragment.readAll());
        text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        if (!text.endsWith(QLatin1Char('\n')))
            text += QLatin1Char('\n');
        text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
        const QByteArray bytes = core::win1252::encode(text);
        if (bytes.contains('?') && !text.contains(QLatin1Char('?'))) {
            std::fprintf(stderr, "spolarkiv-mklang: %s holds characters Windows-1252 lacks\n", argv[i]);
            return 1;
        }
        out += bytes;
    }
    QFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(out) != out.size()) {
        std::fprintf(stderr, "spolarkiv-mklang: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
