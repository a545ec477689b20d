#pragma once
// The material pictures of the sketch view: the pictures as read from their files, and copies reduced to the
// pixel size of an insert. Decoding and scaling are the slow part of drawing; the two small caches keep the
// pictures of the screen at hand while bounding the memory they take. Behind them, pictures once decoded or
// reduced are kept up to a memory budget, so that a sketch showing more pictures or sizes than the caches
// hold decodes and reduces each of them once, not at every render.
#include <QImage>

#include <list>
#include <map>
#include <string>
#include <unordered_map>

namespace dalvex::ui {

// A material picture decoded from its file (`path` in the file system's own encoding), or a null image when
// the file is no regular file, is larger than a picture may be, or does not decode. The size is checked
// before anything is read, so a huge or endless "picture" costs nothing.
QImage readPictureFile(const std::string& path);

// Pictures by key, the least recently used given up first once they take more than the budget.
class KeptPictures {
public:
    static constexpr qsizetype kBudgetBytes = qsizetype{64} << 20;
    static constexpr size_t kMaxCount = 2000; // failed pictures take no bytes but do take room

    // The picture kept under `key`, or null when there is none.
    const QImage* find(const std::string& key);
    void keep(const std::string& key, const QImage& image);
    void clear();
    qsizetype bytes() const { return bytes_; }
    size_t count() const { return index_.size(); }

private:
    using Entry = std::pair<std::string, QImage>;
    std::list<Entry> order_; // the most recently used first
    std::unordered_map<std::string, std::list<Entry>::iterator> index_;
    qsizetype bytes_ = 0;
};

// PictureCache: the sketch view's material pictures.
class PictureCache {
public:
    static constexpr size_t kCapacity = 10;

    // The picture read from the file at `path` (UTF-8), or null when it cannot be read. A new path on a full
    // cache empties the cache first.
    const QImage* sourcePicture(const std::string& path);
    // `source` reduced to width x height, or null when that fails (an empty source, a size below one pixel).
    // Keyed by scaledKey(path, width, height); a new key on a full cache empties the cache first.
    const QImage* scaledPicture(const std::string& path, int width, int height, const QImage& source);

    // Empties both caches and what is kept behind them (a sketch file was read: its pictures may differ).
    void clear();

    static std::string scaledKey(const std::string& path, int width, int height);
    size_t sourceCount() const { return sources_.size(); }
    size_t scaledCount() const { return scaled_.size(); }
    bool holdsSource(const std::string& path) const { return sources_.count(path) != 0; }
    bool holdsScaled(const std::string& key) const { return scaled_.count(key) != 0; }

private:
    // A picture that failed stays as a null image, so that a broken file is not read again at every render.
    std::map<std::string, QImage> sources_;
    std::map<std::string, QImage> scaled_;
    KeptPictures kept_;
};

} // namespace dalvex::ui
