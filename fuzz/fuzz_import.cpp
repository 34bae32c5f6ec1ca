// libFuzzer's entry point: any bytes as an import file, through the CSV reader and the planner.
#include "cli/Csv.h"
#include "cli/ImportLayout.h"
#include "cli/Refusal.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

// The record as export writes it, after a header line as in an exported file, read back.
QStringList WrittenAndRead(const QStringList& fields) {
    return Csv::ReadText("header\r\n" + Csv::FormatRecord(fields), "written.csv").value(1).fields;
}

} // namespace

// Every record that reads as text must also read back the same after the writer wrote it.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Read in place, so that a read past the end is the sanitizer's finding.
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    try {
        const QList<Csv::Record> records = Csv::ReadText(bytes, "fuzz.csv");
        for (const Csv::Record& record : records)
            if (record.fault.isEmpty() && WrittenAndRead(record.fields) != record.fields)
                std::abort();
        PlanImport("fuzz.csv", records, {});
    } catch (const Refusal&) {
        // The program refuses the file; any other exception is a finding.
    }
    return 0;
}
