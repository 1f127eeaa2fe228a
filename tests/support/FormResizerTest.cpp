// The form resizer on a small window built here: panels, labels, buttons, edits, a bottom
// strip, a picture, a bevel and a grid that fills its panel.
#include "core/Errors.h"
#include "support/Alignment.h"
#include "support/FormResizer.h"
#include "support/Image.h"

#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QTableView>
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <memory>

using support::TFormResizer;
using support::TSingleResizer;

namespace {

QFont pointFont(int points)
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSize(points);
    return font;
}

template <typename W>
W* make(QWidget* parent, const char* name, const QRect& bounds, int points = 0)
{
    auto* widget = new W(parent);
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(bounds);
    if (points > 0)
        widget->setFont(pointFont(points));
    return widget;
}

// The window's resize handler does what the program's windows do: scale, then align.
class TestForm : public QWidget {
public:
    static constexpr int kWidth = 400;
    static constexpr int kHeight = 300;

    TestForm()
    {
        setObjectName(QStringLiteral("TestForm"));
        setFont(pointFont(8));
        resize(kWidth, kHeight);
        Panel1 = make<QWidget>(this, "Panel1", QRect(10, 10, 200, 120), 8);
        Label1 = make<QLabel>(Panel1, "Label1", QRect(8, 8, 10, 10), 10);
        Label1->setText(QStringLiteral("Titel"));
        Label1->adjustSize();
        Edit1 = make<QLineEdit>(Panel1, "Edit1", QRect(8, 30, 150, 21), 9);
        Button1 = make<QPushButton>(Panel1, "Button1", QRect(8, 60, 75, 25), 20);
        Label2 = make<QLabel>(this, "Label2", QRect(220, 10, 150, 40), 8);
        Label2->setWordWrap(true);
        Label2->setText(QStringLiteral("En længere tekst som brydes over flere linjer"));
        Button2 = make<QPushButton>(this, "Button2", QRect(220, 60, 100, 30), 36);
        Bevel1 = make<QFrame>(this, "Bevel1", QRect(220, 100, 100, 2));
        Image1 = make<support::TImage>(this, "Image1", QRect(220, 110, 50, 50));
        Bottom1 = make<QWidget>(this, "Bottom1", QRect(0, 260, kWidth, 40));
        support::setAlign(Bottom1, support::Align::Bottom);
        Button3 = make<QPushButton>(Bottom1, "Button3", QRect(300, 8, 75, 25), 8);
        GridPanel = make<QWidget>(this, "GridPanel", QRect(0, 170, kWidth, 90));
        support::setAlign(GridPanel, support::Align::Client);
        Grid1 = make<QTableView>(GridPanel, "Grid1", QRect(0, 0, kWidth, 90));
        support::setAlign(Grid1, support::Align::Client);
        support::realign(this);
        FormResizer1 = new TFormResizer(this);
        FormResizer1->setObjectName(QStringLiteral("FormResizer1"));
        FormResizer1->setResizeFonts(true);
        FormResizer1->RecordLayout();
    }

    // What a resize handler would run for a new client size.
    void resizeTo(int width, int height)
    {
        resize(width, height);
        FormResizer1->ResizeControls();
        support::realign(this);
    }

    QWidget* Panel1;
    QLabel* Label1;
    QLineEdit* Edit1;
    QPushButton* Button1;
    QLabel* Label2;
    QPushButton* Button2;
    QFrame* Bevel1;
    support::TImage* Image1;
    QWidget* Bottom1;
    QPushButton* Button3;
    QWidget* GridPanel;
    QTableView* Grid1;
    TFormResizer* FormResizer1;
};

struct Look {
    QRect bounds;
    int points;
    bool operator==(const Look& other) const { return bounds == other.bounds && points == other.points; }
};

void PrintTo(const Look& look, std::ostream* out)
{
    *out << look.bounds.x() << "," << look.bounds.y() << " " << look.bounds.width() << "x" << look.bounds.height()
         << " " << look.points << "pt";
}

std::map<std::string, Look> looks(const QWidget& form)
{
    std::map<std::string, Look> result;
    for (const QWidget* child : form.findChildren<QWidget*>())
        if (!child->objectName().isEmpty())
            result[child->objectName().toStdString()] = {child->geometry(), child->font().pointSize()};
    return result;
}

