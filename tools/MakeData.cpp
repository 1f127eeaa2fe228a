// Creates the table folder with the nine empty tables and the one configuration record.
// It never touches a folder that already holds a table file.
#include "core/Errors.h"
#include "data/CatalogueFolder.h"

#include <QString>
#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: spolarkiv-mkdata DATA-FOLDER\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    if (data::holdsTables(folder)) {
        std::printf("spolarkiv-mkdata: %s already holds tables; left as it is\n", argv[1]);
        return 0;
    }
    try {
        data::createCatalogue(folder);
    } catch (const core::EError& e) {
        std::fprintf(stderr, "spolarkiv-mkdata: %s\n", e.message().toLocal8Bit().constData());
        return 1;
    }
    return 0;
}
