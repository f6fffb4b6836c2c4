// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include "code_window.h"
#include "conversion.h"

// An edit of the source field costs what it changes: the target, which showed the conversion
// of the source before the edit, gets only the span that the edited codes cover replaced.
// Whole bytes, hexadecimal pairs and decimal numbers are converted again, nothing more; when
// the edit shifts the grouping of what follows (a binary digit more, an odd hexadecimal digit
// for a target of whole codes) the rest of the text follows it.
namespace trelvane {

// In the target, [position, position + removed) becomes the conversion of `source`, written
// as `target` says, with a blank after it for a decimal target whose numbers go on (and the
// source copied as it is when both fields share the mode).
struct TargetEdit {
    std::size_t position = 0;
    std::size_t removed = 0;
    SourceSpan source;
    TargetSpan target;
    bool blankAfter = false;
    bool copy = false;

    std::size_t length(Mode from, Mode to) const;
    void write(Mode from, Mode to, char16_t* out, std::size_t length) const;
};

// What the edit of the source changes in the target, or nothing when only a whole conversion
// will do: the leading zeros of a hexadecimal target are touched, or the target does not
// match the source before the edit. `source` is the edited text; `target` is what the target
// shows, the conversion of the source before the edit.
std::optional<TargetEdit> targetEditFor(Mode from, Mode to, std::u16string_view source,
                                        TextChange edit, std::u16string_view target);

// Two changes of one text, the second made after the first, as one change.
TextChange combineChanges(TextChange first, TextChange second);

}  // namespace trelvane
