#include "picture_cache.h"

#include "io/utf8_path.h"
#include "io/whole_file.h"
#include "qt_text.h"
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

const QImage* PictureCache::sourcePicture(const std::string& path) {
    auto it = sources_.find(path);
    if (it == sources_.end()) {
        if (sources_.size() >= kCapacity) sources_.clear();
        it = sources_.emplace(path, readPictureFile(path)).first;
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
        if (!source.isNull() && width > 0 && height > 0 && width <= kMaxScaledSide &&
            height <= kMaxScaledSide)
            image = source.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        it = scaled_.emplace(key, std::move(image)).first;
    }
    return orNull(it->second);
}

void PictureCache::clear() {
    sources_.clear();
    scaled_.clear();
}

std::string PictureCache::scaledKey(const std::string& path, int width, int height) {
    return format("%s_%d_%d", path, width, height);
}

} // namespace dalvex::ui
