#include "units/webbrowser/engine/unreachable_page.h"

namespace units::webbrowser {
namespace {

// The engine's code for a load that was stopped, by a new navigation or by the box.
constexpr int kLoadAborted = -3;

}  // namespace

bool IsUnreachable(const QWebEngineLoadingInfo& info) {
  return info.status() == QWebEngineLoadingInfo::LoadFailedStatus &&
         info.errorDomain() != QWebEngineLoadingInfo::HttpStatusCodeDomain && info.errorCode() != kLoadAborted;
}

namespace {

QString NotePageHtml(const QString& heading, const QString& text, const QUrl& address, const QRect& visible) {
  const QString shown = address.toDisplayString().toHtmlEscaped();
  const QString link = address.toString(QUrl::FullyEncoded).toHtmlEscaped();
  return QStringLiteral(
             "<!DOCTYPE html><html lang=\"zh-CN\"><head><meta charset=\"utf-8\"><title>%7</title>"
             "<style>"
             "body{margin:0;background:#f6f7f9;color:#333;font:14px/1.6 sans-serif}"
             "#note{position:absolute;left:%1px;top:%2px;width:%3px;height:%4px;display:flex;"
             "align-items:center;justify-content:center}"
             "#note div{max-width:90%;padding:16px 24px;text-align:center}"
             "h1{font-size:18px;margin:0 0 8px}"
             "p{margin:4px 0}"
             ".address{color:#666;word-break:break-all}"
             "a{color:#1a5fb4}"
             "</style></head><body><div id=\"note\"><div>"
             "<h1>%7</h1>"
             "<p>%8</p>"
             "<p class=\"address\">%5</p>"
             "<p><a href=\"%6\">重试</a></p>"
             "</div></div></body></html>")
      .arg(visible.left())
      .arg(visible.top())
      .arg(visible.width())
      .arg(visible.height())
      .arg(shown, link, heading, text);
}

}  // namespace

QString UnreachablePageHtml(const QUrl& address, const QRect& visible) {
  return NotePageHtml(QStringLiteral("网页无法打开"), QStringLiteral("无法载入下面的网页，请检查网络连接，或稍后再试。"),
                      address, visible);
}

QString StoppedPageHtml(const QUrl& address, const QRect& visible) {
  return NotePageHtml(QStringLiteral("网页已停止响应"), QStringLiteral("显示下面网页的进程意外结束了。"), address,
                      visible);
}

}  // namespace units::webbrowser
