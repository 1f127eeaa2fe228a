// The web catalogue in a real browser: headless Chromium driven through chromedriver on
// 127.0.0.1, on a catalogue made up afresh for each run (its seed is printed).
#include "common/TestCatalogue.h"
#include "engine/SortExpression.h"
#include "output/HtmlCatalogue.h"

#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QProcess>
#include <QStandardPaths>
#include <QTcpServer>
#include <QThread>
#include <algorithm>
#include <gtest/gtest.h>
#include <random>

namespace {

// A WebDriver session of chromedriver: just the calls this test needs.
class Browser {
public:
    ~Browser()
    {
        if (!session_.isEmpty())
            call("DELETE", session_);
        driver_.kill();
        driver_.waitForFinished();
    }
    bool start()
    {
        const QString driver = QStandardPaths::findExecutable(QStringLiteral("chromedriver"));
        const QString chromium = QStandardPaths::findExecutable(QStringLiteral("chromium"));
        if (driver.isEmpty() || chromium.isEmpty())
            return false;
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost);
        port_ = probe.serverPort();
        probe.close();
        manager_.setProxy(QNetworkProxy::NoProxy);
        driver_.start(driver, {QStringLiteral("--port=%1").arg(port_)});
        for (int i = 0; i < 100 && !call("GET", QStringLiteral("/status")).isObject(); ++i)
            QThread::msleep(100);
        const QJsonObject options{{"binary", chromium},
                                  {"args", QJsonArray{"--headless=new", "--no-sandbox", "--disable-gpu", "--window-size=1280,800"}}};
        const QJsonObject capabilities{{"alwaysMatch", QJsonObject{{"goog:chromeOptions", options}}}};
        session_ = QStringLiteral("/session/") +
                   call("POST", QStringLiteral("/session"), {{"capabilities", capabilities}})[QStringLiteral("sessionId")].toString();
        return session_.size() > 9;
    }
    QJsonValue call(const QByteArray& verb, const QString& path, const QJsonObject& body = {})
    {
        QNetworkRequest request(QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(port_).arg(path)));
        request.setHeader(QNetworkRequest::ContentTypeHeader, QStringLiteral("application/json"));
        QNetworkReply* reply = manager_.sendCustomRequest(request, verb, verb == "POST" ? QJsonDocument(body).toJson() : QByteArray());
        QEventLoop loop;
        QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
        loop.exec();
        reply->deleteLater();
        return QJsonDocument::fromJson(reply->readAll()).object().value(QStringLiteral("value"));
    }
    void open(const QString& file) { call("POST", session_ + QStringLiteral("/url"), {{"url", QUrl::fromLocalFile(file).toString()}}); }
    QJsonValue run(const QString& script, const QJsonArray& args = {})
    {
        return call("POST", session_ + QStringLiteral("/execute/sync"), {{"script", script}, {"args", args}});
    }
    bool waitFor(const QString& script, const QJsonArray& args = {})
    {
        for (int i = 0; i < 600; ++i, QThread::msleep(100))
            if (run(script, args).toBool())
                return true;
        return false;
    }
    QString element(const QString& css)
    {
        const QJsonObject found = call("POST", session_ + QStringLiteral("/element"), {{"using", "css selector"}, {"value", css}}).toObject();
        return session_ + QStringLiteral("/element/") + (found.isEmpty() ? QString() : found.begin().value().toString());
    }
    const QString& session() const { return session_; }

private:
    QProcess driver_;
    QNetworkAccessManager manager_;
    quint16 port_ = 0;
    QString session_;
};

struct Tape {
    QString number, title, director, description;
    QStringList actors;
    QString haystack() const { return (QStringList{title, director} + actors + QStringList{description}).join(u'\1').toLower(); }
};

const char* const kWords[] = {"regn", "Kyst", "brev", "spejl", "ulv", "skov", "tog", "vals", "nøgle", "Ørken", "hav", "lys"};
const QString kHtmlTitle = QStringLiteral("<img src=x onerror=alert(1)>");

