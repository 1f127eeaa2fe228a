#pragma once
// The texts of the cast buttons' input boxes and questions, one set per active language index.
#include <QString>

namespace forms {

struct CastPrompts {
    QString nameCaption;     ///< "Tilføj": caption of the name box
    QString namePrompt;      ///< "Tilføj": prompt of the name box
    QString roleCaption;     ///< "Tilføj": caption of the role box
    QString rolePrompt;      ///< "Tilføj": prompt of the role box
    QString deletePrefix;    ///< "Slet": question before the name and "?"
    QString chosenCaption;   ///< actor list: caption of the role box
    QString chosenPrefix;    ///< actor list: prompt before the chosen name
};

/// The texts for an active language index; Danish for an index outside the language list.
const CastPrompts& castPrompts(int languageIndex);

} // namespace forms
