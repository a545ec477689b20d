#include "materials.h"

#include "cp1251.h"
#include "noise.h"
#include "prints.h"
#include "surfaces.h"

#include <QDir>
#include <QImage>

#include <cstdio>
#include <functional>
#include <vector>

namespace sample {

namespace {

using Draw = std::function<QImage()>;

struct Picture {
    QString file; // name inside the picture folder (or inside the line's picture sub-folder)
    Draw draw;
};

struct Line {
    QString code;
    QString name;
    QString price;     // roubles per m², as the dealer writes it
    QString thickness; // millimetres
    QString folder;    // picture sub-folder; empty when the line has a single picture
    std::vector<Picture> pictures;
};

struct Collection {
    QString name;
    bool sheetSizes = false; // the list carries the sheet length and width
    QString length, width;
    std::vector<Line> lines;
};

constexpr int kJpegQuality = 85;

Line single(QString code, QString name, QString price, QString thickness, QString file, Draw draw) {
    return {std::move(code),
            std::move(name),
            std::move(price),
            std::move(thickness),
            {},
            {{std::move(file), std::move(draw)}}};
}

Draw wood(QColor light, QColor dark, double ringWidth, int knots, const char* seedName) {
    uint64_t seed = seedOf(seedName);
    return [=] { return drawWood({light, dark, ringWidth, knots}, seed); };
}

Draw uni(QColor colour, const char* seedName) {
    uint64_t seed = seedOf(seedName);
    return [=] { return drawUni(colour, seed); };
}

Collection chipboard() {
    Collection c{QStringLiteral("ЛДСП Эггер"), true, QStringLiteral("2800"), QStringLiteral("2070"), {}};
    struct Decor {
        const char* code;
        const char* name;
        const char* file;
        const char* price;
        Draw draw;
    };
    const Decor decors[] = {
        {"H1145 ST10", "Дуб Бардолино натуральный", "egger_h1145_st10", "1290",
         wood(QColor(196, 154, 108), QColor(140, 100, 64), 9, 2, "h1145")},
        {"H3303 ST10", "Дуб Гамильтон натуральный", "egger_h3303_st10", "1340",
         wood(QColor(204, 164, 114), QColor(150, 110, 70), 11, 3, "h3303")},
        {"H1137 ST12", "Дуб Сорано чёрно-коричневый", "egger_h1137_st12", "1340",
         wood(QColor(98, 72, 56), QColor(48, 34, 27), 8, 2, "h1137")},
        {"H3700 ST10", "Орех Пацифик натуральный", "egger_h3700_st10", "1420",
         wood(QColor(146, 98, 62), QColor(84, 54, 34), 12, 1, "h3700")},
        {"H1180 ST37", "Дуб Галифакс натуральный", "egger_h1180_st37", "1560",
         wood(QColor(178, 132, 86), QColor(112, 78, 48), 7, 4, "h1180")},
        {"H3325 ST28", "Дуб Гладстоун табак", "egger_h3325_st28", "1489,90",
         wood(QColor(152, 112, 76), QColor(92, 64, 44), 10, 3, "h3325")},
        {"H1334 ST9", "Дуб Сорано натуральный светлый", "egger_h1334_st9", "1190",
         wood(QColor(218, 188, 148), QColor(168, 134, 94), 9, 2, "h1334")},
        {"H3157 ST12", "Дуб Винчестер", "egger_h3157_st12", "1240",
         wood(QColor(204, 174, 134), QColor(150, 120, 84), 10, 2, "h3157")},
        {"H1277 ST9", "Акация Лэйкленд светлая", "egger_h1277_st9", "1310",
         wood(QColor(218, 176, 124), QColor(158, 112, 68), 6, 3, "h1277")},
        {"H3734 ST9", "Орех Дижон натуральный", "egger_h3734_st9", "1270",
         wood(QColor(162, 116, 76), QColor(98, 64, 40), 13, 1, "h3734")},
        {"H1615 ST9", "Вишня Верона", "egger_h1615_st9", "1180",
         wood(QColor(188, 112, 72), QColor(128, 68, 40), 8, 1, "h1615")},
        {"H1399 ST10", "Дуб Денвер трюфель", "egger_h1399_st10", "1390",
         wood(QColor(132, 106, 86), QColor(78, 60, 48), 9, 3, "h1399")},
        {"H3133 ST12", "Дуб Давос трюфель", "egger_h3133_st12", "1390",
         wood(QColor(122, 96, 76), QColor(72, 56, 44), 11, 2, "h3133")},
        {"H1733 ST9", "Берёза Майнау", "egger_h1733_st9", "1160",
         wood(QColor(228, 204, 164), QColor(192, 162, 122), 5, 1, "h1733")},
        {"W1000 ST9", "Белый премиум", "egger_w1000_st9", "1090", uni(QColor(246, 246, 243), "w1000")},
        {"W980 ST2", "Белый платиновый", "egger_w980_st2", "1050", uni(QColor(238, 239, 237), "w980")},
        {"U999 ST2", "Чёрный", "egger_u999_st2", "1120", uni(QColor(36, 36, 38), "u999")},
        {"U702 ST9", "Серый кашемир", "egger_u702_st9", "1150", uni(QColor(176, 166, 152), "u702")},
        {"U727 ST9", "Серый камень", "egger_u727_st9", "1150", uni(QColor(130, 128, 122), "u727")},
        {"U222 ST9", "Крем бежевый", "egger_u222_st9", "1150", uni(QColor(230, 216, 186), "u222")},
    };
    for (const Decor& d : decors)
        c.lines.push_back(single(QString::fromUtf8(d.code), QString::fromUtf8(d.name),
                                 QString::fromUtf8(d.price), QStringLiteral("16"),
                                 QString::fromUtf8(d.file) + ".jpg", d.draw));
    // The thin boards come in a few decors only; their pictures are separate files so that each
    // board has its own key.
    const struct {
        int decor;
        const char* price;
    } thin[] = {{14, "890"}, {16, "940"}, {0, "1060"}, {3, "1150"}};
    for (const auto& t : thin) {
        const Decor& d = decors[t.decor];
        c.lines.push_back(single(QString::fromUtf8(d.code),
                                 QString::fromUtf8(d.name) + QStringLiteral(", 10 мм"),
                                 QString::fromUtf8(t.price), QStringLiteral("10"),
                                 QString::fromUtf8(d.file) + "_10mm.jpg", d.draw));
    }
    return c;
}

Collection mirrors() {
    Collection c{QStringLiteral("Зеркала"), true, QStringLiteral("3210"), QStringLiteral("2250"), {}};
    struct Mirror {
        const char* code;
        const char* name;
        const char* file;
        const char* price;
        QColor tint;
        bool satin;
    };
    const Mirror list[] = {
        {"ЗР-С4", "Зеркало серебро", "mirror_silver.jpg", "1650", QColor(200, 206, 212), false},
        {"ЗР-СО4", "Зеркало серебро осветлённое", "mirror_silver_optiwhite.jpg", "2450",
         QColor(224, 228, 231), false},
        {"ЗР-СБ4", "Зеркало серебро на плёнке (безопасное)", "mirror_silver_safety.jpg", "1890",
         QColor(198, 204, 210), false},
        {"ЗР-Б4", "Зеркало бронза", "mirror_bronze.jpg", "2380", QColor(172, 132, 92), false},
        {"ЗР-Г4", "Зеркало графит", "mirror_graphite.jpg", "2380", QColor(92, 97, 102), false},
        {"ЗР-СС4", "Зеркало сатин серебро", "mirror_satin_silver.jpg", "2950", QColor(200, 206, 212), true},
        {"ЗР-БС4", "Зеркало сатин бронза", "mirror_satin_bronze.jpg", "3350", QColor(172, 132, 92), true},
        {"ЗР-ГС4", "Зеркало сатин графит", "mirror_satin_graphite.jpg", "3350", QColor(92, 97, 102), true},
        {"ЗР-З4", "Зеркало золото", "mirror_gold.jpg", "4200", QColor(212, 176, 92), false},
        {"ЗР-Р4", "Зеркало розовое", "mirror_pink.jpg", "3900", QColor(216, 166, 166), false},
        {"ЗР-Гл4", "Зеркало голубое", "mirror_blue.jpg", "3900", QColor(150, 186, 216), false},
        {"ЗР-Зл4", "Зеркало зелёное", "mirror_green.jpg", "3900", QColor(150, 190, 160), false},
    };
    for (const Mirror& m : list) {
        uint64_t seed = seedOf(m.file);
        QColor tint = m.tint;
        bool satin = m.satin;
        c.lines.push_back(single(QString::fromUtf8(m.code), QString::fromUtf8(m.name),
                                 QString::fromUtf8(m.price), QStringLiteral("4"), QString::fromUtf8(m.file),
                                 [=] { return drawMirror(tint, satin, seed); }));
    }
    return c;
}

Collection glass() {
    Collection c{QStringLiteral("Стекло"), false, {}, {}, {}};
    struct Glass {
        const char* code;
        const char* name;
        const char* file;
        const char* price;
        const char* thickness;
        QColor tint;
        GlassFinish finish;
    };
    const Glass list[] = {
        {"СТ-П4", "Стекло прозрачное", "glass_clear_4.jpg", "980", "4", QColor(206, 226, 216),
         GlassFinish::Clear},
        {"СТ-О4", "Стекло осветлённое Оптивайт", "glass_optiwhite_4.jpg", "1650", "4", QColor(236, 241, 241),
         GlassFinish::Clear},
        {"СТ-М4", "Стекло матовое Сатинато", "glass_satinato_4.jpg", "1750", "4", QColor(220, 230, 228),
         GlassFinish::Frosted},
        {"СТ-Б4", "Стекло тонированное бронза", "glass_bronze_4.jpg", "1450", "4", QColor(166, 130, 96),
         GlassFinish::Clear},
        {"СТ-Г4", "Стекло тонированное графит", "glass_graphite_4.jpg", "1450", "4", QColor(96, 101, 106),
         GlassFinish::Clear},
        {"СТ-МБ4", "Стекло Матэлюкс бронза", "glass_matelux_bronze_4.jpg", "2150", "4", QColor(176, 146, 112),
         GlassFinish::Frosted},
        {"СТ-МГ4", "Стекло Матэлюкс графит", "glass_matelux_graphite_4.jpg", "2150", "4",
         QColor(122, 126, 131), GlassFinish::Frosted},
        {"СТ-К4", "Стекло узорчатое Кризет", "glass_crizet_4.jpg", "1380", "4", QColor(220, 232, 228),
         GlassFinish::Patterned},
        {"СТ-ШБ4", "Стекло узорчатое Шиншилла бронза", "glass_chinchilla_bronze_4.jpg", "1480", "4",
         QColor(180, 150, 116), GlassFinish::Patterned},
        {"СТ-П8", "Стекло прозрачное закалённое", "glass_clear_8.jpg", "2950", "8", QColor(190, 216, 204),
         GlassFinish::Clear},
        {"СТ-М8", "Стекло матовое закалённое", "glass_satinato_8.jpg", "3450", "8", QColor(214, 228, 224),
         GlassFinish::Frosted},
        {"СТ-Б8", "Стекло бронза закалённое", "glass_bronze_8.jpg", "3350", "8", QColor(156, 120, 86),
         GlassFinish::Clear},
        {"СТ-Г8", "Стекло графит закалённое", "glass_graphite_8.jpg", "3350", "8", QColor(86, 91, 96),
         GlassFinish::Clear},
    };
    for (const Glass& g : list) {
        uint64_t seed = seedOf(g.file);
        QColor tint = g.tint;
        GlassFinish finish = g.finish;
        c.lines.push_back(single(QString::fromUtf8(g.code), QString::fromUtf8(g.name),
                                 QString::fromUtf8(g.price), QString::fromUtf8(g.thickness),
                                 QString::fromUtf8(g.file), [=] { return drawGlass(tint, finish, seed); }));
    }
    return c;
}

Collection paintedGlass() {
    Collection c{QStringLiteral("Лакобель"), false, {}, {}, {}};
    struct Paint {
        const char* ral;
        const char* name;
        const char* price;
        QColor colour;
    };
    const Paint list[] = {
        {"9003", "белый", "2350", QColor(244, 244, 240)},
        {"9010", "белый тёплый", "2350", QColor(245, 240, 226)},
        {"9005", "чёрный", "2350", QColor(22, 22, 24)},
        {"1015", "слоновая кость", "2450", QColor(230, 215, 180)},
        {"1013", "жемчужно-белый", "2450", QColor(232, 225, 205)},
        {"1001", "бежевый", "2450", QColor(210, 185, 146)},
        {"7035", "светло-серый", "2450", QColor(200, 203, 200)},
        {"7024", "графит", "2450", QColor(70, 75, 80)},
        {"8017", "шоколад", "2550", QColor(75, 50, 40)},
        {"3020", "красный", "2690", QColor(200, 30, 30)},
        {"3005", "бордо", "2690", QColor(100, 25, 35)},
        {"5002", "синий ультрамарин", "2690", QColor(30, 50, 130)},
        {"6018", "зелёный", "2690", QColor(90, 165, 50)},
        {"1018", "жёлтый", "2690", QColor(245, 210, 40)},
        {"2004", "оранжевый", "2690", QColor(240, 110, 20)},
        {"4005", "сиреневый", "2690", QColor(120, 100, 160)},
    };
    for (const Paint& p : list) {
        QString ral = QString::fromUtf8(p.ral);
        uint64_t seed = seedOf(p.ral);
        QColor colour = p.colour;
        c.lines.push_back(
            single(QStringLiteral("ЛК-") + ral,
                   QStringLiteral("Лакобель ") + QString::fromUtf8(p.name) + QStringLiteral(" RAL ") + ral,
                   QString::fromUtf8(p.price), QStringLiteral("4"), "lacobel_ral" + ral + ".jpg",
                   [=] { return drawLacquer(colour, seed); }));
    }
    return c;
}

// One line of the list standing for a whole picture sub-folder: every picture is a material.
Line series(QString code, QString name, QString price, QString folder, int count, QImage (*draw)(uint64_t)) {
    Line line{std::move(code), std::move(name), std::move(price), QStringLiteral("4"), folder, {}};
    for (int i = 1; i <= count; ++i) {
        QString file = QStringLiteral("%1_%2.jpg").arg(folder).arg(i, 2, 10, QLatin1Char('0'));
        uint64_t seed = seedOf(file.toStdString());
        line.pictures.push_back({file, [=] { return draw(seed); }});
    }
    return line;
}

Collection photoPrints() {
    Collection c{QStringLiteral("Фотопечать"), false, {}, {}, {}};
    c.lines.push_back(series(QStringLiteral("ФП-ПЕЙЗ"), QStringLiteral("Фотопечать на стекле, пейзажи"),
                             QStringLiteral("4200"), QStringLiteral("landscapes"), 5, drawLandscape));
    c.lines.push_back(series(QStringLiteral("ФП-ЦВЕТ"), QStringLiteral("Фотопечать на стекле, цветы"),
                             QStringLiteral("4200"), QStringLiteral("flowers"), 5, drawFlowers));
    c.lines.push_back(series(QStringLiteral("ФП-АБСТР"), QStringLiteral("Фотопечать на стекле, абстракция"),
                             QStringLiteral("3950"), QStringLiteral("abstract"), 5, drawAbstract));
    c.lines.push_back(series(QStringLiteral("ФП-ГОРОД"), QStringLiteral("Фотопечать на стекле, город"),
                             QStringLiteral("4200"), QStringLiteral("city"), 4, drawCity));
    const struct {
        const char* code;
        const char* name;
        const char* file;
        const char* seedName; // picked among seeds for the look the name promises
        QImage (*draw)(uint64_t);
    } singles[] = {
        {"ФП-101", "Фотопечать «Бамбук»", "bamboo_101.jpg", "bamboo_101.jpg", drawBamboo},
        {"ФП-102", "Фотопечать «Закат в горах»", "mountain_sunset_102.jpg", "mountain_lake_102.jpg",
         drawLandscape},
        {"ФП-103", "Фотопечать «Сакура»", "sakura_103.jpg", "sakura_103.jpg", drawFlowers},
        {"ФП-104", "Фотопечать «Город на закате»", "sunset_city_104.jpg", "night_city_104.jpg", drawCity},
    };
    for (const auto& s : singles) {
        uint64_t seed = seedOf(s.seedName);
        auto draw = s.draw;
        c.lines.push_back(single(QString::fromUtf8(s.code), QString::fromUtf8(s.name), QStringLiteral("4450"),
                                 QStringLiteral("4"), QString::fromUtf8(s.file), [=] { return draw(seed); }));
    }
    return c;
}

bool writeCollection(const QString& materialsDir, const Collection& c) {
    const QString folder = materialsDir + "/" + c.name;
    const QString images = folder + "/images";
    // Start from an empty picture folder so that pictures dropped from the tables do not linger.
    QDir(images).removeRecursively();
    if (!QDir().mkpath(images)) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(images));
        return false;
    }
    QStringList list;
    list << (c.sheetSizes ? QStringLiteral("Код;Название;Изображение;Цена;Толщина;Длина;Ширина")
                          : QStringLiteral("Код;Название;Изображение;Цена;Толщина"));
    int materials = 0;
    for (const Line& line : c.lines) {
        QString dir = images;
        if (!line.folder.isEmpty()) {
            dir += "/" + line.folder;
            QDir().mkpath(dir);
        }
        for (const Picture& p : line.pictures) {
            if (!p.draw().save(dir + "/" + p.file, "JPG", kJpegQuality)) {
                std::fprintf(stderr, "cannot write %s/%s\n", qPrintable(dir), qPrintable(p.file));
                return false;
            }
            ++materials;
        }
        QString picture = line.folder.isEmpty() ? line.pictures.front().file : line.folder;
        QStringList fields{line.code, line.name, picture, line.price, line.thickness};
        if (c.sheetSizes) fields << c.length << c.width;
        list << fields.join(';');
    }
    std::printf("%s: %d materials\n", qPrintable(c.name), materials);
    return writeCp1251Lines(folder + "/price.csv", list);
}

} // namespace

bool writeMaterials(const QString& dataDir) {
    const QString materialsDir = dataDir + "/materials";
    for (const Collection& c : {chipboard(), mirrors(), glass(), paintedGlass(), photoPrints()}) {
        if (!writeCollection(materialsDir, c)) return false;
    }
    return true;
}

} // namespace sample
