#include "platform/chinese_texts.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace platform {
namespace {

// Qt's catalogue still writes the older "撤消"; the program says "撤销", as the desktop does.
class PreferredTerms final : public QTranslator {
 public:
  using QTranslator::QTranslator;
  QString translate(const char* /*context*/, const char* source, const char* /*disambiguation*/,
                    int /*n*/) const override {
    if (qstrcmp(source, "&Undo") == 0) return QStringLiteral("撤销(&U)");
    return {};
  }
  bool isEmpty() const override { return false; }
};

}  // namespace

void UseChineseTexts() {
  static bool done = false;
  if (done || QCoreApplication::instance() == nullptr) return;
  done = true;
  const QLocale chinese(QLocale::Chinese, QLocale::China);
  // The web engine takes its language from the default locale when it starts.
  QLocale::setDefault(chinese);
  const QString directory = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  for (const char* catalogue : {"qtbase", "qtwebengine"}) {
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(chinese, QLatin1String(catalogue), QStringLiteral("_"), directory))
      QCoreApplication::installTranslator(translator);
    else
      delete translator;
  }
  // Installed last, asked first.
  QCoreApplication::installTranslator(new PreferredTerms(QCoreApplication::instance()));
}

}  // namespace platform
