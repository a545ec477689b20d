#include "cp1251.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include <cstdio>

namespace sample {

namespace {

// The few characters outside ASCII and the Cyrillic alphabet that Russian shop texts use.
struct Extra {
    char16_t unicode;
    unsigned char byte;
};
constexpr Extra kExtras[] = {
    {0x0401, 0xA8}, {0x0451, 0xB8}, {0x00AB, 0xAB}, {0x00BB, 0xBB}, {0x2014, 0x97}, {0x2013, 0x96},
    {0x2116, 0xB9}, {0x00B0, 0xB0}, {0x00A0, 0xA0}, {0x2026, 0x85}, {0x00B2, 0xB2},
};

} // namespace

bool toCp1251(const QString& text, QByteArray& out) {
    out.clear();
    out.reserve(text.size());
    for (QChar qc : text) {
        char16_t c = qc.unicode();
        if (c < 0x80) {
            out.append(static_cast<char>(c));
        } else if (c >= 0x0410 && c <= 0x044F) {
            out.append(static_cast<char>(c - 0x0410 + 0xC0));
        } else {
            bool found = false;
            for (const Extra& e : kExtras) {
                if (e.unicode == c) {
                    out.append(static_cast<char>(e.byte));
                    found = true;
                    break;
                }
            }
            if (!found) return false;
        }
    }
    return true;
}

bool writeBytes(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

bool writeCp1251Lines(const QString& path, const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines) {
        QByteArray encoded;
        if (!toCp1251(line, encoded)) {
            std::fprintf(stderr, "%s: not representable in Windows-1251: %s\n", qPrintable(path),
                         qPrintable(line));
            return false;
        }
        bytes += encoded;
        bytes += "\r\n";
    }
    return writeBytes(path, bytes);
}

} // namespace sample
