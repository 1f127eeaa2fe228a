// One-line text boxes: what a box shows of a text that is too long for it.
#include "report/FontMapping.h"
#include "report/ReportItem.h"
#include "report/TextFit.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QImage>
#include <gtest/gtest.h>

using namespace report;

namespace {

struct FitCase {
    const char* text;
    const char* widthOf; // the box is as wide as this text
    const char* expected;
};

class TextFitTest : public ::testing::TestWithParam<FitCase> {
protected:
    QImage device{10, 10, QImage::Format_RGB32};
    QFont font{qtFont(ReportFont{})};

    double widthOf(const QString& text) { return QFontMetricsF(font, &device).horizontalAdvance(text); }
};

TEST_P(TextFitTest, ShowsTheFirstWrappedLine)
{
    const FitCase& c = GetParam();
    const double width = widthOf(QString::fromUtf8(c.widthOf)) + 0.1;
    EXPECT_EQ(fittedLine(QString::fromUtf8(c.text), font, width, &device), QString::fromUtf8(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, TextFitTest,
    ::testing::Values(FitCase{"Alien", "Alien", "Alien"},
                      FitCase{"Alien", "Alien and more", "Alien"},
                      FitCase{"Ringenes Herre: Eventyret om ringen", "Ringenes Herre: Eventyr", "Ringenes Herre:"},
                      FitCase{"Supercalifragilistic", "Supercali", "Supercali"},
                      FitCase{"Første linje\nanden linje", "Første linje og lidt til", "Første linje"},
                      FitCase{"Første\r\nanden", "Første og anden linje", "Første"},
                      FitCase{"", "Alien", ""}));

TEST(TextFit, NothingWhenNotOneCharacterFits)
{
    QImage device(10, 10, QImage::Format_RGB32);
    const QFont font = qtFont(ReportFont{});
    EXPECT_EQ(fittedLine(QStringLiteral("W"), font, 1.0, &device), QString());
    EXPECT_EQ(fittedLine(QStringLiteral("W"), font, 0.0, &device), QString());
}

TEST(FontMapping, DesignFontsUseInstalledLookAlikes)
{
    EXPECT_EQ(installedFamily(QStringLiteral("Arial")), QStringLiteral("Liberation Sans"));
    EXPECT_EQ(installedFamily(QStringLiteral("arial")), QStringLiteral("Liberation Sans"));
    EXPECT_EQ(installedFamily(QStringLiteral("Times New Roman")), QStringLiteral("Liberation Serif"));
    EXPECT_EQ(installedFamily(QStringLiteral("DejaVu Sans")), QStringLiteral("DejaVu Sans"));
    const QFont font = qtFont(ReportFont{QStringLiteral("Arial"), 20, true, Qt::black});
    EXPECT_EQ(QFontInfo(font).family(), QStringLiteral("Liberation Sans"));
    EXPECT_TRUE(font.bold());
    EXPECT_DOUBLE_EQ(font.pointSizeF(), 20.0);
}

} // namespace
