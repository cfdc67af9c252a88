#include "units/webbrowser/web_browser_properties.h"

namespace units {

void WebBrowserProperties::Serialise(PropertyArchive& archive) {
  archive.Version(1);
  archive.Int32(border);
  archive.Int32(silent);
  archive.Int32(offline);
  archive.Int32(dropTarget);
  archive.Int32(registerAsBrowser);
}

}  // namespace units
