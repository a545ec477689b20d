// Feeds arbitrary bytes to the data file reading: the common CSV form, the three price list readers on a
// fresh Catalogue and a material list with a few pictures beside it.
#include "catalogue/catalogue.h"
#include "records/csv.h"
#include "records/material_library.h"
#include "records/price_lists.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <system_error>

#include <unistd.h>

namespace {

namespace fs = std::filesystem;

struct Workspace {
    fs::path root;
    fs::path programFolder; // stays empty: the Catalogue is built without lists
    fs::path list;          // the input, as a price list and as a material list

    Workspace() {
        root = fs::temp_directory_path() / ("dalvex_fuzz_csv_" + std::to_string(::getpid()));
        std::error_code ec;
        fs::remove_all(root, ec);
        programFolder = root / "program";
        fs::create_directories(programFolder);
        const fs::path images = root / "collection" / "images";
        fs::create_directories(images / "set");
        for (const char* name : {"a.jpg", "b.png", "c.bmp", "set/1.jpg", "set/2.png"})
            std::ofstream(images / name) << "pic";
        list = root / "collection" / "price.csv";
    }
    ~Workspace() {
        std::error_code ec;
        fs::remove_all(root, ec);
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Workspace workspace;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    dalvex::CsvFile csv;
    if (dalvex::parseCsv(bytes, csv) == dalvex::kCsvRead && csv.lineCount() == 0) __builtin_trap();

    {
        std::ofstream out(workspace.list, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    dalvex::Catalogue catalogue(workspace.programFolder);
    dalvex::readColorCategories(catalogue, workspace.list);
    dalvex::readRollerSets(catalogue, workspace.list);
    dalvex::readProfilePrices(catalogue, workspace.list);

    dalvex::MaterialCollection collection;
    collection.name = "collection";
    collection.listPath = workspace.list.string();
    collection.load();
    for (const dalvex::Material& material : collection.materials)
        if (collection.find(material.key()) == nullptr) __builtin_trap();
    return 0;
}
