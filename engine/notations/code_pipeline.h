// SPDX-License-Identifier: MIT
#pragma once

#include "notations/code_units.h"

namespace trelvane {

// Reads [in, end) through a notation's reader and writes the codes through another notation's
// writer, a block of codes at a time. Returns where the output ends.
template <class Reader, class Writer, CodeUnit InUnit, CodeUnit OutUnit>
OutUnit* pumpCodes(Reader& reader, Writer& writer, const InUnit* in, const InUnit* end,
                   OutUnit* out) {
    Code block[kCodeBlock];
    while (in != end) {
        const std::size_t count = reader.read(in, end, block, kCodeBlock);
        out = writer.write(block, count, out);
    }
    return out;
}

// After the last chunk: what the reader held back, then what the writer held back.
template <class Reader, class Writer, CodeUnit OutUnit>
OutUnit* finishCodes(Reader& reader, Writer& writer, OutUnit* out) {
    const auto tail = reader.finish();
    if (tail.code >= 0) {
        const Code code = static_cast<Code>(tail.code);
        out = writer.write(&code, 1, out);
    }
    if (tail.nibble >= 0) {
        out = writer.writeNibble(static_cast<Code>(tail.nibble), out);
    }
    return writer.finish(out);
}

}  // namespace trelvane
