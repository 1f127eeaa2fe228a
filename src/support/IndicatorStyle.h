#pragma once
// Radio buttons and check boxes whose round and square indicators grow with their font, as
// their texts do when the form resizer scales a window up (the style draws them at one fixed
// size otherwise). Never smaller than the style's own size. User-interface thread only.
class QWidget;

namespace support {

/// Gives every radio button and check box inside window indicators that follow its font.
/// Buttons made later keep the style's fixed indicators.
void scaleIndicatorsWithFont(QWidget* window);

} // namespace support
