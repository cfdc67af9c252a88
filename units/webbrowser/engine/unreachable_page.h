#pragma once
// The pages the browser shows in place of one that could not be shown: a short note in Chinese
// with the address and a "重试" link that loads it again.
#include <QRect>
#include <QString>
#include <QUrl>
#include <QWebEngineLoadingInfo>

namespace units::webbrowser {

// Whether a failed load means the page could not be reached (no connection, no such host, the
// box offline, ...), rather than a load the user or the box stopped, or a server's own answer.
bool IsUnreachable(const QWebEngineLoadingInfo& info);

// The page for `address`; the note is centred in `visible`, the part of the view the user sees
// (a box may lie partly outside its window), in the view's coordinates.
QString UnreachablePageHtml(const QUrl& address, const QRect& visible);
// The same for a page whose renderer died (killed, or out of memory); "重试" loads it in a new one.
QString StoppedPageHtml(const QUrl& address, const QRect& visible);

}  // namespace units::webbrowser
