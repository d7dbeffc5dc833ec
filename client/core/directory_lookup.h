// The directory lookup that turns a server number into a site: an HTTPS GET
// whose query carries the number sealed in a cipher envelope.
#pragma once

#include <string>
#include <string_view>

namespace orvanta {

// The pass phrase of the envelope: one digit, sent in clear with it.
inline constexpr std::string_view kDirectoryPassPhrase = "7";

// {"domainid":"<number>"}, the number escaped for a JSON string so that a
// typed quote or backslash cannot change the query.
std::string DirectoryQuery(std::string_view serverNumber);

// https://<host>/api/domaincheckid?data=<envelope>. The envelope's Base64
// goes into the query as it is: "+", "/" and "=" unencoded, as the directory
// reads them. "" when the query cannot be sealed.
std::string DirectoryRequestUrl(std::string_view host, std::string_view serverNumber);

}  // namespace orvanta
