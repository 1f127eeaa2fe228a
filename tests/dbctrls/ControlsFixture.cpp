#include "ControlsFixture.h"

#include "core/Dialogs.h"
#include "engine/Field.h"

#include <QApplication>
#include <QMutex>
#include <QTest>

namespace dbctrlstest {

void ControlsTest::SetUp()
{
    ProgramTest::SetUp();
    db = std::make_unique<engine::Database>(folder->dataDir());
    window = std::make_unique<QWidget>();
    window->resize(800, 600);
}

void ControlsTest::TearDown()
{
    expectNoErrorsLeft();
    window.reset();
    sources.clear();
    tables.clear();
    db.reset();
}

engine::Table& ControlsTest::open(const QString& fileName)
{
    tables.push_back(std::make_unique<engine::Table>(*db, fileName));
    engine::Table& table = *tables.back();
    sources.push_back(std::make_unique<engine::DataSource>(&table));
    table.Open();
    return table;
}

engine::DataSource* ControlsTest::sourceOf(engine::Table& table)
{
    for (const auto& source : sources)
        if (source->DataSet() == &table)
            return source.get();
    return nullptr;
}

void ControlsTest::addTape(const QString& tapeNr, const QString& title,
                           std::initializer_list<std::pair<const char*, QString>> fields)
{
    engine::Table* video = nullptr;
    for (const auto& table : tables)
        if (table->TableName() == QLatin1String("Video.db"))
            video = table.get();
    ASSERT_NE(video, nullptr);
    video->Insert();
    setText(*video, "TapeNr", tapeNr);
    setText(*video, "Titel", title);
    for (const auto& [field, value] : fields)
        setText(*video, field, value);
    video->Post();
}

void ControlsTest::addLookup(engine::Table& table, const QString& value)
{
    table.Insert();
    table.Fields(0).SetAsString(value);
    table.Post();
}

void ControlsTest::fillTapes(int count)
{
    const QString schema = db->attach(QStringLiteral("Video.db"));
    db->exec(QStringLiteral("INSERT INTO \"%1\".Video(TapeNr, Titel) "
                            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %2) "
                            "SELECT printf('%06d-00', i), 'Titel ' || i FROM n")
                 .arg(schema)
                 .arg(count));
}

QString ControlsTest::text(engine::Table& table, const char* field)
{
    return table.FieldByName(QString::fromLatin1(field)).AsString();
}

void ControlsTest::setText(engine::Table& table, const char* field, const QString& value)
{
    table.FieldByName(QString::fromLatin1(field)).SetAsString(value);
}

void ControlsTest::showWindow()
{
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
}

namespace {
QMutex warningsLock;
QStringList collected;
QtMessageHandler previous = nullptr;

void collect(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtWarningMsg || type == QtCriticalMsg) {
        QMutexLocker lock(&warningsLock);
        collected << message;
    }
    if (previous)
        previous(type, context, message);
}
} // namespace

WarningCollector::WarningCollector()
{
    collected.clear();
    previous = qInstallMessageHandler(collect);
}

WarningCollector::~WarningCollector()
{
    qInstallMessageHandler(previous);
}

QStringList WarningCollector::warnings() const
{
    QMutexLocker lock(&warningsLock);
    return collected;
}

} // namespace dbctrlstest
