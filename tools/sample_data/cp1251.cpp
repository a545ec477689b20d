#include "cp1251.h"

#include "io/atomic_file.h"
#include "text/encoding.h"

#include <QDir>
#include <QFileInfo>

#include <cstdio>
#include <filesystem>
#include <string>

namespace sample {

bool toCp1251(const QString& text, QByteArray& out) {
    const std::string utf8 = text.toStdString();
    const std::string bytes = dalvex::utf8ToCp1251(utf8);
    // The encoder writes '?' for a character the code page lacks: only a round trip tells.
    if (dalvex::cp1251ToUtf8(bytes) != utf8) return false;
    out = QByteArray::fromStdString(bytes);
    return true;
}

bool writeBytes(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (!dalvex::writeFileAtomically(std::filesystem::path(path.toStdWString()),
                                     std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())))) {
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
