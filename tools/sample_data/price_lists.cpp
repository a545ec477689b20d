#include "price_lists.h"

#include "cp1251.h"

#include <QStringList>

#include <cmath>
#include <cstdint>

namespace sample {

namespace {

// Which colour price columns an article has. Profiles seen on the door face cost more in decor and
// gloss finishes; rails, fittings and seals cost the same in every colour.
enum class Pricing { Plain, Face, Divider };

struct Priced {
    const char* code;
    int64_t kopecks; // standard price: per metre for profiles and strips, per piece otherwise
    Pricing pricing;
};

// clang-format off
const Priced kPrices[] = {
    // Handle profiles.
    {"JB01", 42000, Pricing::Face},   {"JB100", 56000, Pricing::Face}, {"JB200", 61000, Pricing::Face},
    {"JB300N", 78000, Pricing::Face}, {"DX01", 39500, Pricing::Face},  {"DX02", 28500, Pricing::Face},
    {"JL11", 45500, Pricing::Face},   {"JL201", 59000, Pricing::Face}, {"JL301", 72000, Pricing::Face},
    {"JW03", 43000, Pricing::Face},   {"JS01", 39850, Pricing::Face},  {"JB001", 41000, Pricing::Face},
    {"JB220", 52000, Pricing::Face},  {"JB11", 34500, Pricing::Face},  {"JB150", 35000, Pricing::Face},
    {"JL12", 36500, Pricing::Face},   {"JQ01", 31000, Pricing::Face},  {"JQ02", 31550, Pricing::Face},
    {"JZ02", 29800, Pricing::Face},   {"JB120", 38500, Pricing::Face}, {"JB130", 49500, Pricing::Face},
    {"JN01", 44000, Pricing::Face},
    // Divider profiles.
    {"DX08", 31000, Pricing::Divider}, {"DX09", 24000, Pricing::Divider}, {"DX13", 29500, Pricing::Divider},
    {"JW05", 33500, Pricing::Divider}, {"JB09", 36500, Pricing::Divider}, {"JQ09", 21500, Pricing::Divider},
    {"JZ03", 27500, Pricing::Divider}, {"JB91", 24500, Pricing::Divider}, {"JN09", 29000, Pricing::Divider},
    // Borvik rails, horizontals and fittings.
    {"JB02", 24500, Pricing::Plain},   {"JB03", 21500, Pricing::Plain},   {"JB04", 31000, Pricing::Plain},
    {"JB05", 26500, Pricing::Plain},   {"JB06", 19800, Pricing::Plain},   {"JB07", 38500, Pricing::Face},
    {"JB08", 23500, Pricing::Face},    {"JB10/11B", 145000, Pricing::Plain}, {"JB010/011B", 145000, Pricing::Plain},
    {"JB13", 1450, Pricing::Plain},    {"JB14", 4500, Pricing::Plain},    {"JB16", 235000, Pricing::Plain},
    {"JB17", 1850, Pricing::Plain},
    // Lantes and Senfil.
    {"JL14", 34500, Pricing::Face},    {"Y1406", 138000, Pricing::Plain}, {"JL15", 2650, Pricing::Plain},
    {"JS02", 24000, Pricing::Plain},   {"JS03", 25500, Pricing::Plain},   {"JS04/05", 129000, Pricing::Plain},
    {"JLS", 215000, Pricing::Plain},
    // Dalvex and Wenlor.
    {"DX03", 36500, Pricing::Face},    {"DX04", 27000, Pricing::Face},    {"DX05", 23000, Pricing::Plain},
    {"DX06", 16500, Pricing::Plain},   {"DX07", 21000, Pricing::Plain},   {"DX10NEW", 25000, Pricing::Plain},
    {"DX11", 1250, Pricing::Plain},    {"DX12", 285000, Pricing::Plain},  {"DX12-1", 399000, Pricing::Plain},
    {"JW01", 24000, Pricing::Plain},   {"JW02", 31000, Pricing::Face},    {"JW04", 33000, Pricing::Face},
    {"JW06", 22000, Pricing::Plain},   {"JW07", 26000, Pricing::Face},    {"JBW2", 265000, Pricing::Plain},
    {"JBW3", 375000, Pricing::Plain},  {"JW10", 1950, Pricing::Plain},
    // Gerlit.
    {"JG01", 69000, Pricing::Plain},   {"JG02", 48000, Pricing::Plain},   {"JG03", 42000, Pricing::Plain},
    {"JG04", 39500, Pricing::Plain},   {"JG05", 52000, Pricing::Plain},   {"JG06", 650, Pricing::Plain},
    {"JG07", 38500, Pricing::Plain},   {"JG08", 14500, Pricing::Plain},   {"JG09", 14500, Pricing::Plain},
    {"JG10", 16000, Pricing::Plain},   {"JG11", 3800, Pricing::Plain},    {"JG12/JG13", 2450, Pricing::Plain},
    {"JG14", 9500, Pricing::Plain},    {"JG15", 9500, Pricing::Plain},    {"JG16", 7200, Pricing::Plain},
    // Feldor.
    {"FD01", 41500, Pricing::Plain},   {"FD02", 28000, Pricing::Plain},   {"FD03", 195000, Pricing::Plain},
    {"FD04", 18500, Pricing::Plain},   {"FD05", 6000, Pricing::Plain},    {"FD06", 4200, Pricing::Plain},
    {"FD09", 13500, Pricing::Plain},   {"FD10", 64000, Pricing::Plain},   {"FD-SHL", 2250, Pricing::Plain},
    {"FD-SHL-1", 850, Pricing::Plain},
    // Quorin.
    {"JQ07", 29500, Pricing::Face},    {"JQ08", 26500, Pricing::Face},
    // Zerkan.
    {"JZ01", 32000, Pricing::Plain},   {"JZ04", 4800, Pricing::Plain},    {"JZ05", 26000, Pricing::Plain},
    {"JZ06", 2100, Pricing::Plain},    {"JZ07", 17500, Pricing::Plain},   {"JZB01", 315000, Pricing::Plain},
    {"JZB02", 245000, Pricing::Plain}, {"JZB03", 89000, Pricing::Plain},
    // Nordel.
    {"JN02", 39500, Pricing::Face},    {"JN03", 28500, Pricing::Face},    {"JN06", 18000, Pricing::Plain},
    {"JN07", 22500, Pricing::Plain},   {"JN99", 19500, Pricing::Plain},   {"JN17", 1900, Pricing::Plain},
    {"JNB01", 295000, Pricing::Plain},
    // Roller sets added by rollers.csv.
    {"Y1406-D", 279000, Pricing::Plain}, {"JG05-T", 74000, Pricing::Plain},
};
// clang-format on

struct Surcharge {
    const char* category;
    double factor;
    bool dividers; // also priced for divider profiles
};

const Surcharge kSurcharges[] = {
    {"анод", 0.90, true},    {"базовый", 1.08, true}, {"глянец", 1.15, true}, {"хром", 1.22, false},
    {"премиум", 1.30, true}, {"новинка", 1.42, true}, {"акция", 1.05, false},
};

// Price category of each colour (same word in every system), in colour table order.
struct ColourCategory {
    const char* colour;
    const char* category;
};

const ColourCategory kColours[] = {
    {"Хром матовый", "стандарт"},
    {"Золото матовое", "стандарт"},
    {"Шампань матовая", "стандарт"},
    {"Бронза матовая", "стандарт"},
    {"Хром глянец", "хром"},
    {"Золото глянец", "глянец"},
    {"Шампань глянец", "глянец"},
    {"Бронза глянец", "глянец"},
    {"Белый глянец", "глянец"},
    {"Ром глянец", "глянец"},
    {"Бейлис глянец", "глянец"},
    {"Графит глянец", "глянец"},
    {"Крок жемчуг", "премиум"},
    {"Крок шоколад", "премиум"},
    {"Крок золото", "премиум"},
    {"Жемчуг зерно", "базовый"},
    {"Терракот зерно", "базовый"},
    {"Виски зерно", "базовый"},
    {"Ром зерно", "базовый"},
    {"Графит зерно", "базовый"},
    {"Дуб светлый глянец", "премиум"},
    {"Вишня 304 глянец", "премиум"},
    {"Мирт глянец", "премиум"},
    {"Венге красный глянец", "премиум"},
    {"Венге темный глянец", "премиум"},
    {"Венге патина глянец", "премиум"},
    {"Белая патина", "премиум"},
    {"Черная патина", "премиум"},
    {"Коричневая патина", "премиум"},
    {"Береза структурная", "премиум"},
    {"Дуб светлый структурный", "премиум"},
    {"Вишня 304 структурная", "премиум"},
    {"Дуб шато", "премиум"},
    {"Венге красный структурный", "премиум"},
    {"Венге темный", "премиум"},
    {"Венге патина структурная", "премиум"},
    {"Хром матовый (анод)", "анод"},
    {"Золото матовое (анод)", "анод"},
    {"Шампань матовая (анод)", "анод"},
    {"Бронза матовая (анод)", "анод"},
    {"Венге темный седой", "премиум"},
    {"Патина золото", "премиум"},
    {"Ясень шимо темный", "премиум"},
    {"Серебряный дождь", "премиум"},
    {"Орех патина светлый", "премиум"},
    {"Сатин зерно", "базовый"},
    {"Трюфель браш", "премиум"},
    {"Хром браш", "хром"},
    {"Хаспеадо золото", "премиум"},
    {"Хаспеадо хром", "премиум"},
    {"Софт тач белый", "новинка"},
    {"Софт тач бежевый", "новинка"},
    {"Софт тач капучино", "новинка"},
    {"Софт тач серый", "новинка"},
    {"Софт тач шоколад", "новинка"},
    {"Софт тач черный", "новинка"},
    {"Черный зерно", "базовый"},
    {"Черный матовый (анод)", "анод"},
    {"Лиственница белая", "акция"},
};

const char* const kSystems[] = {"Борвик", "Лантес", "Кворин", "Сенфил-Н", "Далвекс",
                                "Фелдор", "Герлит", "Зеркан", "Нордел"};

// Roubles with a decimal comma where there are kopecks, as a spreadsheet writes them.
QString roubles(int64_t kopecks) {
    if (kopecks % 100 == 0) return QString::number(kopecks / 100);
    return QStringLiteral("%1,%2").arg(kopecks / 100).arg(kopecks % 100, 2, 10, QLatin1Char('0'));
}

// Category prices rounded to 50 kopecks, which single-precision readers take exactly.
int64_t surcharged(int64_t kopecks, double factor) {
    return std::llround(static_cast<double>(kopecks) * factor / 50.0) * 50;
}

bool writeProfilePrices(const QString& path) {
    QStringList lines{QStringLiteral("Код;Коллекция;Цена")};
    for (const Priced& p : kPrices) {
        const QString code = QString::fromUtf8(p.code);
        lines << code + ";;" + roubles(p.kopecks);
        if (p.pricing == Pricing::Plain) continue;
        for (const Surcharge& s : kSurcharges) {
            if (p.pricing == Pricing::Divider && !s.dividers) continue;
            lines << code + ";" + QString::fromUtf8(s.category) + ";" +
                         roubles(surcharged(p.kopecks, s.factor));
        }
    }
    return writeCp1251Lines(path, lines);
}

bool writeColourCategories(const QString& path) {
    QStringList header{QStringLiteral("Цвет")};
    for (const char* system : kSystems)
        header << QString::fromUtf8(system);
    QStringList lines{header.join(';')};
    for (const ColourCategory& c : kColours) {
        QStringList fields{QString::fromUtf8(c.colour)};
        for (size_t i = 0; i < std::size(kSystems); ++i)
            fields << QString::fromUtf8(c.category);
        lines << fields.join(';');
    }
    return writeCp1251Lines(path, lines);
}

// A system named here offers exactly the sets listed under it, the first being its default; so the
// built-in sets are repeated before the extra one.
bool writeRollerSets(const QString& path) {
    const QStringList lines{
        QStringLiteral("Код;Название;Тип;Количество"),
        QStringLiteral("Лантес;;;"),
        QStringLiteral("Y1406;Комплект роликов Лантес 2ниж+2верх;универсальный;1"),
        QStringLiteral("Y1406-D;Комплект роликов Лантес с доводчиком 2ниж+2верх;асимметричный;1"),
        QStringLiteral("Герлит;;;"),
        QStringLiteral("JG05;Ходовой ролик;универсальный;2"),
        QStringLiteral("JG05-T;Ходовой ролик усиленный (до 90 кг);универсальный;2"),
    };
    return writeCp1251Lines(path, lines);
}

} // namespace

bool writePriceLists(const QString& dataDir) {
    const QString dir = dataDir + "/profiles/";
    return writeProfilePrices(dir + "price.csv") && writeColourCategories(dir + "colors_price.csv") &&
           writeRollerSets(dir + "rollers.csv");
}

} // namespace sample
