#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <cstddef>
#include <cstdint>

// What the fuzz targets share: a private environment and ways to read one input.
namespace FuzzInput
{
// Points HOME, the XDG directories and the settings into a private temporary directory, selects
// the offscreen platform and sends statistics nowhere; with widgets, creates the QApplication.
void isolate(bool widgets);

// The input as the program decodes a file: UTF-8, NUL bytes kept.
QString text(const uint8_t *data, size_t size);
QByteArray bytes(const uint8_t *data, size_t size);

// Writes the input to one scratch file of the process and gives its path, for readers that take
// a file.
QString scratchFile(const uint8_t *data, size_t size);

// One part of a multi-part input: the lines after a line "#>kind argument" up to the next such line.
// The lines before the first marker form a part of kind "".
struct Part {
    QByteArray kind;
    QByteArray argument;
    QByteArray body;
};
QList<Part> parts(const QByteArray &input);
} // namespace FuzzInput