QStringList recordedNames(const TFormResizer& resizer)
{
    QStringList names;
    for (const auto& record : resizer.records())
        names << (record->control ? record->control->objectName() : QStringLiteral("<cleared>"));
    return names;
}

} // namespace

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour)
{
    const struct {
        double value;
        int rounded;
    } cases[] = {{13.5, 14}, {12.5, 12}, {0.5, 0}, {1.5, 2}, {2.5, 2}, {-2.5, -2}, {-3.5, -4},
                 {2.4999, 2}, {2.5001, 3}, {7.0, 7}, {37.5, 38}, {11.0 * 1.1, 12}};
    for (const auto& c : cases)
        EXPECT_EQ(support::roundHalfEven(c.value), c.rounded) << c.value;
}

TEST(FormResizerRecording, TakesNamedControlsDepthFirstInCreationOrder)
{
    TestForm form;
    EXPECT_EQ(recordedNames(*form.FormResizer1),
              QStringList({"Panel1", "Label1", "Edit1", "Button1", "Label2", "Button2", "Bevel1", "Image1",
                           "Bottom1", "Button3", "GridPanel", "Grid1"}));
    EXPECT_EQ(form.FormResizer1->recordedOwnerSize(), QSize(TestForm::kWidth, TestForm::kHeight));
}

TEST(FormResizerRecording, RecordsOnlyOnce)
{
    TestForm form;
    const size_t count = form.FormResizer1->records().size();
    form.FormResizer1->RecordLayout();
    EXPECT_EQ(form.FormResizer1->records().size(), count);
}

TEST(FormResizerRecording, LeavesOutLayoutManagedAndUnnamedWidgets)
{
    QMainWindow window;
    window.resize(300, 200);
    auto* client = new QWidget(&window); // unnamed, placed by the main window's layout
    window.setCentralWidget(client);
    window.menuBar()->setObjectName(QStringLiteral("MainMenu1"));
    make<QPushButton>(client, "Button1", QRect(10, 10, 75, 25));
    new QLabel(QStringLiteral("no name"), client);
    TFormResizer resizer(&window);
    resizer.RecordLayout();
    EXPECT_EQ(recordedNames(resizer), QStringList({"Button1"}));
}

TEST(FormResizerRecording, KnowsWhichControlsHaveAFont)
{
    TestForm form;
    std::map<QString, bool> hasFont;
    for (const auto& record : form.FormResizer1->records())
        hasFont[record->control->objectName()] = record->hasFont;
    EXPECT_FALSE(hasFont["Image1"]);
    EXPECT_FALSE(hasFont["Bevel1"]);
    EXPECT_TRUE(hasFont["Panel1"]);
    EXPECT_TRUE(hasFont["Label1"]);
    EXPECT_TRUE(hasFont["Grid1"]);

    QWidget navigator;
    navigator.setProperty("spkNoFont", true);
    EXPECT_FALSE(support::hasOwnFont(&navigator));
}

TEST(FormResizerScaling, TenPercentLargerAndBackRestoresTheDesignExactly)
{
    TestForm form;
    const auto design = looks(form);
    form.resizeTo(440, 330);
    EXPECT_NE(looks(form), design);
    form.resizeTo(TestForm::kWidth, TestForm::kHeight);
    const auto after = looks(form);
    for (const auto& [name, look] : design) {
        EXPECT_EQ(after.at(name), look) << name;
    }
}

TEST(FormResizerScaling, ManySizesAndBackLeaveNoDrift)
{
    TestForm form;
    const auto design = looks(form);
    for (int step = 1; step <= 7; ++step)
        form.resizeTo(TestForm::kWidth + 37 * step, TestForm::kHeight - 11 * step);
    form.resizeTo(TestForm::kWidth, TestForm::kHeight);
    EXPECT_EQ(looks(form), design);
}

