// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target for the skin stream reader: whatever the bytes, reading
// must end in a skin or an error, without a crash, a hang or a read past the
// end; and a stream that reads must write back to the same bytes.
#include "skin/skinreader.h"
#include "skin/tools/skinwriter.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArrayView bytes(data, qsizetype(size));
    skin::ReadError error;
    const std::optional<skin::Skin> s = skin::readSkinStream(bytes, &error);
    if (!s) {
        if (error.offset < 0 || error.offset > qint64(size) || error.expected.isEmpty()) {
            std::fprintf(stderr, "bad error report: %s\n", qPrintable(error.message()));
            std::abort();
        }
        return 0;
    }
    if (skin::writeSkinStream(*s) != bytes) {
        std::fprintf(stderr, "a stream that reads does not write back the same\n");
        std::abort();
    }
    return 0;
}
