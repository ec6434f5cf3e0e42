"""LibreOffice driven through its Python bridge, for the scripts of the tests.

    with office.desktop(profile) as desktop:
        document = office.open_hidden(desktop, path)

starts a headless LibreOffice with its own profile folder (so that runs do not collide),
waits until it answers on a pipe of its own, and ends it afterwards.
"""
import contextlib
import os
import subprocess
import time

import uno
from com.sun.star.beans import PropertyValue


def properties(**values):
    return tuple(PropertyValue(Name=name, Value=value) for name, value in values.items())


def _connect(pipe, seconds):
    local = uno.getComponentContext()
    resolver = local.ServiceManager.createInstanceWithContext("com.sun.star.bridge.UnoUrlResolver", local)
    for _ in range(seconds * 2):
        try:
            context = resolver.resolve("uno:pipe,name=%s;urp;StarOffice.ComponentContext" % pipe)
            return context.ServiceManager.createInstanceWithContext("com.sun.star.frame.Desktop", context)
        except Exception:
            time.sleep(0.5)
    return None


@contextlib.contextmanager
def desktop(profile, seconds=120):
    pipe = "tm_office_%d" % os.getpid()
    office = subprocess.Popen(["soffice", "-env:UserInstallation=" + uno.systemPathToFileUrl(os.path.abspath(profile)),
                               "--headless", "--invisible", "--norestore", "--nologo",
                               "--accept=pipe,name=%s;urp;" % pipe],
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    answer = _connect(pipe, seconds)
    if answer is None:
        office.kill()
        raise SystemExit("LibreOffice did not answer")
    try:
        yield answer
    finally:
        try:
            answer.terminate()
        except Exception:
            pass
        try:
            office.wait(timeout=60)
        except subprocess.TimeoutExpired:
            office.kill()


def open_hidden(desk, path):
    return desk.loadComponentFromURL(uno.systemPathToFileUrl(os.path.abspath(path)), "_blank", 0,
                                     properties(Hidden=True))
