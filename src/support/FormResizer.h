#pragma once
// Makes a window's (or panel's) controls grow and shrink with it: RecordLayout notes every
// control's bounds and font size once, ResizeControls gives each control bounds proportional
// to the owner's client size now, and with ResizeFonts a proportional font size within
// MinFontSize..MaxFontSize. Sizes are client sizes (QWidget::size()); outer sizes are only
// converted where a window stores and restores them.
//
// Which controls: every widget below the owner, depth first in children() order (that is
// creation order per parent), that carries a design name (a non-empty objectName not starting
// with Qt's internal "qt_"), is not a window of its own and is not placed by a Qt layout (a
// main window's central widget and menu bar). Unnamed widgets are not recorded, but the walk
// goes on below them, so the controls on a main window's unnamed client are found; parts of
// Qt's compound widgets (viewports, scroll bars, headers, inner line edits) are left out.
//
// Client-aligned controls are left alone: the owning window calls support::realign() after
// ResizeControls. Owned by its owner (a QObject child); user-interface thread only.
#include "SingleResizer.h"

#include <QObject>
#include <functional>
#include <memory>
#include <vector>

namespace support {

class TFormResizer : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool ResizeFonts READ ResizeFonts WRITE setResizeFonts)
    Q_PROPERTY(int MinFontSize READ MinFontSize WRITE setMinFontSize)
    Q_PROPERTY(int MaxFontSize READ MaxFontSize WRITE setMaxFontSize)
    Q_PROPERTY(bool EnforceMinSize READ EnforceMinSize WRITE setEnforceMinSize)
public:
    /// Called after each control has been scaled; comp is null for a destroyed control.
    using TPostResizeEvent =
        std::function<void(TFormResizer* sender, QWidget* comp, double heightRatio, double widthRatio)>;

    /// owner must be a window or a panel (a QWidget). Throws EResizerException
    /// "TFormResizer created without an owner" or "TFormResizer owner must be a panel or form".
    explicit TFormResizer(QObject* owner);
    ~TFormResizer() override;

    bool ResizeFonts() const { return resizeFonts_; }
    void setResizeFonts(bool on) { resizeFonts_ = on; }
    int MinFontSize() const { return minFontSize_; }
    void setMinFontSize(int points) { minFontSize_ = points; }
    int MaxFontSize() const { return maxFontSize_; }
    void setMaxFontSize(int points) { maxFontSize_ = points; }
    /// Never let the owner be smaller than its recorded size.
    bool EnforceMinSize() const { return enforceMinSize_; }
    void setEnforceMinSize(bool on) { enforceMinSize_ = on; }
    TPostResizeEvent OnPostResize;

    /// Records the owner's size and every control; once only (later calls do nothing).
    virtual void RecordLayout();
    /// Scales every recorded control to the owner's size now. Does nothing before RecordLayout.
    virtual void ResizeControls();
    /// Calls OnPostResize when one is assigned.
    virtual void NotifyPostResize(QWidget* comp, double heightRatio, double widthRatio);

    bool recorded() const { return recorded_; }
    QSize recordedOwnerSize() const { return recordedSize_; }
    /// The records, in recording order; a destroyed control's record stays with its control cleared.
    const std::vector<std::unique_ptr<TSingleResizer>>& records() const { return records_; }

private:
    QWidget* ownerWidget() const;
    void recordChildren(QWidget* parent);

    bool resizeFonts_ = false;
    int minFontSize_ = 8;
    int maxFontSize_ = 48;
    bool enforceMinSize_ = false;
    bool recorded_ = false;
    QSize recordedSize_;
    std::vector<std::unique_ptr<TSingleResizer>> records_;
};

} // namespace support
