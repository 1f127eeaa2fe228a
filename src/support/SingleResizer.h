#pragma once
// What the form resizer remembers of one control: its design bounds and font, and the
// owner's client size at that moment. Owned by the form resizer; user-interface thread only.
#include <QFont>
#include <QPointer>
#include <QWidget>

namespace support {

/// Rounds to the nearest integer, exact halves to the even neighbour (13.5 -> 14, 12.5 -> 12).
int roundHalfEven(double value);

/// Plain and data-bound text labels keep their own width and size themselves to their text:
/// a QLabel, or any widget carrying the dynamic property "spkTextLabel" set to true.
bool isTextLabel(const QWidget* control);

/// Controls without a font of their own: pictures (TImage), bevels (a plain QFrame, exactly
/// that class) and anything carrying the dynamic property "spkNoFont" set to true.
bool hasOwnFont(const QWidget* control);

class TSingleResizer {
public:
    /// Records the control now. Throws EResizerException when control or owner is missing.
    TSingleResizer(QWidget* control, QWidget* owner, bool resizeFonts, int minFontSize, int maxFontSize);

    /// Gives the control its bounds (and font) for the owner's client size ownerNow, whose
    /// ratios to the recorded owner size are heightRatio and widthRatio. At the recorded owner
    /// size the recorded values come back exactly. Does nothing for a cleared control or a
    /// client-aligned one.
    void scale(QSize ownerNow, double heightRatio, double widthRatio) const;

    /// Cleared when the control is destroyed.
    QPointer<QWidget> control;
    bool scaleHeight = true;
    bool scaleLeft = true;
    bool scaleTop = true;
    bool scaleWidth = true;
    bool resizeFonts = false;
    int minFontSize = 0;
    int maxFontSize = 0;
    bool hasFont = false;
    QFont font;
    int recordedHeight = 0;
    int ownerHeight = 0;
    int recordedLeft = 0;
    int recordedTop = 0;
    int recordedWidth = 0;
    int ownerWidth = 0;
    /// Points; 0 when the control has no font.
    int recordedFontSize = 0;
    QPointer<QWidget> owner;

private:
    void restore() const;
    int scaledFontSize(double heightRatio) const;
    void applyFontSize(int points) const;
    void placeLabel(const QRect& bounds) const;
};

} // namespace support
