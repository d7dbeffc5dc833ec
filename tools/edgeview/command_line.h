// The command files of the control channel: UTF-8 text, one command per
// line, fields separated by TAB. Within a field "\t", "\n", "\r" and "\\"
// stand for a tab, a line feed, a carriage return and a backslash. Empty
// lines and lines starting with "#" are skipped; a CR before the LF is
// dropped.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace orvanta::standin {

std::vector<std::vector<std::string>> ParseCommandFile(std::string_view content);
// The fields again, escaped, for the log.
std::string JoinCommandFields(const std::vector<std::string>& fields);

}  // namespace orvanta::standin
