#pragma once
// The web browser box: a view whose client area shows a web page. The page itself is the
// browser control of the engine module; the box turns the control's notifications into its
// events, and serves its properties from its own data, the control and the loaded document.
#include <QWidget>

#include <array>
#include <memory>
#include <string>

#include "units/framework/unit.h"
#include "units/framework/unit_interfaces.h"
#include "units/webbrowser/browser_control.h"
#include "units/webbrowser/web_browser_properties.h"

namespace units {

// Own property indexes the box names in its code.
namespace web_property {
constexpr int32_t kBorder = 0;
constexpr int32_t kSilent = 1;
constexpr int32_t kOffline = 2;
constexpr int32_t kDropTarget = 3;
constexpr int32_t kRegisterAsBrowser = 4;
constexpr int32_t kResizable = 8;
constexpr int32_t kFullName = 16;
constexpr int32_t kLocationUrl = 17;
constexpr int32_t kLocationName = 18;
constexpr int32_t kType = 19;
constexpr int32_t kEditMode = 20;
constexpr int32_t kFontName = 21;
constexpr int32_t kLast = 36;
}  // namespace web_property

class WebBrowserBox final : public UnitWidget<QWidget>, public web::BrowserEvents {
 public:
  // Loads the engine on first use; null when it cannot be loaded or cannot make a control. The
  // box starts on "about:blank".
  static WebBrowserBox* Create(const UnitIdentity& identity, std::unique_ptr<WebBrowserProperties> properties,
                               QWidget* parent, const QRect& place);
  ~WebBrowserBox() override;

  // Texts are GBK; null is empty. `frame` names a frame of the page (or a new window).
  void Navigate(const char* url, int32_t flags, const char* frame, const char* headers);

  int32_t PropertyChanged(int32_t index, const PropertyValue& value);
  // Texts handed out stay valid until the next read of the same property. The box may be gone
  // when a read through the document returns: callers check before touching it again.
  int32_t GetProperty(int32_t index, PropertyValue* value);

  // The engine's view, placed over the client area.
  QWidget* ControlWidget() const;

  // Edge width of a Border value.
  static int EdgeWidth(int32_t border);

  // The page takes the keys typed into it before the window does.
  bool PreTranslate(QObject* target, QEvent* event) override;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  WebBrowserBox(const UnitIdentity& identity, std::unique_ptr<WebBrowserProperties> properties, QWidget* parent);

  WebBrowserProperties& Props();
  void ApplyBorder();
  void PlaceClient();
  void ApplyControlSettings();
  const char* CacheText(int32_t index, const QString& text);
  // Property reads through the document; `*alive` false afterwards when the box went meanwhile.
  QVariant Document(const QString& script, bool* alive);

  void BeforeNavigate(web::NavigationRequest& request) override;
  bool NewWindow() override;
  void NavigateComplete(const QString& url) override;
  void DownloadBegin() override;
  void ProgressChange(int32_t progress, int32_t maximum) override;
  void DownloadComplete() override;
  void DocumentComplete(const QString& url) override;
  void StatusTextChange(const QString& text) override;
  void TitleChange(const QString& title) override;
  void CommandStateChange(int32_t command, bool enabled) override;
  void WindowGeometryRequest(int32_t left, int32_t top, int32_t width, int32_t height) override;
  bool WindowClosing() override;

  QWidget* client_;  // the area inside the edge; the control overhangs it by a client edge
  std::unique_ptr<web::BrowserControl> control_;
  int32_t editMode_ = 0;
  // Results of FullName, LocationURL, LocationName, Type, and FontName.
  std::array<std::string, 5> texts_;
};

}  // namespace units
