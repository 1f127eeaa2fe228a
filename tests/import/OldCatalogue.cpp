#include "OldCatalogue.h"

#include "ParadoxWriter.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QTime>

namespace paradoxtest {

namespace {

FieldSpec alpha(const char* name, int size)
{
    return FieldSpec{QString::fromLatin1(name), ParadoxType::Alpha, size, 0};
}

FieldSpec typed(const char* name, ParadoxType type, int size = 0)
{
    return FieldSpec{QString::fromLatin1(name), type, size, 0};
}

QVector<FieldSpec> videoFields()
{
    return {alpha("TapeNr", 7),   alpha("Titel", 60),         typed("Start", ParadoxType::Time),
            alpha("Slut", 5),     alpha("Varighed", 8),       alpha("Type", 20),
            alpha("Kopi", 10),    alpha("Laengde", 5),        alpha("Kategori", 30),
            typed("Udlaan", ParadoxType::Logical),             alpha("Instruktor", 40),
            alpha("Optagetaf", 30), typed("OptagetDato", ParadoxType::Date), alpha("Fabrikat", 20),
            typed("Indhold", ParadoxType::Memo, 60),           typed("Pris", ParadoxType::Currency)};
}

QString text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

TableSpec videoTable()
{
    TableSpec spec;
    spec.name = QStringLiteral("VIDEO");
    spec.mbFileName = QStringLiteral("video.mb");
    spec.versionId = 9;
    spec.codePage = 865;
    spec.sortOrder = QStringLiteral("nordan40");
    spec.keyFields = 1;
    spec.fields = videoFields();
    const QString longMemo = QString(3000, QLatin1Char('x')) + QStringLiteral("\r\nslut");
    spec.rows = {
        {text("0001-00"), text("Drømmen om Ærø"), QTime(1, 30), text("02:45"), text("99:99:99"), text("VHS"),
         text("Original"), text("03:00"), text("Drama"), false, text("Ivar Ågesen"), text("Far"), QDate(2001, 10, 12),
         text("Sony"), text("Første linje\r\nAnden linje\rTredje"), 49.5},
        {text("0002-00"), text("Færgen"), QVariant(), QVariant(), text("01:00:00"), text("DVD"), text("Kopi"),
         QVariant(), text("Gyser"), true, QVariant(), text("Bjørn"), QVariant(), QVariant(), longMemo, QVariant()},
        {text("0001-00"), text("Dobbelt nummer"), QTime(2, 0), text("03:00"), QVariant(), QVariant(), QVariant(),
         QVariant(), QVariant(), false, QVariant(), QVariant(), QVariant(), QVariant(), QVariant(), QVariant()},
        {QVariant(), text("Uden nummer"), QVariant(), QVariant(), QVariant(), QVariant(), QVariant(), QVariant(),
         QVariant(), false, QVariant(), QVariant(), QVariant(), QVariant(), QVariant(), QVariant()},
        {text("0003-00"), text("Sent"), QTime(23, 0), text("00:30"), QVariant(), QVariant(), QVariant(), QVariant(),
         text("drama"), false, QVariant(), QVariant(), QDate(1987, 1, 15), QVariant(), QVariant(), QVariant()},
        {text("0004-00"), text("Forkert slut"), QTime(1, 0), text("25:00"), QVariant(), QVariant(), QVariant(),
         QVariant(), QVariant(), false, QVariant(), QVariant(), QVariant(), QVariant(), QVariant(), QVariant()},
    };
    return spec;
}

TableSpec lookupTable(const char* name, const char* file, const QStringList& values)
{
    TableSpec spec;
    spec.name = QString::fromLatin1(file);
    spec.dbSuffix = QStringLiteral(".db");
    spec.versionId = 9;
    spec.codePage = 865;
    spec.keyFields = 1;
    spec.fields = {alpha(name, 30)};
    for (const QString& value : values)
        spec.rows.push_back({value});
    return spec;
}

TableSpec castTable()
{
    TableSpec spec;
    spec.name = QStringLiteral("Medvirker");
    spec.dbSuffix = QStringLiteral(".db");
    spec.versionId = 4;
    spec.codePage = 865;
    spec.sortByte = 0x82; // a 3.5 table states no code page: the Nordic sort order means 865
    spec.fields = {alpha("Tapenr", 7), alpha("Titel", 60), alpha("Skuespiller", 40), alpha("Rolle", 40)};
    spec.rows = {{text("0001-00"), text("Drømmen om Ærø"), text("Bodil Ørsted"), text("Mor")},
                 {text("0001-00"), text("Drømmen om Ærø"), text("Ole"), QVariant()},
                 {text("0002-00"), text("Færgen"), QVariant(), text("Statist")}};
    return spec;
}

TableSpec loanTable()
{
    TableSpec spec;
    spec.name = QStringLiteral("Udlaan");
    spec.dbSuffix = QStringLiteral(".db");
    spec.versionId = 12;
    spec.codePage = 1252;
    spec.fields = {alpha("Tapenr", 7), typed("Dato", ParadoxType::Date), alpha("Navn", 40), alpha("Telefon", 20),
                   typed("Returneret", ParadoxType::Logical)};
    spec.rows = {{text("0002-00"), QDate(2003, 4, 5), text("Søren"), text("12 34 56 78"), true},
                 // Lent today: due in a loan period, so no window asks about overdue loans.
                 {text("0001-00"), QDate::currentDate(), text("Ole"), QVariant(), false}};
    return spec;
}

TableSpec configTable()
{
    TableSpec spec;
    spec.name = QStringLiteral("Config");
    spec.versionId = 9;
    spec.codePage = 865;
    for (const char* name : {"H_Main", "W_Main", "Sprog", "H_Over", "W_Over", "H_Reg", "W_Reg"})
        spec.fields.push_back(typed(name, ParadoxType::Short));
    spec.rows = {{qint64(650), qint64(900), qint64(0), qint64(500), qint64(930), qint64(560), qint64(1010)}};
    return spec;
}

} // namespace

OldCatalogue writeOldCatalogue(const QString& root)
{
    const OldCatalogue old{root};
    QDir().mkpath(old.dataFolder());
    QDir().mkpath(old.picturesFolder());
    writeTable(old.dataFolder(), videoTable());
    writeTable(old.dataFolder(), lookupTable("Kategori", "Kategori", {text("Drama"), text("Gyser")}));
    writeTable(old.dataFolder(), lookupTable("Type", "Type", {text("VHS")}));
    writeTable(old.dataFolder(), lookupTable("Optagetaf", "Optagetaf", {text("Far")}));
    writeTable(old.dataFolder(), lookupTable("Skuespiller", "Skuespiller", {text("Bodil Ørsted")}));
    writeTable(old.dataFolder(), castTable());
    writeTable(old.dataFolder(), loanTable());
    writeTable(old.dataFolder(), configTable());
    // Instruktor.db is missing on purpose. Windows wrote picture names in any case.
    for (const QString& name : {QStringLiteral("FRONT0001-00.JPG"), QStringLiteral("Back0001-00.jpg"),
                                QStringLiteral("Front0002-00.jpg")}) {
        QFile picture(old.picturesFolder() + QLatin1Char('/') + name);
        if (picture.open(QIODevice::WriteOnly))
            picture.write("old picture " + name.toUtf8());
    }
    return old;
}

void writeLargeOldCatalogue(const QString& dataFolder, int tapes, int descriptionBytes)
{
    QDir().mkpath(dataFolder);
    TableSpec video = videoTable();
    video.rows.clear();
    TableSpec cast = castTable();
    cast.rows.clear();
    const QString description = QString(descriptionBytes, QLatin1Char('d'));
    for (int i = 1; i <= tapes; ++i) {
        const QString number = QStringLiteral("%1-00").arg(i, 4, 10, QLatin1Char('0'));
        video.rows.push_back({number, QStringLiteral("Film %1").arg(i), QTime(1, 30), text("03:00"), QVariant(),
                              text("VHS"), text("Original"), text("02:00"), text("Drama"), false, text("Instruktør"),
                              text("Far"), QDate(2000, 1, 1).addDays(i % 5000), text("Sony"), description, QVariant()});
        for (int c = 0; c < 3; ++c)
            cast.rows.push_back({number, QStringLiteral("Film %1").arg(i), QStringLiteral("Skuespiller %1").arg(i % 997 + c),
                                 text("Rolle")});
    }
    writeTable(dataFolder, video);
    writeTable(dataFolder, cast);
}

} // namespace paradoxtest
