#include "DBLookupComboBox.h"

#include "DBLookupListModel.h"
#include "LookupAccessible.h"
#include "ShownText.h"
#include "core/Guard.h"
#include "engine/Field.h"
#include "engine/Table.h"

#include <QCoreApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QListView>
#include <QScreen>
#include <QStyleOptionComboBox>
#include <QStylePainter>
#include <QVBoxLayout>
#include <QWheelEvent>

namespace dbctrls {

TDBLookupComboBox::TDBLookupComboBox(QWidget* parent)
    : QComboBox(parent), model_(new TDBLookupListModel(this))
{
    setEditable(false);
    // Sizing to the contents would read every row of the list.
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMinimumContentsLength(1);
    setModel(model_);
    TLookupAccessible::install();
    link_.onDataChange = [this] { showField(); };
    connect(this, &QComboBox::activated, this, [this](int row) { core::guarded([&] { chooseRow(row); }); });
    buildPopup();
}

TDBLookupComboBox::~TDBLookupComboBox() = default;

void TDBLookupComboBox::buildPopup()
{
    popup_ = new QFrame(this, Qt::Popup);
    popup_->setAttribute(Qt::WA_NoMouseReplay);
    popup_->setFrameShape(QFrame::Box);
    auto* layout = new QVBoxLayout(popup_);
    layout->setContentsMargins(1, 1, 1, 1);
    view_ = new QListView(popup_);
    view_->setUniformItemSizes(true);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view_->setSelectionMode(QAbstractItemView::SingleSelection);
    view_->setMouseTracking(true);
    view_->setModel(model_);
    layout->addWidget(view_);
    view_->installEventFilter(this);
    connect(view_, &QListView::clicked, this, [this](const QModelIndex& index) {
        core::guarded([&] {
            hidePopup();
            chooseRow(index.row());
        });
    });
    connect(view_, &QListView::entered, this, [this](const QModelIndex& index) {
        core::guarded([&] { view_->setCurrentIndex(index); });
    });
}

void TDBLookupComboBox::setDataSource(engine::DataSource* source)
{
    link_.setDataSource(source);
    link_.reset();
}

void TDBLookupComboBox::setDataField(const QString& name)
{
    link_.setFieldName(name);
}

void TDBLookupComboBox::setListSource(engine::DataSource* source)
{
    model_->setListSource(source);
    update();
}

engine::DataSource* TDBLookupComboBox::listSource() const
{
    return model_->listSource();
}

void TDBLookupComboBox::setKeyField(const QString& name)
{
    model_->setKeyField(name);
    update();
}

void TDBLookupComboBox::setListField(const QString& name)
{
    model_->setListField(name);
    update();
}

void TDBLookupComboBox::setDropDownRows(int rows)
{
    dropDownRows_ = qMax(1, rows);
    setMaxVisibleItems(dropDownRows_);
}

void TDBLookupComboBox::setKeyValue(const QString& key)
{
    keyValue_ = key;
    update();
}

QString TDBLookupComboBox::shownText() const
{
    if (model_->keyField().compare(model_->listField(), Qt::CaseInsensitive) == 0)
        return keyValue_;
    return model_->textAt(model_->rowOfKey(keyValue_));
}

void TDBLookupComboBox::showField()
{
    if (!link_.dataSource())
        return;
    engine::Field* field = link_.field();
    setKeyValue(field ? field->AsString() : QString());
}

void TDBLookupComboBox::chooseRow(int row)
{
    if (row < 0 || row >= model_->rowCount())
        return;
    const QString key = model_->keyAt(row);
    if (link_.dataSource()) {
        if (!link_.edit())
            return;
        engine::Field* field = link_.field();
        if (field->AsString() != key)
            field->SetAsString(key);
    } else {
        setKeyValue(key);
        if (engine::Table* list = model_->table(); list && !key.isEmpty())
            list->Locate(model_->keyField(), key);
    }
    emit chosen(key);
}

void TDBLookupComboBox::syncCurrentIndex()
{
    // Keyboard steps in the closed list go from the shown value.
    const int row = model_->rowOfKey(keyValue_);
    if (row != currentIndex())
        setCurrentIndex(row);
}

bool TDBLookupComboBox::dropDownVisible() const
{
    return popup_->isVisible();
}

void TDBLookupComboBox::placePopup()
{
    const int rows = qBound(1, model_->rowCount(), dropDownRows_);
    const int rowHeight = qMax(view_->sizeHintForRow(0), fontMetrics().height());
    const int frame = 2 * popup_->frameWidth() + 2 * view_->frameWidth() + 2;
    popup_->resize(width(), rows * rowHeight + frame);
    QPoint at = mapToGlobal(QPoint(0, height()));
    if (const QScreen* screen = this->screen()) {
        const QRect room = screen->availableGeometry();
        if (at.y() + popup_->height() > room.bottom())
            at.setY(mapToGlobal(QPoint(0, 0)).y() - popup_->height());
    }
    popup_->move(at);
}

void TDBLookupComboBox::showPopup()
{
    core::guarded([this] {
        if (model_->rowCount() == 0)
            return;
        const int row = model_->rowOfKey(keyValue_);
        placePopup();
        if (row >= 0) {
            view_->setCurrentIndex(model_->index(row));
            view_->scrollTo(model_->index(row), QAbstractItemView::PositionAtCenter);
        } else {
            view_->clearSelection();
            view_->setCurrentIndex(QModelIndex());
            view_->scrollToTop();
        }
        view_->setAccessibleName(labelledName(this)); // the drop-down is read out as its list
        popup_->show();
        view_->setFocus(Qt::PopupFocusReason);
    });
}

void TDBLookupComboBox::hidePopup()
{
    core::guarded([this] {
        popup_->hide();
        QComboBox::hidePopup();
    });
}

void TDBLookupComboBox::setTypingTarget(QWidget* edit)
{
    if (typingTarget_)
        typingTarget_->removeEventFilter(this);
    typingTarget_ = edit;
    setFocusPolicy(edit ? Qt::NoFocus : Qt::WheelFocus);
    if (edit)
        edit->installEventFilter(this);
}

namespace {

bool opensList(const QKeyEvent& key)
{
    const Qt::KeyboardModifiers mods = key.modifiers() & ~Qt::KeypadModifier;
    return (key.key() == Qt::Key_F4 && mods == Qt::NoModifier)
           || ((key.key() == Qt::Key_Down || key.key() == Qt::Key_Up) && mods == Qt::AltModifier);
}

// A key that writes text into an edit (not a move, a command or an answer to the list).
bool writesText(const QKeyEvent& key)
{
    if (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const QString text = key.text();
    return !text.isEmpty() && text.at(0).isPrint();
}

} // namespace

bool TDBLookupComboBox::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == typingTarget_ && event->type() == QEvent::KeyPress && opensList(*static_cast<QKeyEvent*>(event))) {
        showPopup();
        return true;
    }
    if (watched != view_ || event->type() != QEvent::KeyPress)
        return QComboBox::eventFilter(watched, event);
    bool handled = false;
    core::guarded([&] {
        auto* keyEvent = static_cast<QKeyEvent*>(event);
        const int key = keyEvent->key();
        if (typingTarget_ && writesText(*keyEvent)) {
            // Typed into the list of an edit: the text belongs in the edit.
            hidePopup();
            typingTarget_->setFocus(Qt::OtherFocusReason);
            QKeyEvent copy(keyEvent->type(), key, keyEvent->modifiers(), keyEvent->text(), keyEvent->isAutoRepeat(),
                           ushort(keyEvent->count()));
            QCoreApplication::sendEvent(typingTarget_, &copy);
            handled = true;
        } else if (key == Qt::Key_Escape || key == Qt::Key_F4) {
            hidePopup();
            handled = true;
        } else if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            const int row = view_->currentIndex().row();
            hidePopup();
            chooseRow(row);
            handled = true;
        }
    });
    return handled;
}

void TDBLookupComboBox::paintEvent(QPaintEvent*)
{
    core::guarded([this] {
        QStylePainter painter(this);
        QStyleOptionComboBox option;
        initStyleOption(&option);
        option.currentText = cutForDisplay(shownText());
        option.currentIcon = QIcon();
        painter.drawComplexControl(QStyle::CC_ComboBox, option);
        painter.drawControl(QStyle::CE_ComboBoxLabel, option);
    });
}

void TDBLookupComboBox::keyPressEvent(QKeyEvent* event)
{
    core::guarded([&] {
        syncCurrentIndex();
        QComboBox::keyPressEvent(event);
    });
}

void TDBLookupComboBox::wheelEvent(QWheelEvent* event)
{
    // Turning the wheel over a picker must not filter the catalogue by accident.
    event->ignore();
}

} // namespace dbctrls
