// Start-up cost of the product knowledge: the Catalogue built from a program folder holding the three price
// lists and a material library of 50 collections with 40 materials each, from a large data folder (long
// price list, five collections of 20,000 lines, half of them naming one shared picture folder), and from
// three long price lists alone (every line of each used).
#include "catalogue/catalogue.h"
#include "text/encoding.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

#include <unistd.h>

namespace {

namespace fs = std::filesystem;

void writeText(const fs::path& file, const std::string& utf8) {
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << dalvex::utf8ToCp1251(utf8);
}

class ProgramFolder {
public:
    static constexpr int kCollections = 50;
    static constexpr int kMaterials = 40;

    ProgramFolder() : root_(fs::temp_directory_path() / ("dalvex_bench_" + std::to_string(::getpid()))) {
        std::error_code ec;
        fs::remove_all(root_, ec);
        writeText(root_ / "profiles/price.csv",
                  "Код;Коллекция;Цена\nJB01;;1200,50\nJB01;премиум;1400\nJB02;;300\n");
        writeText(root_ / "profiles/colors_price.csv", "Цвет;Борвик;Лантес\nХром глянец;анод;премиум\n");
        writeText(root_ / "profiles/rollers.csv",
                  "Код;Название;Симметрия;Количество\nДалвекс\nDX99;Ролики;;02\n");
        for (int c = 0; c < kCollections; ++c) {
            const fs::path folder = root_ / "materials" / ("Коллекция " + std::to_string(c));
            fs::create_directories(folder / "images");
            std::string list = "Код;Изображение;Цена;Название;Длина;Ширина;Толщина\n";
            for (int m = 0; m < kMaterials; ++m) {
                // Appended piece by piece: GCC's -Wrestrict misfires on chains of string concatenation at
                // -O3.
                std::string picture = "m";
                picture += std::to_string(m);
                picture += ".jpg";
                std::ofstream(folder / "images" / picture, std::ios::binary) << "jpg";
                list += "M-";
                list += std::to_string(m);
                list += ";";
                list += picture;
                list += ";1500,50;Материал;2800;1220;10\n";
            }
            writeText(folder / "price.csv", list);
        }
    }
    ~ProgramFolder() {
        std::error_code ec;
        fs::remove_all(root_, ec);
    }
    const fs::path& path() const { return root_; }

private:
    fs::path root_;
};

void BM_BuildCatalogue(benchmark::State& state) {
    static const ProgramFolder folder;
    for (auto _ : state) {
        dalvex::Catalogue catalogue(folder.path());
        if (catalogue.collections().size() != ProgramFolder::kCollections) state.SkipWithError("scan failed");
        benchmark::DoNotOptimize(catalogue.collections().data());
    }
}
BENCHMARK(BM_BuildCatalogue)->Unit(benchmark::kMillisecond);

// The large data folder: what a dealer with a big catalogue has, generated once.
class LargeProgramFolder {
public:
    static constexpr int kCollections = 5;
    static constexpr int kLines = 20000;
    static constexpr int kPictures = 200;

    LargeProgramFolder()
        : root_(fs::temp_directory_path() / ("dalvex_bench_large_" + std::to_string(::getpid()))) {
        std::error_code ec;
        fs::remove_all(root_, ec);
        std::string prices = "Код;Коллекция;Цена\n";
        for (int i = 0; i < 100000; ++i) {
            prices += "JB";
            prices += std::to_string(i);
            prices += ";;1200,50\n";
        }
        writeText(root_ / "profiles/price.csv", prices);
        writeText(root_ / "profiles/colors_price.csv", "Цвет;Борвик;Лантес\nХром глянец;анод;премиум\n");
        writeText(root_ / "profiles/rollers.csv",
                  "Код;Название;Симметрия;Количество\nДалвекс\nDX99;Ролики;;02\n");
        for (int c = 0; c < kCollections; ++c) {
            const fs::path folder = root_ / "materials" / ("Коллекция " + std::to_string(c));
            fs::create_directories(folder / "images" / "set");
            for (int p = 0; p < kPictures; ++p) {
                std::string picture = "m";
                picture += std::to_string(p);
                picture += ".jpg";
                std::ofstream(folder / "images" / picture, std::ios::binary) << "jpg";
                std::ofstream(folder / "images" / "set" / picture, std::ios::binary) << "jpg";
            }
            std::string list = "Код;Изображение;Цена;Название;Длина;Ширина;Толщина\n";
            for (int m = 0; m < kLines; ++m) {
                list += "M-";
                list += std::to_string(m);
                if (m % 2 == 0) {
                    list += ";set";
                } else {
                    list += ";m";
                    list += std::to_string(m % kPictures);
                    list += ".jpg";
                }
                list += ";1500,50;Материал;2800;1220;10\n";
            }
            writeText(folder / "price.csv", list);
        }
    }
    ~LargeProgramFolder() {
        std::error_code ec;
        fs::remove_all(root_, ec);
    }
    const fs::path& path() const { return root_; }

private:
    fs::path root_;
};

void BM_BuildCatalogueFromLargeData(benchmark::State& state) {
    static const LargeProgramFolder folder;
    std::size_t materials = 0;
    for (auto _ : state) {
        dalvex::Catalogue catalogue(folder.path());
        materials = 0;
        for (const dalvex::MaterialCollection& c : catalogue.collections())
            materials += c.materials.size();
        benchmark::DoNotOptimize(materials);
    }
    state.counters["materials"] = static_cast<double>(materials);
}
BENCHMARK(BM_BuildCatalogueFromLargeData)->Unit(benchmark::kMillisecond);

// Three price lists of `lines` lines each and no materials: every roller line adds a set of its own to one
// system, every price line prices one of those sets, every colour line names a colour of the catalogue.
class LongPriceLists {
public:
    explicit LongPriceLists(int lines)
        : root_(fs::temp_directory_path() /
                ("dalvex_bench_lists_" + std::to_string(::getpid()) + "_" + std::to_string(lines))) {
        std::error_code ec;
        fs::remove_all(root_, ec);
        fs::create_directories(root_ / "materials");
        std::string rollers = "Код;Название;Тип;Количество\nДалвекс;;;\n";
        std::string prices = "Код;Коллекция;Цена\n";
        std::string colors = "Цвет;Борвик;Лантес;Далвекс\n";
        const char* colorNames[] = {"Хром матовый", "Золото матовое", "Шампань матовая", "Шампань глянец"};
        for (int i = 0; i < lines; ++i) {
            const std::string code = "R" + std::to_string(i);
            rollers += code;
            rollers += ";Ролики;симметричный;1\n";
            prices += code;
            prices += ";;1 650,50\n";
            colors += colorNames[i % 4];
            colors += ";анод;премиум;стандарт\n";
        }
        writeText(root_ / "profiles/rollers.csv", rollers);
        writeText(root_ / "profiles/price.csv", prices);
        writeText(root_ / "profiles/colors_price.csv", colors);
    }
    ~LongPriceLists() {
        std::error_code ec;
        fs::remove_all(root_, ec);
    }
    const fs::path& path() const { return root_; }

private:
    fs::path root_;
};

void BM_BuildCatalogueFromLongPriceLists(benchmark::State& state) {
    const LongPriceLists lists(static_cast<int>(state.range(0)));
    std::size_t articles = 0;
    for (auto _ : state) {
        dalvex::Catalogue catalogue(lists.path());
        articles = catalogue.articles().size();
        benchmark::DoNotOptimize(articles);
    }
    state.counters["articles"] = static_cast<double>(articles);
}
BENCHMARK(BM_BuildCatalogueFromLongPriceLists)->Arg(20000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
