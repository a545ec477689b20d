#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace sample {

// Windows-1251 text, as the dealers' spreadsheet programs write it. Returns false (and leaves `out`
// unspecified) when the text holds a character the code page cannot represent.
bool toCp1251(const QString& text, QByteArray& out);

// Writes the lines in Windows-1251 with CR LF line ends, the last line ended too. The file is replaced
// only when it has been written whole. Prints the reason and returns false on failure.
bool writeCp1251Lines(const QString& path, const QStringList& lines);

// Writes the bytes as they are, replacing the file only when written whole.
bool writeBytes(const QString& path, const QByteArray& bytes);

} // namespace sample
