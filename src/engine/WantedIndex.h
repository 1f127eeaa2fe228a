#pragma once
#include <QString>
#include <QStringList>

namespace engine {

/// An index that a table file should hold: files made before it existed get it when they are
/// attached. columns are plain column names, in index order.
struct WantedIndex {
    QString fileName; ///< matched without regard to case
    QString name;
    QStringList columns;
};

} // namespace engine
