#include "Barcode.h"

#include <QPainter>
#include <memory>
#include <zint.h>

namespace output {

namespace {

struct SymbolDeleter {
    void operator()(zint_symbol* symbol) const { ZBarcode_Delete(symbol); }
};

// zint marks bars in the foreground colour as -1; 7 is its black.
bool isBar(const zint_vector_rect& rect)
{
    return rect.colour == -1 || rect.colour == 7;
}

} // namespace

bool drawCode128(QPainter& painter, const QRectF& rectPx, const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    if (utf8.isEmpty())
        return false;
    std::unique_ptr<zint_symbol, SymbolDeleter> symbol(ZBarcode_Create());
    if (!symbol)
        return false;
    symbol->symbology = BARCODE_CODE128;
    symbol->input_mode = UNICODE_MODE;
    symbol->show_hrt = 0;
    symbol->output_options |= BARCODE_QUIET_ZONES;
    const auto* data = reinterpret_cast<const unsigned char*>(utf8.constData());
    if (ZBarcode_Encode(symbol.get(), data, utf8.size()) >= ZINT_ERROR
        || ZBarcode_Buffer_Vector(symbol.get(), 0) >= ZINT_ERROR || !symbol->vector)
        return false;
    const zint_vector& vector = *symbol->vector;
    if (vector.width <= 0 || vector.height <= 0)
        return false;
    // The symbol is one-dimensional: stretching its height changes nothing a reader sees.
    const qreal sx = rectPx.width() / vector.width;
    const qreal sy = rectPx.height() / vector.height;
    for (const zint_vector_rect* r = vector.rectangles; r; r = r->next) {
        if (isBar(*r))
            painter.fillRect(QRectF(rectPx.left() + r->x * sx, rectPx.top() + r->y * sy, r->width * sx,
                                    r->height * sy),
                             Qt::black);
    }
    return true;
}

} // namespace output