class WebPage : public testing_support::CatalogueTest {
protected:
    std::vector<Tape> makeCatalogue(unsigned seed)
    {
        std::mt19937 random(seed);
        const auto word = [&random] { return QString::fromUtf8(kWords[random() % std::size(kWords)]); };
        std::vector<Tape> tapes;
        for (int i = 0; i < 40; ++i) {
            Tape t{QStringLiteral("%1-00").arg(i + 1, 4, 10, QLatin1Char('0')), word() + u' ' + word(),
                   QStringLiteral("Instruktør ") + word(), word() + u' ' + word() + u' ' + word(), {word() + QStringLiteral(" Hansen")}};
            const QString special[] = {QStringLiteral("Zorro"), QStringLiteral("Åse"), kHtmlTitle, QStringLiteral("zebra")};
            if (i % 10 == 3)
                t.title = special[i / 10];
            addTape(t.number, t.title, {{"Instruktor", t.director}, {"Indhold", t.description}});
            addCast(t.actors.first(), word());
            tapes.push_back(t);
        }
        return tapes;
    }
    // A column's texts as one readable line, so that a failure shows which row is wrong.
    static std::string line(const QStringList& texts) { return texts.join(QStringLiteral(" | ")).toStdString(); }
    QStringList column(Browser& browser, int cell)
    {
        const QJsonValue cells = browser.run(
            QStringLiteral("return [...document.querySelectorAll('#rows tr')].map(r => r.cells[arguments[0]].textContent)"), {cell});
        return cells.toVariant().toStringList();
    }
};

TEST_F(WebPage, SearchSortAndEscapingWorkInChromium)
{
    Browser browser;
    if (!browser.start())
        GTEST_SKIP() << "chromium and chromium-driver are not installed: the web page is not checked in a browser";
    const unsigned seed = std::random_device{}();
    std::cout << "catalogue seed " << seed << std::endl;
    const std::vector<Tape> tapes = makeCatalogue(seed);
    const QString page = folder->file(QStringLiteral("web/index.html"));
    output::HtmlCatalogueOptions options;
    output::writeHtmlCatalogue(dm->database(), folder->file(QStringLiteral("web")), options);
    browser.open(page);
    ASSERT_TRUE(browser.waitFor(QStringLiteral("return !!document.documentElement.dataset.ready")));

    QStringList numbers;
    for (const Tape& t : tapes)
        numbers << t.number;
    EXPECT_EQ(line(column(browser, 0)), line(numbers)) << "the table holds every tape";
    EXPECT_TRUE(column(browser, 1).contains(kHtmlTitle)) << "the title shows as text";
    EXPECT_EQ(browser.run(QStringLiteral("return document.querySelectorAll('main img, main script').length")).toInt(), 0);
    // Every tape is shown: no "Vis flere" beside "40 af 40 bånd".
    EXPECT_EQ(browser.run(QStringLiteral("return getComputedStyle(document.getElementById('more')).display")).toString(),
              QStringLiteral("none"));

    // The first word that some tapes hold and others do not.
    QString word;
    QStringList expected;
    for (const char* w : kWords) {
        word = QString::fromUtf8(w).toLower().left(4);
        expected.clear();
        for (const Tape& t : tapes)
            if (t.haystack().contains(word))
                expected << t.number;
        if (!expected.isEmpty() && expected.size() < int(tapes.size()))
            break;
    }
    browser.call("POST", browser.element(QStringLiteral("#search")) + QStringLiteral("/value"), {{"text", word}});
    ASSERT_TRUE(browser.waitFor(QStringLiteral("return document.getElementById('count').dataset.query === arguments[0]"), {word}));
    EXPECT_EQ(line(column(browser, 0)), line(expected)) << "search for " << word.toStdString();

    browser.open(page);
    ASSERT_TRUE(browser.waitFor(QStringLiteral("return !!document.documentElement.dataset.ready")));
    browser.call("POST", browser.element(QStringLiteral("#heads th:nth-child(2)")) + QStringLiteral("/click"));
    std::vector<Tape> byTitle = tapes;
    std::stable_sort(byTitle.begin(), byTitle.end(), [](const Tape& a, const Tape& b) {
        const QString ka = engine::danishFold(a.title), kb = engine::danishFold(b.title);
        return ka != kb ? ka < kb : a.title < b.title;
    });
    QStringList titles;
    for (const Tape& t : byTitle)
        titles << t.title;
    const QStringList shown = column(browser, 1);
    EXPECT_EQ(line(shown), line(titles));
    EXPECT_GT(shown.indexOf(QStringLiteral("Åse")), shown.indexOf(QStringLiteral("Zorro")));
    EXPECT_EQ(browser.call("GET", browser.session() + QStringLiteral("/alert/text"))[QStringLiteral("error")].toString(),
              QStringLiteral("no such alert"));
}

} // namespace
