#include "FormResizer.h"

#include "core/Errors.h"

#include <QLayout>

namespace support {

namespace {

QObject* checkedOwner(QObject* owner)
{
    if (!owner)
        throw core::EResizerException(QStringLiteral("TFormResizer created without an owner"));
    if (!owner->isWidgetType())
        throw core::EResizerException(QStringLiteral("TFormResizer owner must be a panel or form"));
    return owner;
}

bool placedByLayout(const QWidget* control)
{
    const QWidget* parent = control->parentWidget();
    const QLayout* layout = parent ? parent->layout() : nullptr;
    return layout && (layout->menuBar() == control || layout->indexOf(control) >= 0);
}

bool isDesignedControl(const QWidget* control)
{
    const QString name = control->objectName();
    return !name.isEmpty() && !name.startsWith(QLatin1String("qt_")) && !placedByLayout(control);
}

} // namespace

TFormResizer::TFormResizer(QObject* owner) : QObject(checkedOwner(owner)) {}

TFormResizer::~TFormResizer() = default;

QWidget* TFormResizer::ownerWidget() const
{
    return static_cast<QWidget*>(parent());
}

void TFormResizer::RecordLayout()
{
    if (recorded_)
        return;
    recorded_ = true;
    recordedSize_ = ownerWidget()->size();
    recordChildren(ownerWidget());
}

void TFormResizer::recordChildren(QWidget* parent)
{
    for (QObject* object : parent->children()) {
        auto* child = qobject_cast<QWidget*>(object);
        if (!child || child->isWindow())
            continue;
        if (isDesignedControl(child))
            records_.push_back(std::make_unique<TSingleResizer>(child, ownerWidget(), resizeFonts_, minFontSize_,
                                                                maxFontSize_));
        recordChildren(child);
    }
}

void TFormResizer::ResizeControls()
{
    // Before the layout is recorded there is nothing to scale from.
    if (!recorded_ || recordedSize_.isEmpty())
        return;
    QWidget* owner = ownerWidget();
    QSize now = owner->size();
    if (enforceMinSize_ && now != now.expandedTo(recordedSize_)) {
        now = now.expandedTo(recordedSize_);
        owner->resize(now);
    }
    const double heightRatio = double(now.height()) / double(recordedSize_.height());
    const double widthRatio = double(now.width()) / double(recordedSize_.width());
    for (const auto& record : records_) {
        record->scale(now, heightRatio, widthRatio);
        NotifyPostResize(record->control, heightRatio, widthRatio);
    }
}

void TFormResizer::NotifyPostResize(QWidget* comp, double heightRatio, double widthRatio)
{
    if (OnPostResize)
        OnPostResize(this, comp, heightRatio, widthRatio);
}

} // namespace support
