#include "units/webbrowser/engine_module.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QOpenGLContext>
#include <QThread>

#include "platform/module_loader.h"

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

// Qt's shared context, which every context of the application (the engine's among them) shares
// with when Qt::AA_ShareOpenGLContexts is set. Exported by Qt Gui, not declared in its headers.
void qt_gl_set_global_share_context(QOpenGLContext* context);
QOpenGLContext* qt_gl_global_share_context();

namespace units::webbrowser {
namespace {

// The engine reads the format of Qt's shared OpenGL context as it starts, and wants contexts
// shared across the application. Asking for that before the application object exists would
// make Qt create the shared context at start, with the whole OpenGL stack, for every program that
// links this library. So the context is made here, right before the engine module first loads.
// It is never created on the driver: the module composites pages in software, so no OpenGL
// driver comes into the process at all.
QOpenGLContext* gShareContext = nullptr;

void DeleteShareContext() {
  qt_gl_set_global_share_context(nullptr);
  delete gShareContext;
  gShareContext = nullptr;
}

// Qt warns that the attribute belongs before the application object. Set late on purpose, with
// the context it would have made already in place, so that one warning is not passed on.
QtMessageHandler gPassOn = nullptr;

void DropLateAttributeWarning(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (type == QtWarningMsg && message.contains(QLatin1String("AA_ShareOpenGLContexts"))) return;
  if (gPassOn != nullptr) gPassOn(type, context, message);
}

void ShareOpenGLContexts() {
  auto* application = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
  if (application == nullptr || application->thread() != QThread::currentThread()) return;
  if (qt_gl_global_share_context() == nullptr) {
    gShareContext = new QOpenGLContext;
    gShareContext->setFormat(QSurfaceFormat::defaultFormat());
    qt_gl_set_global_share_context(gShareContext);
    qAddPostRoutine(DeleteShareContext);
  }
  gPassOn = qInstallMessageHandler(DropLateAttributeWarning);
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  qInstallMessageHandler(gPassOn);
}

ReleaseBrowserModuleFn gRelease = nullptr;

// Even with its pages composited in software the engine, as it starts, asks the X11 platform
// about OpenGL, which loads the whole driver (tens of milliseconds and megabytes) for nothing.
// Unless the user chose otherwise, the platform is told to bring no OpenGL into this process;
// it reads that choice at the first question about OpenGL, asked here, and the choice then leaves
// the environment again, so that programs started from here do not inherit it.
void KeepOpenGlDriverOut() {
  static const char kChoice[] = "QT_XCB_GL_INTEGRATION";
  if (qEnvironmentVariableIsSet(kChoice)) return;
  qputenv(kChoice, "none");
  QOpenGLContext::supportsThreadedOpenGL();
  qunsetenv(kChoice);
}

CreateBrowserControlFn LoadFactory() {
  KeepOpenGlDriverOut();
  ShareOpenGLContexts();
  auto factory =
      reinterpret_cast<CreateBrowserControlFn>(platform::LoadModuleEntry("quarlex_web", kCreateBrowserControlName));
  if (factory != nullptr)
    gRelease =
        reinterpret_cast<ReleaseBrowserModuleFn>(platform::LoadModuleEntry("quarlex_web", kReleaseBrowserModuleName));
  return factory;
}

}  // namespace

CreateBrowserControlFn BrowserControlFactory() {
  static const CreateBrowserControlFn factory = LoadFactory();
  return factory;
}

void ReleaseBrowserModule() {
  if (gRelease != nullptr) gRelease();
}

QString EngineRefusal() {
#ifdef Q_OS_UNIX
  if (geteuid() == 0 && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"))
    return QStringLiteral(
        "网页未显示：本程序正以系统管理员（root）身份运行，浏览器的安全沙箱在此身份下无法启用，"
        "而没有沙箱的网页可能危及您的系统。请以普通用户身份启动本程序。");
#endif
  return {};
}

}  // namespace units::webbrowser
