// Writes the sample data that a dealer would ship beside the program: material collections with their
// pictures, the profile price lists, and the shop's configuration files. Everything is drawn from
// fixed seeds, so running it again reproduces the same files.
#include "materials.h"
#include "price_lists.h"
#include "shop_config.h"

#include <QDir>
#include <QGuiApplication>

#include <cstdio>

int main(int argc, char** argv) {
    // Text in the logo needs fonts, which need a GUI application; no window is ever shown.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString dataDir =
        QDir(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(DALVEX_DATA_DIR)).absolutePath();
    std::printf("writing sample data into %s\n", qPrintable(dataDir));
    if (!sample::writePriceLists(dataDir) || !sample::writeMaterials(dataDir) ||
        !sample::writeShopConfig(dataDir))
        return 1;
    return 0;
}
