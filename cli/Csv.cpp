// Reading and writing CSV files with libcsv, refusing anything that is not CSV of UTF-8 text.
#include "cli/Csv.h"

#include "cli/Refusal.h"

#include <QFile>
#include <QStringDecoder>

#include <csv.h>

#include <algorithm>
#include <memory>

namespace Csv {
namespace {

constexpr qint64 FileLimit = 64 << 20;
constexpr size_t FieldLimit = 1 << 20;
// libcsv's state between two records (csv_parser::pstate).
constexpr int RowNotBegun = 0;
// What some programs put first in a file of UTF-8 text.
const QByteArray ByteOrderMark = QByteArrayLiteral("\xEF\xBB\xBF");

struct Reading {
    QList<Record> records;
    Record record{1, {}, {}}; // the record being parsed
    qsizetype line = 1;       // the line being parsed
};

// The field's text; after a fault the record keeps only the fault.
void EndField(void* data, size_t size, void* context) {
    Record& record = static_cast<Reading*>(context)->record;
    const QByteArrayView bytes(static_cast<const char*>(data), qsizetype(size));
    if (!record.fault.isEmpty())
        return;
    if (size > FieldLimit)
        return void(record.fault = "a field of more than 1 MiB");
    if (bytes.contains('\0'))
        return void(record.fault = "a NUL byte");
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless |
                                                     QStringDecoder::Flag::ConvertInitialBom);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return void(record.fault = "text that is not UTF-8");
    record.fields.append(std::move(text));
}

void EndRecord(int, void* context) {
    auto& reading = *static_cast<Reading*>(context);
    reading.records.append(std::exchange(reading.record, {reading.line, {}, {}}));
}

// RFC 4180: blanks around a field belong to it.
int NoBlanks(unsigned char) {
    return 0;
}

QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Refusal{"Could not read " + path + ": " + file.errorString()};
    if (file.size() > FileLimit)
        throw Refusal{path + " is larger than 64 MiB: it is not an export of passwords."};
    return file.readAll();
}

} // namespace

void RefuseLine(const QString& path, qsizetype line, const QString& fault) {
    throw Refusal{path + ", line " + QString::number(line) + ": " + fault +
                  ". Nothing was imported."};
}

QList<Record> ReadText(const QByteArray& bytes, const QString& path) {
    csv_parser parser{};
    csv_init(&parser, CSV_STRICT | CSV_STRICT_FINI);
    const std::unique_ptr<csv_parser, void (*)(csv_parser*)> freed(&parser, csv_free);
    csv_set_space_func(&parser, NoBlanks);
    // libcsv grows a field's buffer a block at a time: with its small default block, a field of
    // many megabytes takes minutes to refuse. No field is longer than the text, so a small file
    // needs no large block.
    csv_set_blk_size(&parser, std::min(FieldLimit, size_t(bytes.size()) + 1));
    Reading reading;
    const qsizetype first = bytes.startsWith(ByteOrderMark) ? ByteOrderMark.size() : 0;
    // Fed a line at a time, so every fault is found on a known line.
    for (qsizetype start = first; start < bytes.size(); ++reading.line) {
        const qsizetype end = bytes.indexOf('\n', start);
        const qsizetype length = (end < 0 ? bytes.size() : end + 1) - start;
        if (parser.pstate == RowNotBegun)
            reading.record.line = reading.line;
        if (csv_parse(&parser, bytes.constData() + start, size_t(length), EndField, EndRecord,
                      &reading) != size_t(length))
            RefuseLine(path, reading.line,
                       csv_error(&parser) == CSV_EPARSE
                           ? "broken quoting (a quote inside a field is doubled, and a quoted "
                             "field ends at a comma or the line's end)"
                           : csv_strerror(csv_error(&parser)));
        start += length;
    }
    if (csv_fini(&parser, EndField, EndRecord, &reading) != 0)
        RefuseLine(path, reading.record.line, "a quoted field that is never closed");
    return reading.records;
}

QList<Record> ReadFile(const QString& path) {
    return ReadText(ReadBytes(path), path);
}

QByteArray FormatRecord(const QStringList& fields) {
    QByteArrayList quoted;
    for (const QString& field : fields) {
        const QByteArray text = field.toUtf8();
        QByteArray written(qsizetype(csv_write(nullptr, 0, text.constData(), size_t(text.size()))),
                           Qt::Uninitialized);
        csv_write(written.data(), size_t(written.size()), text.constData(), size_t(text.size()));
        quoted.append(written);
    }
    return quoted.join(',') + "\r\n";
}

} // namespace Csv
