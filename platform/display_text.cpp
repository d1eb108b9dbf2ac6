#include "platform/display_text.h"

#include <iconv.h>

#include <QStringDecoder>
#include <string>

namespace {

bool DecodeGbk(std::string_view bytes, QString& out) {
  iconv_t cd = iconv_open("UTF-8", "GBK");
  if (cd == reinterpret_cast<iconv_t>(-1)) return false;
  std::string in(bytes);
  std::string result(bytes.size() * 2 + 4, '\0');
  char* src = in.data();
  size_t src_left = in.size();
  char* dst = result.data();
  size_t dst_left = result.size();
  size_t rc = iconv(cd, &src, &src_left, &dst, &dst_left);
  iconv_close(cd);
  if (rc == static_cast<size_t>(-1) || src_left != 0) return false;
  out = QString::fromUtf8(result.data(), static_cast<qsizetype>(result.size() - dst_left));
  return true;
}

}  // namespace

QString DisplayText(std::string_view bytes) {
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString text = utf8.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
  if (!utf8.hasError()) return text;
  QString gbk;
  if (DecodeGbk(bytes, gbk)) return gbk;
  return text;
}
