// Where the test servers listen: control.js writes their ports to the file
// that ORVANTA_HTTP_TEST_PORTS names (a Unix path; under Wine the Unix root
// is drive Z:).
#pragma once

#include <cstdlib>
#include <fstream>
#include <string>

namespace orvanta::test {

struct ServerPorts {
  int http = 0;
  int https = 0;
  int silent = 0;  // accepts connections and never answers
  int closed = 0;  // nobody listens there
};

inline const ServerPorts& Ports() {
  static const ServerPorts ports = [] {
    ServerPorts read;
    const char* file = std::getenv("ORVANTA_HTTP_TEST_PORTS");
    if (file == nullptr) return read;
    std::string path = file;
    if (path.rfind('/', 0) == 0) {
      path = "Z:" + path;
      for (char& c : path) c = c == '/' ? '\\' : c;
    }
    std::ifstream in(path);
    in >> read.http >> read.https >> read.silent >> read.closed;
    return read;
  }();
  return ports;
}

inline std::string Url(const char* scheme, int port, const std::string& path) {
  return std::string(scheme) + "://127.0.0.1:" + std::to_string(port) + path;
}

inline std::string HttpUrl(const std::string& path) { return Url("http", Ports().http, path); }
inline std::string HttpsUrl(const std::string& path) { return Url("https", Ports().https, path); }
inline std::string SilentUrl() { return Url("http", Ports().silent, "/"); }
inline std::string ClosedUrl() { return Url("http", Ports().closed, "/"); }

}  // namespace orvanta::test
