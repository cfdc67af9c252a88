#!/usr/bin/env python3
"""The score calculator as a screen reader meets it, over the desktop's accessibility bus.

Starts its own X server and session bus (the accessibility bus comes up on it), starts the
toolbox with accessibility on, opens the score calculator by pressing its button as a client,
and checks what a reader hears: the main window told unavailable while the calculator is open and
available again once it closes, row 1's box by its row, the calculator as a modal dialog, and,
after Space on 计算, the result told as a notification without the focus moving.

  atspi_score_test.py TOOLBOX

Exits 77 (skipped) where the X server, the bus or the AT-SPI client library is missing.
"""
import os
import shutil
import subprocess
import sys
import tempfile
import time

SKIP = 77
TIMEOUT = 60  # seconds: a hang detector, far above what any step takes


def fail(message):
    print("FAIL: " + message, flush=True)
    sys.exit(1)


def outer(toolbox):
    for tool in ("Xvfb", "dbus-run-session", "xdotool"):
        if shutil.which(tool) is None:
            print(f"skipped: {tool} is not installed")
            return SKIP
    if not os.path.exists("/usr/libexec/at-spi-bus-launcher"):
        print("skipped: at-spi2-core is not installed")
        return SKIP
    probe = subprocess.run(["/usr/bin/python3", "-c", "import pyatspi"], capture_output=True)
    if probe.returncode != 0:
        print("skipped: python3-pyatspi is not installed")
        return SKIP
    # A display of our own, on the first free number from 60.
    display = None
    for number in range(60, 160):
        if not os.path.exists(f"/tmp/.X11-unix/X{number}") and not os.path.exists(f"/tmp/.X{number}-lock"):
            display = f":{number}"
            break
    if display is None:
        print("skipped: no free display number")
        return SKIP
    xvfb = subprocess.Popen(["Xvfb", display, "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    home = tempfile.mkdtemp()
    try:
        deadline = time.monotonic() + TIMEOUT
        while not os.path.exists(f"/tmp/.X11-unix/X{display[1:]}"):
            if time.monotonic() > deadline or xvfb.poll() is not None:
                fail("the X server did not start")
            time.sleep(0.05)
        env = dict(os.environ, DISPLAY=display, HOME=home, XDG_RUNTIME_DIR=home, ATSPI_TEST_INNER="1")
        env.pop("QT_QPA_PLATFORM", None)
        inner = subprocess.run(["dbus-run-session", "--", "/usr/bin/python3", os.path.abspath(__file__), toolbox],
                               env=env, timeout=4 * TIMEOUT)
        return inner.returncode
    finally:
        xvfb.terminate()
        xvfb.wait()
        shutil.rmtree(home, ignore_errors=True)


def inner(toolbox):
    launcher = subprocess.Popen(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"],
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    import pyatspi
    from gi.repository import GLib

    told = []

    def on_showing(event):
        try:
            if event.detail1 and event.source.getRole() == pyatspi.ROLE_NOTIFICATION:
                told.append(event.source.name)
        except Exception:  # an object gone already tells nothing
            pass

    # The main window's sensitivity as readers are told of it, in order.
    main_sensitive = []

    def on_sensitive(event):
        try:
            if event.source.getRole() == pyatspi.ROLE_FRAME and event.source.name == "Quarlex工具箱 v1.0":
                main_sensitive.append(event.detail1)
        except Exception:
            pass

    pyatspi.Registry.registerEventListener(on_showing, "object:state-changed:showing")
    pyatspi.Registry.registerEventListener(on_sensitive, "object:state-changed:sensitive")
    env = dict(os.environ, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    if os.geteuid() == 0:
        env["QTWEBENGINE_DISABLE_SANDBOX"] = "1"
    app = subprocess.Popen([toolbox], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def pump():
        context = GLib.MainContext.default()
        while context.pending():
            context.iteration(False)

    def wait_for(what, find):
        deadline = time.monotonic() + TIMEOUT
        while time.monotonic() < deadline:
            pump()
            if app.poll() is not None:
                fail(f"the toolbox ended (status {app.returncode}) while waiting for {what}")
            try:
                found = find()
            except Exception:  # the tree is still being built
                found = None
            if found:
                return found
            time.sleep(0.05)
        fail(f"no {what} within {TIMEOUT} s")

    def find_named(root, role, name):
        return pyatspi.findDescendant(root, lambda o: o.getRole() == role and o.name == name)

    def toolbox_app():
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            child = desktop.getChildAtIndex(i)
            if child is not None and child.name == "quarlex-toolbox":
                return child
        return None

    try:
        application = wait_for("toolbox on the accessibility bus", toolbox_app)
        button = wait_for("副本积分计算器 button",
                          lambda: find_named(application, pyatspi.ROLE_PUSH_BUTTON, "副本积分计算器"))
        button.queryAction().doAction(0)
        dialog = wait_for("score calculator dialog",
                          lambda: find_named(application, pyatspi.ROLE_DIALOG, "Quarlex积分计算"))
        if not dialog.getState().contains(pyatspi.STATE_MODAL):
            fail("the score calculator is not modal")
        wait_for("the main window told unavailable", lambda: main_sensitive[-1:] == [0])
        row1 = wait_for("row 1's box", lambda: find_named(dialog, pyatspi.ROLE_TEXT, "竞技场 悔梦石 20000积分 市场价格"))
        row1_name = row1.name
        row1.queryComponent().grabFocus()
        wait_for("row 1's box focused", lambda: row1.getState().contains(pyatspi.STATE_FOCUSED))
        subprocess.run(["xdotool", "type", "--delay", "20", "30000"], check=True)
        wait_for("30000 in row 1", lambda: row1.queryText().getText(0, -1) == "30000")
        compute = find_named(dialog, pyatspi.ROLE_PUSH_BUTTON, "计算")
        compute.queryComponent().grabFocus()
        wait_for("计算 focused", lambda: compute.getState().contains(pyatspi.STATE_FOCUSED))
        subprocess.run(["xdotool", "key", "space"], check=True)
        spoken = wait_for("the result told", lambda: told[-1] if told else None)
        if spoken != "竞技场 悔梦石 兑换比例 1.5":
            fail(f"told {spoken!r}")
        if not compute.getState().contains(pyatspi.STATE_FOCUSED):
            fail("the focus moved away from 计算")
        subprocess.run(["xdotool", "key", "Escape"], check=True)
        wait_for("the main window told available again", lambda: main_sensitive[-1:] == [1])
        print("passed: row 1 is read as", row1_name, "and the result is told as", spoken, flush=True)
        return 0
    finally:
        app.kill()
        app.wait()
        launcher.terminate()


if __name__ == "__main__":
    if len(sys.argv) != 2:
        print(__doc__)
        sys.exit(2)
    sys.exit(inner(sys.argv[1]) if os.environ.get("ATSPI_TEST_INNER") else outer(sys.argv[1]))