TEST(FormResizerScaling, ControlInAPanelKeepsItsPlaceScaledByTheWindowRatios)
{
    TestForm form;
    form.resizeTo(500, 450); // width ratio 1.25, height ratio 1.5
    // Edit1 was 8, 30, 150, 21 in Panel1: 10, 45, 187.5 -> 188, 31.5 -> 32.
    EXPECT_EQ(form.Edit1->geometry(), QRect(10, 45, 188, 32));
    // Panel1 was 10, 10, 200, 120: 12.5 -> 12, 15, 250, 180.
    EXPECT_EQ(form.Panel1->geometry(), QRect(12, 15, 250, 180));
    EXPECT_EQ(form.Edit1->parentWidget(), form.Panel1);
}

TEST(FormResizerScaling, ClientAlignedControlsAreLeftToTheAlignment)
{
    TestForm form;
    const QRect grid = form.Grid1->geometry();
    const QRect gridPanel = form.GridPanel->geometry();
    form.resize(480, 360);
    form.FormResizer1->ResizeControls();
    EXPECT_EQ(form.Grid1->geometry(), grid);
    EXPECT_EQ(form.GridPanel->geometry(), gridPanel);
    EXPECT_EQ(form.Grid1->font().pointSize(), 8);

    support::realign(&form);
    // The bottom strip got a scaled height (40 * 1.2) and keeps to the bottom at full width;
    // the grid's panel fills the rest.
    EXPECT_EQ(form.Bottom1->geometry(), QRect(0, 360 - 48, 480, 48));
    EXPECT_EQ(form.GridPanel->geometry(), QRect(0, 0, 480, 360 - 48));
    EXPECT_EQ(form.Grid1->geometry(), QRect(QPoint(0, 0), form.GridPanel->size()));
}

TEST(FormResizerScaling, LabelsKeepTheirWidthAndFitTheirText)
{
    TestForm form;
    const int label1Width = form.Label1->width();
    const int label2Width = form.Label2->width();
    form.resizeTo(600, TestForm::kHeight); // only wider: fonts stay
    EXPECT_EQ(form.Label1->width(), label1Width);
    EXPECT_EQ(form.Label2->width(), label2Width);
    EXPECT_EQ(form.Label2->height(), form.Label2->heightForWidth(label2Width));
    EXPECT_EQ(form.Label2->x(), 330); // 220 * 1.5: its place still follows the window
    EXPECT_EQ(form.Button2->width(), 150);

    form.resizeTo(600, 600); // taller: bigger font, the label grows with its text
    EXPECT_EQ(form.Label1->font().pointSize(), 20);
    EXPECT_EQ(form.Label1->size(), form.Label1->sizeHint());
    EXPECT_GT(form.Label1->width(), label1Width);
}

TEST(FormResizerScaling, DataBoundTextLabelsAreTextLabelsToo)
{
    QWidget form;
    form.resize(200, 100);
    auto* dbText = make<QWidget>(&form, "DBText1", QRect(10, 10, 80, 20));
    dbText->setProperty("spkTextLabel", true);
    auto* banner = make<QWidget>(&form, "RxLabel1", QRect(10, 40, 80, 20));
    TFormResizer resizer(&form);
    resizer.RecordLayout();
    EXPECT_FALSE(resizer.records().at(0)->scaleWidth);
    EXPECT_TRUE(resizer.records().at(1)->scaleWidth);
    form.resize(400, 100);
    resizer.ResizeControls();
    EXPECT_EQ(banner->width(), 160);
    EXPECT_NE(dbText->width(), 160);
}

TEST(FormResizerFonts, FollowTheHeightRatioWithinTheBounds)
{
    const struct {
        int designPoints;
        int height; // of a 400 high window
        int minimum;
        int maximum;
        int expected;
        bool resizeFonts = true;
    } cases[] = {
        {8, 200, 8, 48, 8},   // half height: held at the minimum
        {20, 200, 8, 48, 10}, // half height
        {36, 800, 8, 48, 48}, // double height: held at the maximum
        {9, 600, 8, 48, 14},  // 13.5 rounds to 14
        {10, 500, 8, 48, 12}, // 12.5 rounds to 12
        {10, 440, 8, 48, 11},
        {20, 440, 14, 12, 14}, // crossed bounds: the minimum wins
        {6, 440, 14, 12, 14},
        {20, 200, 8, 48, 20, false}, // fonts not resized
    };
    for (const auto& c : cases) {
        QWidget form;
        form.resize(300, 400);
        auto* button = make<QPushButton>(&form, "Button1", QRect(10, 10, 75, 25), c.designPoints);
        TFormResizer resizer(&form);
        resizer.setResizeFonts(c.resizeFonts);
        resizer.setMinFontSize(c.minimum);
        resizer.setMaxFontSize(c.maximum);
        resizer.RecordLayout();
        form.resize(300, c.height);
        resizer.ResizeControls();
        EXPECT_EQ(button->font().pointSize(), c.expected) << c.designPoints << " at " << c.height;
    }
}

