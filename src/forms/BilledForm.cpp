#include "BilledForm.h"

#include "AppContext.h"
#include "Design.h"
#include "WindowPlacement.h"
#include "core/Guard.h"
#include "locale/TQFormLocalizer.h"
#include "locale/TQLanguageSource.h"
#include "support/Alignment.h"
#include "support/Image.h"
#include "support/WindowSize.h"

#include <QScrollArea>
#include <QShowEvent>

namespace forms {

TBilledForm::TBilledForm(QWidget* parent) : QDialog(parent)
{
    QFormLocalizer1 = design::localizer(this, propNames());

    setObjectName(QStringLiteral("BilledForm"));
    setWindowTitle(QStringLiteral("Billede"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFont(QFont(QStringLiteral("Liberation Sans"), 8));

    ScrollBox1 = new QScrollArea(this);
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    ScrollBox1->setFrameShape(QFrame::NoFrame);
    ScrollBox1->setWidgetResizable(false);
    ScrollBox1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    support::setAlign(ScrollBox1, support::Align::Client);
    Image1 = new support::TImage;
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setAutoSize(true);
    ScrollBox1->setWidget(Image1);

    resize(designOuterSize());
    support::realign(this);
    QFormLocalizer1->Loaded();
    ScrollBox1->setAccessibleName(windowTitle()); // the picture's frame takes the focus
}

QStringList TBilledForm::propNames()
{
    return {QStringLiteral("Caption"), QStringLiteral("Hint")};
}

QSize TBilledForm::designOuterSize() const
{
    const QSize design(kDesignOuterWidth, kDesignOuterHeight);
    return support::sanitizedOuterSize(design, design, availableScreenSize(this));
}

void TBilledForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    core::guarded([this] {
        support::setOuterSize(this, designOuterSize());
        support::keepCentredWhileShowing(this);
    });
}

void TBilledForm::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    core::guarded([this] { support::realign(this); });
}

} // namespace forms
