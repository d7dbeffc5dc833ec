#include "http_failure.h"

#include "codepage.h"

namespace orvanta {

std::string HttpFailureText(HttpFailure failure) {
  switch (failure) {
    case HttpFailure::kNotSupported: return Gbk(u8"700 当前系统不支持WinHttp服务!");
    case HttpFailure::kBadUrl: return Gbk(u8"701 解析URL地址失败!");
    case HttpFailure::kSession: return Gbk(u8"702 创建WinHttp会话失败!");
    case HttpFailure::kConnection: return Gbk(u8"703 创建WinHttp连接失败!");
    case HttpFailure::kRequest: return Gbk(u8"704 创建WinHttp请求失败!");
    case HttpFailure::kTimeouts: return Gbk(u8"705 设置超时时间失败!");
    case HttpFailure::kCredentials: return Gbk(u8"707 设置代理凭证失败!");
    case HttpFailure::kCookieOption: return Gbk(u8"708 禁止自动设置Cookies失败!");
    case HttpFailure::kRedirectOption: return Gbk(u8"709 重定向设置失败!");
    case HttpFailure::kHeaders: return Gbk(u8"710 设置协议头失败!");
    case HttpFailure::kSend: return Gbk(u8"711 发送请求失败!");
    case HttpFailure::kNoResponse: return Gbk(u8"712 服务器未响应!");
    case HttpFailure::kRead: return Gbk(u8"713 读取数据失败!");
    case HttpFailure::kCertificateFlags: return Gbk(u8"忽略错误/证书错误  失败！");
  }
  return {};
}

}  // namespace orvanta