TEST(FormResizerFonts, RecordsKeepTheSettingOfTheirRecording)
{
    TestForm form;
    form.FormResizer1->setResizeFonts(false); // the records keep the setting of their recording
    form.resizeTo(400, 600);
    EXPECT_EQ(form.Button1->font().pointSize(), 40);
    EXPECT_EQ(form.Button1->height(), 50);
}

TEST(FormResizerSizes, EnforceMinSizeKeepsTheOwnerAtItsRecordedSize)
{
    TestForm form;
    form.FormResizer1->setEnforceMinSize(true);
    const auto design = looks(form);
    form.resizeTo(200, 350);
    EXPECT_EQ(form.size(), QSize(400, 350));
    form.resizeTo(200, 150);
    EXPECT_EQ(form.size(), QSize(400, 300));
    EXPECT_EQ(looks(form), design);

    form.FormResizer1->setEnforceMinSize(false);
    form.resizeTo(200, 150);
    EXPECT_EQ(form.size(), QSize(200, 150));
}

TEST(FormResizerSizes, ResizeBeforeRecordingDoesNothing)
{
    QWidget form;
    form.resize(200, 100);
    auto* button = make<QPushButton>(&form, "Button1", QRect(10, 10, 75, 25));
    TFormResizer resizer(&form);
    form.resize(400, 200);
    resizer.ResizeControls();
    EXPECT_EQ(button->geometry(), QRect(10, 10, 75, 25));
}

TEST(FormResizerLifetime, DestroyedControlIsClearedAndSkipped)
{
    TestForm form;
    std::vector<QWidget*> notified;
    double heightRatio = 0, widthRatio = 0;
    form.FormResizer1->OnPostResize = [&](TFormResizer* sender, QWidget* comp, double h, double w) {
        EXPECT_EQ(sender, form.FormResizer1);
        notified.push_back(comp);
        heightRatio = h;
        widthRatio = w;
    };
    delete form.Button2;
    EXPECT_EQ(recordedNames(*form.FormResizer1).count(QStringLiteral("<cleared>")), 1);
    form.resizeTo(500, 450);
    EXPECT_EQ(notified.size(), form.FormResizer1->records().size());
    EXPECT_EQ(std::count(notified.begin(), notified.end(), nullptr), 1);
    EXPECT_DOUBLE_EQ(heightRatio, 1.5);
    EXPECT_DOUBLE_EQ(widthRatio, 1.25);
}

TEST(FormResizerErrors, CreationWithoutProperLinksIsRefused)
{
    auto message = [](const std::function<void()>& create) {
        try {
            create();
        } catch (const core::EResizerException& e) {
            return e.message();
        }
        return QStringLiteral("no error");
    };
    QObject plainObject;
    QWidget widget;
    EXPECT_EQ(message([] { TFormResizer r(nullptr); }), QStringLiteral("TFormResizer created without an owner"));
    EXPECT_EQ(message([&] { TFormResizer r(&plainObject); }),
              QStringLiteral("TFormResizer owner must be a panel or form"));
    EXPECT_EQ(message([&] { TSingleResizer r(nullptr, &widget, true, 8, 48); }),
              QStringLiteral("TSingleResizer created without a component link"));
    EXPECT_EQ(message([&] { TSingleResizer r(&widget, nullptr, true, 8, 48); }),
              QStringLiteral("TSingleResizer created without a parent form link"));
    EXPECT_TRUE(plainObject.children().isEmpty());
}
