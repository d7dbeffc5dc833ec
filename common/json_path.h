// Paths into a JSON document: member keys and element names joined by ".",
// such as "data.winvernum", "D.BossId" or "list.[2].name".
//
// Two apostrophes ('') stand for a double quote, so that a path can be written
// where quotes are awkward. A stretch in double quotes may hold dots:
// a."b.c".d has the segments a, b.c and d. Quotes and blanks around each
// segment are removed.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace orvanta {

std::vector<std::string> SplitJsonPath(std::string_view path);

// For documents whose elements are named from "[0]": puts a dot in front of
// every "[digits]" that follows anything but a dot, so "list[0].name" and
// "grid[1][2]" read as "list.[0].name" and "grid.[1].[2]".
std::string SeparateIndexSegments(std::string_view path);

// The path of a node from the names below the root: joined by ".", a name
// holding a dot wrapped in double quotes.
std::string JoinJsonPath(const std::vector<std::string>& names);

}  // namespace orvanta
