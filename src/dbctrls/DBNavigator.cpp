#include "DBNavigator.h"

#include "Glyphs.h"
#include "RecordActions.h"
#include "core/Guard.h"
#include "engine/Table.h"

#include <QKeyEvent>
#include <QToolButton>

namespace dbctrls {

namespace {
using Button = TDBNavigator::Button;

const QStringList& defaultHints()
{
    static const QStringList hints = {
        QStringLiteral("Første"), QStringLiteral("Forrige"), QStringLiteral("Næste"),
        QStringLiteral("Sidste"), QStringLiteral("Tilføj"), QStringLiteral("Slet"),
        QStringLiteral("Ret"), QStringLiteral("Gem"), QStringLiteral("Fortryd")};
    return hints;
}

Glyph glyphOf(Button button)
{
    static const Glyph glyphs[] = {Glyph::First, Glyph::Prior, Glyph::Next, Glyph::Last, Glyph::Insert,
                                   Glyph::Delete, Glyph::Edit, Glyph::Post, Glyph::Cancel};
    return glyphs[int(button)];
}
} // namespace

TDBNavigator::TDBNavigator(QWidget* parent) : QWidget(parent)
{
    setFocusPolicy(Qt::TabFocus);
    for (int i = 0; i < ButtonCount; ++i) {
        auto* button = new QToolButton(this);
        const auto which = Button(i);
        button->setIcon(glyphIcon(glyphOf(which)));
        button->setFocusPolicy(Qt::NoFocus);
        button->setAutoRaise(false);
        connect(button, &QToolButton::clicked, this, [this, which] { click(which); });
        buttons_[size_t(i)] = button;
        visible_[size_t(i)] = true;
    }
    setHints(QStringList());
    link_.onActiveChanged = [this] { updateButtons(); };
    link_.onDataSetChanged = [this] { updateButtons(); };
    link_.onScrolled = [this] { updateButtons(); };
    link_.onEditingChanged = [this] { updateButtons(); };
    link_.onRecordChanged = [this](engine::Field*) { updateButtons(); };
    updateButtons();
}

void TDBNavigator::setDataSource(engine::DataSource* source)
{
    link_.setDataSource(source);
    updateButtons();
}

void TDBNavigator::setVisibleButtons(const QList<Button>& buttons)
{
    for (int i = 0; i < ButtonCount; ++i) {
        visible_[size_t(i)] = buttons.contains(Button(i));
        buttons_[size_t(i)]->setVisible(visible_[size_t(i)]);
    }
    arrangeButtons();
    updateNames();
}

QList<TDBNavigator::Button> TDBNavigator::visibleButtons() const
{
    QList<Button> result;
    for (int i = 0; i < ButtonCount; ++i)
        if (visible_[size_t(i)])
            result << Button(i);
    return result;
}

void TDBNavigator::setHints(const QStringList& hints)
{
    hints_ = hints;
    for (int i = 0; i < ButtonCount; ++i)
        buttons_[size_t(i)]->setToolTip(buttonHint(Button(i)));
    updateNames();
}

void TDBNavigator::updateNames()
{
    QStringList shown;
    for (int i = 0; i < ButtonCount; ++i) {
        buttons_[size_t(i)]->setAccessibleName(buttonHint(Button(i)));
        if (visible_[size_t(i)])
            shown << buttonHint(Button(i));
    }
    setAccessibleName(shown.join(QStringLiteral(", ")));
}

QString TDBNavigator::buttonHint(Button button) const
{
    const QString hint = hints_.value(int(button));
    return hint.isEmpty() ? defaultHints().at(int(button)) : hint;
}

void TDBNavigator::updateButtons()
{
    const engine::Table* table = link_.activeTable();
    const int row = table ? table->CurrentRow() : -1;
    const int rows = table ? table->RowCount() : 0;
    const bool editing = table && table->Editing();
    const bool up = table && row > 0;
    const bool down = table && row >= 0 && row < rows - 1;
    const bool enabled[ButtonCount] = {up, up, down, down, table != nullptr,
                                       table && table->RecordCount() > 0, table && !editing,
                                       editing, editing};
    for (int i = 0; i < ButtonCount; ++i)
        buttons_[size_t(i)]->setEnabled(enabled[i]);
}

void TDBNavigator::act(engine::Table& table, Button button)
{
    switch (button) {
    case Button::First: table.First(); break;
    case Button::Prior: table.Prior(); break;
    case Button::Next: table.Next(); break;
    case Button::Last: table.Last(); break;
    case Button::Insert: table.Insert(); break;
    case Button::Delete: confirmAndDelete(table); break;
    case Button::Edit: table.Edit(); break;
    case Button::Post: table.Post(); break;
    case Button::Cancel: table.Cancel(); break;
    }
}

void TDBNavigator::click(Button button)
{
    core::guarded([&] {
        engine::Table* table = link_.activeTable();
        if (!table)
            return;
        act(*table, button);
        emit clicked(button);
    });
    core::guarded([this] { updateButtons(); });
}

void TDBNavigator::arrangeButtons()
{
    QList<QToolButton*> shown;
    for (int i = 0; i < ButtonCount; ++i)
        if (visible_[size_t(i)])
            shown << buttons_[size_t(i)];
    if (shown.isEmpty())
        return;
    // The width is shared evenly; the pixels left over go to the first buttons.
    const int each = width() / int(shown.size());
    const int spare = width() % int(shown.size());
    int left = 0;
    for (int i = 0; i < shown.size(); ++i) {
        const int w = each + (i < spare ? 1 : 0);
        shown[i]->setGeometry(left, 0, w, height());
        left += w;
    }
    const int side = qBound(8, qMin(each, height()) - 8, 16);
    for (QToolButton* button : shown)
        button->setIconSize(QSize(side, side));
}

void TDBNavigator::resizeEvent(QResizeEvent* event)
{
    core::guarded([&] {
        QWidget::resizeEvent(event);
        arrangeButtons();
    });
}

void TDBNavigator::keyPressEvent(QKeyEvent* event)
{
    core::guarded([&] {
        // Every shown button has its key, so the keyboard reaches what the mouse does.
        static const std::pair<int, Button> keys[] = {
            {Qt::Key_Home, Button::First},     {Qt::Key_Left, Button::Prior},     {Qt::Key_Right, Button::Next},
            {Qt::Key_End, Button::Last},       {Qt::Key_Insert, Button::Insert},  {Qt::Key_Delete, Button::Delete},
            {Qt::Key_F2, Button::Edit},        {Qt::Key_Return, Button::Post},    {Qt::Key_Enter, Button::Post},
            {Qt::Key_Escape, Button::Cancel}};
        for (const auto& [key, button] : keys)
            if (event->key() == key && visible_[size_t(button)]) {
                const bool enabled = buttons_[size_t(button)]->isEnabled();
                if (!enabled && (button == Button::Post || button == Button::Cancel))
                    break; // Enter and Escape then go on to the window
                if (enabled)
                    click(button);
                event->accept();
                return;
            }
        QWidget::keyPressEvent(event);
    });
}

} // namespace dbctrls
