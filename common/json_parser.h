// Reads a JSON text into a JsonNodeTable in one pass over its normalised form.
//
// Well-formed texts give the usual tree. For the rest, the reading is lenient
// but bounded:
//   - text in front of the first "{" or "[" is ignored; a text with neither
//     gives the root alone (an object node without children);
//   - keys may be unquoted; quotes and blanks around a key are removed;
//   - a member without a colon is dropped and reading goes on behind its comma;
//   - a member or element whose end is never found (the text ends first) is
//     dropped, with everything inside it; what was complete before it stays;
//   - a value ends at the first "," or closing bracket of its container at
//     which the brackets and quotes since the value's start are balanced, so
//     junk behind a value belongs to that value's text;
//   - behind the top-level object, every further "{" continues it: its
//     members join the top level. Nothing behind a top-level array is read;
//   - containers nest at most kJsonMaxNesting deep (the root counts); a
//     deeper one ends the reading there, as if the text ended;
//   - texts of kJsonMaxTextSize or more are not read at all.
// Time and memory grow linearly with the text; nothing recurses.
#pragma once

#include <cstddef>
#include <string_view>

#include "json_node_table.h"

namespace orvanta {

inline constexpr int kJsonMaxNesting = 512;
// A text this long or longer is not read: the table holds an empty root.
inline constexpr std::size_t kJsonMaxTextSize = std::size_t{1} << 30;

// Replaces the table's contents. Array elements are named "[1]", "[2]", ...,
// or "[0]", "[1]", ... with `zeroBased`.
void ParseJsonInto(std::string_view text, bool zeroBased, JsonNodeTable& table);

}  // namespace orvanta
