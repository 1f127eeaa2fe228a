// The upper halves of the DOS code pages old Nordic tables were written in. Windows-1252
// comes from core. 865 is 437 with ø, Ø and ¤ in place of ¢, ¥ and ».
#include "ParadoxTable.h"

#include "core/Win1252.h"

#include <array>

namespace import {

namespace {

using UpperHalf = std::array<char16_t, 128>;

constexpr UpperHalf cp437 = {
    u'Ç', u'ü', u'é', u'â', u'ä', u'à', u'å', u'ç', u'ê', u'ë', u'è', u'ï', u'î', u'ì', u'Ä', u'Å',
    u'É', u'æ', u'Æ', u'ô', u'ö', u'ò', u'û', u'ù', u'ÿ', u'Ö', u'Ü', u'¢', u'£', u'¥', u'₧', u'ƒ',
    u'á', u'í', u'ó', u'ú', u'ñ', u'Ñ', u'ª', u'º', u'¿', u'⌐', u'¬', u'½', u'¼', u'¡', u'«', u'»',
    u'░', u'▒', u'▓', u'│', u'┤', u'╡', u'╢', u'╖', u'╕', u'╣', u'║', u'╗', u'╝', u'╜', u'╛', u'┐',
    u'└', u'┴', u'┬', u'├', u'─', u'┼', u'╞', u'╟', u'╚', u'╔', u'╩', u'╦', u'╠', u'═', u'╬', u'╧',
    u'╨', u'╤', u'╥', u'╙', u'╘', u'╒', u'╓', u'╫', u'╪', u'┘', u'┌', u'█', u'▄', u'▌', u'▐', u'▀',
    u'α', u'ß', u'Γ', u'π', u'Σ', u'σ', u'µ', u'τ', u'Φ', u'Θ', u'Ω', u'δ', u'∞', u'φ', u'ε', u'∩',
    u'≡', u'±', u'≥', u'≤', u'⌠', u'⌡', u'÷', u'≈', u'°', u'∙', u'·', u'√', u'ⁿ', u'²', u'■', u'\u00A0',
};

constexpr UpperHalf cp850 = {
    u'Ç', u'ü', u'é', u'â', u'ä', u'à', u'å', u'ç', u'ê', u'ë', u'è', u'ï', u'î', u'ì', u'Ä', u'Å',
    u'É', u'æ', u'Æ', u'ô', u'ö', u'ò', u'û', u'ù', u'ÿ', u'Ö', u'Ü', u'ø', u'£', u'Ø', u'×', u'ƒ',
    u'á', u'í', u'ó', u'ú', u'ñ', u'Ñ', u'ª', u'º', u'¿', u'®', u'¬', u'½', u'¼', u'¡', u'«', u'»',
    u'░', u'▒', u'▓', u'│', u'┤', u'Á', u'Â', u'À', u'©', u'╣', u'║', u'╗', u'╝', u'¢', u'¥', u'┐',
    u'└', u'┴', u'┬', u'├', u'─', u'┼', u'ã', u'Ã', u'╚', u'╔', u'╩', u'╦', u'╠', u'═', u'╬', u'¤',
    u'ð', u'Ð', u'Ê', u'Ë', u'È', u'ı', u'Í', u'Î', u'Ï', u'┘', u'┌', u'█', u'▄', u'¦', u'Ì', u'▀',
    u'Ó', u'ß', u'Ô', u'Ò', u'õ', u'Õ', u'µ', u'þ', u'Þ', u'Ú', u'Û', u'Ù', u'ý', u'Ý', u'¯', u'´',
    u'\u00AD', u'±', u'‗', u'¾', u'¶', u'§', u'÷', u'¸', u'°', u'¨', u'·', u'¹', u'³', u'²', u'■', u'\u00A0',
};

constexpr UpperHalf makeCp865()
{
    UpperHalf table = cp437;
    table[0x9B - 0x80] = u'ø';
    table[0x9D - 0x80] = u'Ø';
    table[0xAF - 0x80] = u'¤';
    return table;
}

constexpr UpperHalf cp865 = makeCp865();

const UpperHalf* upperHalf(int codePage)
{
    switch (codePage) {
    case 437: return &cp437;
    case 850: return &cp850;
    case 865: return &cp865;
    default: return nullptr;
    }
}

} // namespace

bool isSupportedCodePage(int codePage)
{
    return codePage == 1252 || upperHalf(codePage) != nullptr;
}

QString decodeCodePage(const char* data, qsizetype size, int codePage)
{
    const UpperHalf* table = upperHalf(codePage);
    if (!table)
        return core::win1252::decode(data, size);
    QString text(size, Qt::Uninitialized);
    QChar* out = text.data();
    for (qsizetype i = 0; i < size; ++i) {
        const auto byte = static_cast<unsigned char>(data[i]);
        out[i] = byte < 0x80 ? QChar(byte) : QChar((*table)[byte - 0x80]);
    }
    return text;
}

} // namespace import
