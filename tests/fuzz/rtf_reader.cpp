// Rich text followed by anything: runs are ordered, inside the text in the pane's
// CR LF positions, formatted, and each differs from a run it touches.
#include "platform/rtf_reader.h"
#include "fuzz_check.h"

using namespace tarvo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const RtfText got = readRichText(fuzzBytes(data, size));
    const qsizetype paneLength = got.text.size() + got.text.count(QLatin1Char('\n'));
    const RtfRun* previous = nullptr;
    for (const RtfRun& run : got.runs) {
        FUZZ_CHECK(run.length > 0 && run.start + run.length <= paneLength);
        FUZZ_CHECK(run.bold || run.color);
        if (previous) {
            const int previousEnd = previous->start + previous->length;
            FUZZ_CHECK(run.start >= previousEnd);
            FUZZ_CHECK(run.start > previousEnd || run.bold != previous->bold ||
                       run.color != previous->color);
        }
        previous = &run;
    }
    return 0;
}
