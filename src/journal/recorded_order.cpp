#include "recorded_order.h"

#include "io/utf8_path.h"
#include "io/whole_file.h"

namespace dalvex::journal {

Outcome<RecordedOrder> recordedOrder(Journal& journal, int64_t number, int64_t versionId) {
    const Outcome<OrderDetails> details = journal.order(number);
    if (!details) return details.status();
    Outcome<std::string> bytes = journal.versionBytes(number, versionId);
    if (!bytes) return bytes.status();
    RecordedOrder r;
    r.filePath = details->latest.filePath;
    for (const VersionInfo& v : details->versions)
        if (v.id == versionId) r.filePath = v.filePath;
    r.bytes = std::move(bytes.value());
    r.versionId = details->versions.empty() ? 0 : details->versions.back().id;
    std::string onDisk;
    r.fileHoldsIt = readWholeFile(pathFromUtf8(r.filePath), onDisk, kSketchFileLimit) && onDisk == r.bytes;
    return r;
}

} // namespace dalvex::journal
