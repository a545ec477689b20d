#include "sketch_view/picture_cache.h"

#include "io/utf8_path.h"
#include "io/whole_file.h"
#include "widgets/qt_text.h"
#include "text/format.h"

#include <QByteArray>
#include <QString>

#include <filesystem>

namespace dalvex::ui {

namespace {

// Pictures larger than this on a side are not made: a stretched picture never needs more than a screen.
constexpr int kMaxScaledSide = 16384;

const QImage* orNull(const QImage& image) {
    return image.isNull() ? nullptr : &image;
}

} // namespace

QImage readPictureFile(const std::string& path) {
    std::string bytes;
    if (path.empty() || !readWholeFile(pathFromUtf8(path), bytes, kPictureFileLimit)) return {};
    return QImage::fromData(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

const QImage* KeptPictures::find(const std::string& key) {
    const auto it = index_.find(key);
    if (it == index_.end()) return nullptr;
    order_.splice(order_.begin(), order_, it->second);
    return &it->second->second;
}

void KeptPictures::keep(const std::string& key, const QImage& image) {
    if (index_.count(key) != 0) return;
    order_.emplace_front(key, image);
    index_.emplace(key, order_.begin());
    bytes_ += image.sizeInBytes();
    while (order_.size() > 1 && (bytes_ > kBudgetBytes || order_.size() > kMaxCount)) {
        bytes_ -= order_.back().second.sizeInBytes();
        index_.erase(order_.back().first);
        order_.pop_back();
    }
}

void KeptPictures::clear() {
    order_.clear();
    index_.clear();
    bytes_ = 0;
}

const QImage* PictureCache::sourcePicture(const std::string& path) {
    auto it = sources_.find(path);
    if (it == sources_.end()) {
        if (sources_.size() >= kCapacity) sources_.clear();
        // Sources and reduced copies share the kept pictures under keys that cannot meet.
        std::string key = "source ";
        key += path;
        QImage image;
        if (const QImage* kept = kept_.find(key)) {
            image = *kept;
        } else {
            image = readPictureFile(path);
            kept_.keep(key, image);
        }
        it = sources_.emplace(path, std::move(image)).first;
    }
    return orNull(it->second);
}

const QImage* PictureCache::scaledPicture(const std::string& path, int width, int height,
                                          const QImage& source) {
    const std::string key = scaledKey(path, width, height);
    auto it = scaled_.find(key);
    if (it == scaled_.end()) {
        if (scaled_.size() >= kCapacity) scaled_.clear();
        QImage image;
        std::string keptKey = "scaled ";
        keptKey += key;
        if (const QImage* kept = kept_.find(keptKey)) {
            image = *kept;
        } else {
            if (!source.isNull() && width > 0 && height > 0 && width <= kMaxScaledSide &&
                height <= kMaxScaledSide)
                image = source.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
            kept_.keep(keptKey, image);
        }
        it = scaled_.emplace(key, std::move(image)).first;
    }
    return orNull(it->second);
}

void PictureCache::clear() {
    sources_.clear();
    scaled_.clear();
    kept_.clear();
}

std::string PictureCache::scaledKey(const std::string& path, int width, int height) {
    return format("%s_%d_%d", path, width, height);
}

} // namespace dalvex::ui
